#pragma once

#include "data/CardRecord.h"
#include "lookup/ShownCardsSink.h"

#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

/// The cards listed after a lookup, in the order they were added. It refers to the records it
/// is given (the catalogue's) instead of copying them: a whole catalogue listed costs a pointer
/// and a slot per card. Whoever loads the catalogue again first clears the table or has it keep
/// its own copies (KeepOwnCopies); a changed record (Replace) is always kept as a copy.
class ShownCardsTable : public ShownCardsSink {
public:
    /// A clipboard lookup lists at most this many cards; a typed search has no bound.
    static constexpr std::size_t kClipboardLimit = 100;
    /// The place of a card id that is not listed.
    static constexpr std::size_t kNotListed = static_cast<std::size_t>(-1);

    /// Refuses the card when fromClipboard and kClipboardLimit cards are already held, or when
    /// its id is already held; otherwise lists it and returns true. The record must stay where
    /// it is until Clear or KeepOwnCopies.
    bool Add(const CardRecord& card, bool fromClipboard);
    void Clear();

    const CardRecord* Find(std::int32_t id) const;
    /// The place of a listed card in add order, or kNotListed.
    std::size_t PlaceOf(std::int32_t id) const;
    /// The card at a place in add order (place < Size()).
    const CardRecord& At(std::size_t place) const { return *m_cards[place]; }
    /// Keeps a changed copy of a listed card (HOT toggle, price correction) in place of the
    /// one listed under its id, at the same place; false, changing nothing, when the card is
    /// not listed.
    bool Replace(const CardRecord& card);
    /// Copies every listed record the table does not own yet, so the list outlives the records
    /// it was given (the catalogue is about to be loaded again).
    void KeepOwnCopies();
    std::size_t Size() const { return m_cards.size(); }
    bool Empty() const { return m_cards.empty(); }

    /// Card ids in the order they were added.
    std::vector<std::int32_t> IdsInAddOrder() const;

    /// The cards in the order the catalogue grid shows them after a lookup: regular value
    /// highest first, equal values with the higher set id first, then in the order added.
    std::vector<CardRecord> CardsInGridOrder() const;

    void ClearShownCards() override { Clear(); }
    bool AddShownCard(const CardRecord& card, bool fromClipboard) override
    {
        return Add(card, fromClipboard);
    }

private:
    std::size_t SlotOf(std::int32_t id) const;
    void Grow();

    std::vector<const CardRecord*> m_cards;
    // Open addressing by card id: place + 1 in the cards, 0 for a free slot; a power of two
    // long and never more than half full.
    std::vector<std::uint32_t> m_slots;
    // The records the table owns (changed or kept copies), by id; nodes never move.
    std::unordered_map<std::int32_t, CardRecord> m_owned;
};
