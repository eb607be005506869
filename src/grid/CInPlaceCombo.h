#pragma once

#include "grid/InPlaceEditorWidget.h"

#include <QComboBox>

class CGridCtrl;

/// The in-place combo box of a combo cell; ends like the text editor and reports the chosen or
/// typed text once.
class CInPlaceCombo : public InPlaceEditorWidget<QComboBox> {
    Q_OBJECT
public:
    CInPlaceCombo(CGridCtrl* grid, const QRect& rect, int row, int column,
                  const QStringList& options, int style, const QString& text, int firstChar);

protected:
    QString FinalText() const override;
    void RestoreOriginal() override;
    bool FocusLossEnds() const override;

private:
    QString m_original;
};
