#pragma once

#include "grid/CGridCell.h"

#include <QDateTime>

/// A cell edited with an in-place date-time picker; ending the edit stores the picker's time and
/// reports its text.
class CGridCellDateTime : public CGridCell {
public:
    /// Picker styles: the short date (0), the long date, or the time of day.
    static constexpr unsigned kLongDateFormat = 0x4;
    static constexpr unsigned kTimeFormat = 0x9;

    CGridCellDateTime();

    const char* GetRuntimeClassName() const override { return "CGridCellDateTime"; }

    void SetTime(const QDateTime& time) { m_time = time; }
    const QDateTime& GetTime() const { return m_time; }
    void SetStyle(unsigned style) { m_style = style; }
    unsigned GetStyle() const { return m_style; }
    /// The picker's display format for the current style.
    QString DisplayFormat() const;

    void CopyFrom(const CGridCellBase& other) override;
    bool Edit(int row, int column, const QRect& rect, const QPoint& point, int controlId,
              int firstChar) override;
    void EndEdit() override;

private:
    QDateTime m_time;
    unsigned m_style = 0;
};
