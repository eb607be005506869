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

constexpr std::size_t kFirstSlots = 256;

} // namespace

std::size_t ShownCardsTable::SlotOf(std::int32_t id) const
{
    // Fibonacci hashing spreads the mostly consecutive catalogue ids over the slots.
    const std::size_t mask = m_slots.size() - 1;
    std::size_t slot = (static_cast<std::uint32_t>(id) * 2654435769u) & mask;
    while (m_slots[slot] != 0 && m_cards[m_slots[slot] - 1]->id != id) {
        slot = (slot + 1) & mask;
    }
    return slot;
}

void ShownCardsTable::Grow()
{
    m_slots.assign(std::max(kFirstSlots, m_slots.size() * 2), 0);
    for (std::size_t place = 0; place < m_cards.size(); ++place) {
        m_slots[SlotOf(m_cards[place]->id)] = static_cast<std::uint32_t>(place + 1);
    }
}

bool ShownCardsTable::Add(const CardRecord& card, bool fromClipboard)
{
    if (fromClipboard && m_cards.size() >= kClipboardLimit) {
        return false;
    }
    if (m_slots.size() < 2 * (m_cards.size() + 1)) {
        Grow();
    }
    const std::size_t slot = SlotOf(card.id);
    if (m_slots[slot] != 0) {
        return false;
    }
    m_cards.push_back(&card);
    m_slots[slot] = static_cast<std::uint32_t>(m_cards.size());
    return true;
}

void ShownCardsTable::Clear()
{
    // The memory goes too: a whole catalogue listed once must not stay reserved.
    std::vector<const CardRecord*>().swap(m_cards);
    std::vector<std::uint32_t>().swap(m_slots);
    m_owned.clear();
}

std::size_t ShownCardsTable::PlaceOf(std::int32_t id) const
{
    if (m_slots.empty()) {
        return kNotListed;
    }
    const std::uint32_t found = m_slots[SlotOf(id)];
    return found == 0 ? kNotListed : found - 1;
}

const CardRecord* ShownCardsTable::Find(std::int32_t id) const
{
    const std::size_t place = PlaceOf(id);
    return place == kNotListed ? nullptr : m_cards[place];
}

bool ShownCardsTable::Replace(const CardRecord& card)
{
    const std::size_t place = PlaceOf(card.id);
    if (place == kNotListed) {
        return false;
    }
    // Assigning to an owned record keeps its address, so rows pointing at it stay right.
    m_cards[place] = &m_owned.insert_or_assign(card.id, card).first->second;
    return true;
}

void ShownCardsTable::KeepOwnCopies()
{
    for (const CardRecord*& card : m_cards) {
        card = &m_owned.try_emplace(card->id, *card).first->second;
    }
}

std::vector<std::int32_t> ShownCardsTable::IdsInAddOrder() const
{
    std::vector<std::int32_t> ids;
    ids.reserve(m_cards.size());
    for (const CardRecord* card : m_cards) {
        ids.push_back(card->id);
    }
    return ids;
}

std::vector<CardRecord> ShownCardsTable::CardsInGridOrder() const
{
    std::vector<const CardRecord*> order = m_cards;
    std::stable_sort(order.begin(), order.end(), [](const CardRecord* a, const CardRecord* b) {
        if (SortValue(a->reg_value) != SortValue(b->reg_value)) {
            return SortValue(a->reg_value) > SortValue(b->reg_value);
        }
        return a->expansion > b->expansion;
    });
    std::vector<CardRecord> cards;
    cards.reserve(order.size());
    for (const CardRecord* card : order) {
        cards.push_back(*card);
    }
    return cards;
}
