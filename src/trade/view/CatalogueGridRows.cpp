#include "trade/view/CatalogueGridRows.h"

#include "grid/CGridCellCheck.h"
#include "grid/CGridCtrl.h"
#include "lookup/CardGridColumn.h"
#include "lookup/ShownCardsTable.h"

namespace {

bool IsTicked(const CGridCtrl& grid, int row, CardGridColumn column)
{
    const auto* cell = dynamic_cast<const CGridCellCheck*>(grid.CellAt(row, ColumnIndex(column)));
    return cell && cell->GetCheck();
}

}  // namespace

CatalogueGridRows::CatalogueGridRows(const CGridCtrl& grid, ShownCardLookup shownCard)
    : m_grid(grid), m_shownCard(std::move(shownCard))
{
}

CatalogueGridRows::CatalogueGridRows(const CGridCtrl& grid, const ShownCardsTable& shownCards)
    : CatalogueGridRows(grid, [&shownCards](std::int32_t id) { return shownCards.Find(id); })
{
}

int CatalogueGridRows::RowCount() const
{
    return m_grid.GetRowCount();
}

CatalogueRow CatalogueGridRows::Row(int row) const
{
    CatalogueRow result;
    result.nameTicked = IsTicked(m_grid, row, CardGridColumn::Name);
    result.nameTag = m_grid.GetCellData(row, ColumnIndex(CardGridColumn::Name));
    result.regTicked = IsTicked(m_grid, row, CardGridColumn::RegValue);
    result.foilTicked = IsTicked(m_grid, row, CardGridColumn::FoilValue);
    return result;
}

const CardRecord* CatalogueGridRows::ShownCard(std::int32_t cardId) const
{
    return m_shownCard ? m_shownCard(cardId) : nullptr;
}
