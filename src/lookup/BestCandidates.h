#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct MatchRank;

/// What a copied text's lookup keeps under "Best Match First": of every card it finds, the
/// `capacity` best in the order of RanksAbove (the score, then the name covering more words of
/// the text), equal ranks the first found first. The lookup then reads the whole text instead of
/// stopping at its first `capacity` cards, so that a short word matching hundreds of names
/// cannot crowd out a name later in the line; the list it shows stays as short as before.
class BestCandidates {
public:
    BestCandidates(std::size_t catalogueSize, std::size_t capacity);

    /// True the first time a card (its catalogue index) is seen: only then is it scored and
    /// offered, a card found again by a later pattern changes nothing.
    bool FirstSight(std::uint32_t index);
    void Offer(std::uint32_t index, const MatchRank& rank);

    /// True when more cards were offered than kept.
    bool Overflowed() const { return m_offered > m_capacity; }
    /// The kept cards, in the order they were found.
    std::vector<std::uint32_t> InFoundOrder() const;

private:
    struct Entry {
        std::int64_t key;  // MatchOrderKey
        std::size_t order;
        std::uint32_t index;
    };
    // The worse of two entries is the lower ranked, or the later found of equal ranks.
    static bool Better(const Entry& a, const Entry& b);

    std::vector<Entry> m_heap;  // the kept cards, the worst on top
    std::vector<bool> m_seen;
    std::size_t m_capacity;
    std::size_t m_offered = 0;
};
