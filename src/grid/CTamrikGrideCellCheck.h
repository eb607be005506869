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

private:
    void StoreMark();
};
