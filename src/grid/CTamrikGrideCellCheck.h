#pragma once

#include "grid/CGridCellCheck.h"
#include "trade/TradeListColumn.h"

/// The trade list's check cell: after the check click, the cell's state becomes the buying mark
/// (column 2, "Buy Value") or selling mark (column 3, "Sell Value") of the entry whose key is the
/// cell's item data, through the grid's TradeMarkStore. Other columns store nothing.
class CTamrikGrideCellCheck : public CGridCellCheck {
public:
    const char* GetRuntimeClassName() const override { return "CTamrikGrideCellCheck"; }
    void OnClick(const QPoint& pointInCell) override;
    bool OnToggleKey() override;
    /// Its text is a price: only what can start a number starts an edit.
    bool StartsEditWith(QChar c) const override
    {
        return c.isDigit() || c == QLatin1Char('.') || c == QLatin1Char(',') ||
               c == QLatin1Char('-') || c == QLatin1Char('+');
    }

private:
    void StoreMark();
};
