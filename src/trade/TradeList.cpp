#include "trade/TradeList.h"

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
