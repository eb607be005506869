#pragma once

#include "trade/TradeListEntry.h"

#include <cstddef>
#include <cstdint>
#include <map>

/// The cards the user means to buy or sell, filed by trade list key (the card key: catalogue
/// id, or catalogue id + 16777216 for the foil copy) and iterated in ascending key order, so
/// regular lines come before foil lines. The totals are those of the last refresh.
class TradeList {
public:
    using Map = std::map<std::int32_t, TradeListEntry>;
    using const_iterator = Map::const_iterator;

    bool Contains(std::int32_t key) const { return m_entries.count(key) != 0; }
    /// Files the entry under the key, replacing any entry already there.
    void Set(std::int32_t key, const TradeListEntry& entry) { m_entries[key] = entry; }
    /// The entry under the key; an empty entry (all zero) when none is filed there.
    TradeListEntry Get(std::int32_t key) const;
    /// The entry under the key, or null.
    const TradeListEntry* Find(std::int32_t key) const;
    void Erase(std::int32_t key) { m_entries.erase(key); }
    void Clear() { m_entries.clear(); }

    /// Same keys with the same lines (quantities, prices, names and marks); totals aside.
    bool SameLines(const TradeList& other) const;

    std::size_t Count() const { return m_entries.size(); }
    bool Empty() const { return m_entries.empty(); }
    const_iterator begin() const { return m_entries.begin(); }
    const_iterator end() const { return m_entries.end(); }

    // Double sums: a million lines of a million cards at a million Tix stay exact to the cent
    // and far from any overflow.
    double BuyTotal() const { return m_buyTotal; }
    double SellTotal() const { return m_sellTotal; }
    void SetTotals(double buyTotal, double sellTotal);

private:
    Map m_entries;
    double m_buyTotal = 0.0;
    double m_sellTotal = 0.0;
};
