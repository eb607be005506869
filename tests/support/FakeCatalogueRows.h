#pragma once

#include "data/CardRecord.h"
#include "trade/CatalogueRows.h"

#include <map>
#include <vector>

/// The catalogue grid as plain data for the trade list and its windows: row 0 is the header,
/// never ticked; each added card is one row below it.
class FakeCatalogueRows : public CatalogueRows {
public:
    void Add(const CardRecord& card, bool nameTicked, bool regTicked, bool foilTicked);

    int RowCount() const override { return static_cast<int>(m_rows.size()) + 1; }
    CatalogueRow Row(int row) const override;
    const CardRecord* ShownCard(std::int32_t id) const override;

private:
    std::vector<CatalogueRow> m_rows;
    std::map<std::int32_t, CardRecord> m_cards;
};
