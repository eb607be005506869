#pragma once

#include "grid/InPlaceEditorWidget.h"

#include <QLineEdit>

class CGridCtrl;

/// The in-place text editor: a line edit over a cell that ends on Enter, Tab, Escape (which puts
/// the old text back), the leaving arrow keys or the loss of focus, reports once to the grid,
/// and widens itself with its text up to the grid's right edge.
class CInPlaceEdit : public InPlaceEditorWidget<QLineEdit> {
    Q_OBJECT
public:
    /// `arrowsExit`: arrows and Page Up/Down end the edit (else only with Control held).
    CInPlaceEdit(CGridCtrl* grid, const QRect& rect, int row, int column, const QString& text,
                 int firstChar, bool digitsOnly, bool arrowsExit);

    const QString& OriginalText() const { return m_original; }

protected:
    QString FinalText() const override { return text(); }
    void RestoreOriginal() override { setText(m_original); }
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Widen();

    QString m_original;
    bool m_arrowsExit;
};
