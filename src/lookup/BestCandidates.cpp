#include "lookup/BestCandidates.h"

#include "lookup/MatchRank.h"

#include <algorithm>

BestCandidates::BestCandidates(std::size_t catalogueSize, std::size_t capacity)
    : m_seen(catalogueSize, false), m_capacity(capacity)
{
    m_heap.reserve(capacity);
}

bool BestCandidates::Better(const Entry& a, const Entry& b)
{
    return a.key != b.key ? a.key > b.key : a.order < b.order;
}

bool BestCandidates::FirstSight(std::uint32_t index)
{
    if (index >= m_seen.size() || m_seen[index]) {
        return false;
    }
    m_seen[index] = true;
    return true;
}

void BestCandidates::Offer(std::uint32_t index, const MatchRank& rank)
{
    const Entry entry{MatchOrderKey(rank), m_offered++, index};
    if (m_capacity == 0) {
        return;
    }
    // With Better as the heap's "less", the front is the entry every other one beats.
    if (m_heap.size() < m_capacity) {
        m_heap.push_back(entry);
        std::push_heap(m_heap.begin(), m_heap.end(), Better);
    } else if (Better(entry, m_heap.front())) {
        std::pop_heap(m_heap.begin(), m_heap.end(), Better);
        m_heap.back() = entry;
        std::push_heap(m_heap.begin(), m_heap.end(), Better);
    }
}

std::vector<std::uint32_t> BestCandidates::InFoundOrder() const
{
    std::vector<Entry> kept = m_heap;
    std::sort(kept.begin(), kept.end(),
              [](const Entry& a, const Entry& b) { return a.order < b.order; });
    std::vector<std::uint32_t> indexes;
    indexes.reserve(kept.size());
    for (const Entry& entry : kept) {
        indexes.push_back(entry.index);
    }
    return indexes;
}
