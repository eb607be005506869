#pragma once

#include "data/CardRecord.h"
#include "lookup/ShownCardsSink.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <vector>

/// The cards listed after a lookup: card id -> a copy of the card record.
class ShownCardsTable : public ShownCardsSink {
public:
    /// A clipboard lookup lists at most this many cards; a typed search has no bound.
    static constexpr std::size_t kClipboardLimit = 100;

    /// Refuses the card when fromClipboard and kClipboardLimit cards are already held, or when
    /// its id is already held; otherwise keeps a copy and returns true.
    bool Add(const CardRecord& card, bool fromClipboard);
    void Clear();

    const CardRecord* Find(std::int32_t id) const;
    /// Stores a changed copy of a listed card (HOT toggle, price correction) in place of the
    /// one held under its id; false, changing nothing, when the card is not listed.
    bool Replace(const CardRecord& card);
    std::size_t Size() const { return m_cards.size(); }
    bool Empty() const { return m_cards.empty(); }

    /// Card ids in the order they were added.
    const std::vector<std::int32_t>& IdsInAddOrder() const { return m_order; }

    /// The cards in the order the catalogue grid shows them after a lookup: regular value
    /// highest first, equal values with the higher set id first, then in the order added.
    std::vector<CardRecord> CardsInGridOrder() const;

    void ClearShownCards() override { Clear(); }
    bool AddShownCard(const CardRecord& card, bool fromClipboard) override
    {
        return Add(card, fromClipboard);
    }

private:
    std::map<std::int32_t, CardRecord> m_cards;
    std::vector<std::int32_t> m_order;
};
