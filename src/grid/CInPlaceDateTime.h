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

    void FinishEdit(int key) override;
    void CancelEdit() override;

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    CGridCtrl* m_grid;
    QDateTime m_original;
    int m_row;
    int m_column;
    bool m_ended = false;
};
