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

protected:
    QString FinalText() const override;
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    QString m_original;
};
