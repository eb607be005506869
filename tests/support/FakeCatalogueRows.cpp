#include "FakeCatalogueRows.h"

#include "data/CardKey.h"

void FakeCatalogueRows::Add(const CardRecord& card, bool nameTicked, bool regTicked,
                            bool foilTicked)
{
    m_cards[card.id] = card;
    m_rows.push_back({nameTicked, card_key::Foil(card.id), regTicked, foilTicked});
}

CatalogueRow FakeCatalogueRows::Row(int row) const
{
    return row == 0 ? CatalogueRow{} : m_rows.at(static_cast<std::size_t>(row - 1));
}

const CardRecord* FakeCatalogueRows::ShownCard(std::int32_t id) const
{
    const auto it = m_cards.find(id);
    return it == m_cards.end() ? nullptr : &it->second;
}
