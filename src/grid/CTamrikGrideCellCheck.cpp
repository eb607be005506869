#include "grid/CTamrikGrideCellCheck.h"

#include "grid/CGridCtrl.h"
#include "grid/TradeMarkStore.h"

void CTamrikGrideCellCheck::OnClick(const QPoint& pointInCell)
{
    CGridCellCheck::OnClick(pointInCell);
    // A click beside the box stores the unchanged state again, which is harmless.
    StoreMark();
}

bool CTamrikGrideCellCheck::OnToggleKey()
{
    CGridCellCheck::OnToggleKey();
    StoreMark();
    return true;
}

void CTamrikGrideCellCheck::StoreMark()
{
    CGridCtrl* grid = GetOwner();
    TradeMarkStore* store = grid ? grid->GetTradeMarkStore() : nullptr;
    if (!store) {
        return;
    }
    switch (TradeListColumn(GetCoords().column)) {
    case TradeListColumn::Buy:
        store->StoreMark(GetData(), TradeMarkStore::Mark::Buying, GetCheck());
        break;
    case TradeListColumn::Sell:
        store->StoreMark(GetData(), TradeMarkStore::Mark::Selling, GetCheck());
        break;
    default:
        break;
    }
}
