#pragma once

#include "grid/InPlaceEditor.h"

#include <QDateTimeEdit>

class CGridCtrl;

/// The in-place date-time picker of a date cell.
class CInPlaceDateTime : public QDateTimeEdit, public InPlaceEditor {
    Q_OBJECT
public:
    CInPlaceDateTime(CGridCtrl* grid, const QRect& rect, int row, int column, const QDateTime& time,
                     const QString& format);

protected:
    QString FinalText() const override;
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    QDateTime m_original;
};
