#pragma once

#include "grid/InPlaceEditorWidget.h"

#include <QDateTimeEdit>

class CGridCtrl;

/// The in-place date-time picker of a date cell.
class CInPlaceDateTime : public InPlaceEditorWidget<QDateTimeEdit> {
    Q_OBJECT
public:
    CInPlaceDateTime(CGridCtrl* grid, const QRect& rect, int row, int column, const QDateTime& time,
                     const QString& format);

protected:
    QString FinalText() const override { return text(); }
    void RestoreOriginal() override { setDateTime(m_original); }

private:
    QDateTime m_original;
};
