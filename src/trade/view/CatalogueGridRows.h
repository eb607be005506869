#pragma once

#include "trade/CatalogueRows.h"

#include <cstdint>
#include <functional>

class CGridCtrl;
class ShownCardsTable;

/// The main window's catalogue grid as the trade windows read it: a name, "Reg Value" and
/// "Foil Value" check cell per row (columns 1, 3 and 4), the name cell's item tag, and the
/// shown-cards table through a lookup the main window gives.
class CatalogueGridRows : public CatalogueRows {
public:
    using ShownCardLookup = std::function<const CardRecord*(std::int32_t cardId)>;

    CatalogueGridRows(const CGridCtrl& grid, ShownCardLookup shownCard);
    /// Over the main window's grid and its shown-cards table (both must outlive this object).
    CatalogueGridRows(const CGridCtrl& grid, const ShownCardsTable& shownCards);

    int RowCount() const override;
    CatalogueRow Row(int row) const override;
    const CardRecord* ShownCard(std::int32_t cardId) const override;

private:
    const CGridCtrl& m_grid;
    ShownCardLookup m_shownCard;
};
