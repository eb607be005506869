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
    switch (GetCoords().column) {
    case kBuyColumn:
        store->StoreMark(GetData(), TradeMarkStore::Mark::Buying, GetCheck());
        break;
    case kSellColumn:
        store->StoreMark(GetData(), TradeMarkStore::Mark::Selling, GetCheck());
        break;
    default:
        break;
    }
}
