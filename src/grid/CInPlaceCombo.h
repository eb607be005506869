#pragma once

#include "grid/InPlaceEditor.h"

#include <QComboBox>

class CGridCtrl;

/// The in-place combo box of a combo cell; ends like the text editor and reports the chosen or
/// typed text once.
class CInPlaceCombo : public QComboBox, public InPlaceEditor {
    Q_OBJECT
public:
    CInPlaceCombo(CGridCtrl* grid, const QRect& rect, int row, int column,
                  const QStringList& options, int style, const QString& text, int firstChar);

    void FinishEdit(int key) override;
    void CancelEdit() override;

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    CGridCtrl* m_grid;
    QString m_original;
    int m_row;
    int m_column;
    bool m_ended = false;
};
