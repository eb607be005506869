#include "lookup/ShownCardsTable.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// A value that is not a number sorts below every other, so the order stays well defined.
double SortValue(double value)
{
    return std::isnan(value) ? -std::numeric_limits<double>::infinity() : value;
}

}  // namespace

bool ShownCardsTable::Add(const CardRecord& card, bool fromClipboard)
{
    if (fromClipboard && m_cards.size() >= kClipboardLimit) {
        return false;
    }
    if (!m_cards.try_emplace(card.id, card).second) {
        return false;
    }
    m_order.push_back(card.id);
    return true;
}

void ShownCardsTable::Clear()
{
    m_cards.clear();
    m_order.clear();
}

const CardRecord* ShownCardsTable::Find(std::int32_t id) const
{
    const auto found = m_cards.find(id);
    return found == m_cards.end() ? nullptr : &found->second;
}

bool ShownCardsTable::Replace(const CardRecord& card)
{
    const auto found = m_cards.find(card.id);
    if (found == m_cards.end()) {
        return false;
    }
    found->second = card;
    return true;
}

std::vector<CardRecord> ShownCardsTable::CardsInGridOrder() const
{
    std::vector<CardRecord> cards;
    cards.reserve(m_order.size());
    for (const std::int32_t id : m_order) {
        cards.push_back(m_cards.at(id));
    }
    std::stable_sort(cards.begin(), cards.end(), [](const CardRecord& a, const CardRecord& b) {
        if (SortValue(a.reg_value) != SortValue(b.reg_value)) {
            return SortValue(a.reg_value) > SortValue(b.reg_value);
        }
        return a.expansion > b.expansion;
    });
    return cards;
}
