#include "trade/TradeList.h"

#include <algorithm>
#include <cstring>

TradeListEntry TradeList::Get(std::int32_t key) const
{
    const TradeListEntry* entry = Find(key);
    return entry ? *entry : TradeListEntry{};
}

const TradeListEntry* TradeList::Find(std::int32_t key) const
{
    const auto it = m_entries.find(key);
    return it == m_entries.end() ? nullptr : &it->second;
}

void TradeList::SetTotals(double buyTotal, double sellTotal)
{
    m_buyTotal = buyTotal;
    m_sellTotal = sellTotal;
}

bool TradeList::SameLines(const TradeList& other) const
{
    return std::equal(m_entries.begin(), m_entries.end(), other.m_entries.begin(),
                      other.m_entries.end(), [](const auto& a, const auto& b) {
                          const TradeListEntry& x = a.second;
                          const TradeListEntry& y = b.second;
                          return a.first == b.first && x.card_id == y.card_id &&
                                 x.quantity == y.quantity && x.foil == y.foil &&
                                 x.buy_value == y.buy_value && x.sell_value == y.sell_value &&
                                 x.buying_mark == y.buying_mark &&
                                 x.selling_mark == y.selling_mark &&
                                 std::strncmp(x.name, y.name, sizeof x.name) == 0;
                      });
}
