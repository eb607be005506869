#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>

struct CardRecord;

/// One card line of the trade list. The layout is also the record layout of trade list files
/// (after the 4-byte key), so it must stay exactly 284 bytes with no padding.
struct TradeListEntry {
    std::int32_t card_id = 0;   ///< catalogue id, without the foil offset (also for foil lines)
    std::int32_t quantity = 0;  ///< copies
    char name[256] = {};        ///< UTF-8, zero-terminated, at most 255 bytes; never "Foil "
    std::int32_t foil = 0;      ///< 1 foil, 0 regular
    float buy_value = 0.0f;     ///< price per copy at which the user buys, Tix
    float sell_value = 0.0f;    ///< price per copy at which the user sells, Tix
    std::int32_t buying_mark = 0;   ///< the "Buy Value" box is ticked when nonzero
    std::int32_t selling_mark = 0;  ///< the "Sell Value" box is ticked when nonzero
};

static_assert(sizeof(TradeListEntry) == 284);
static_assert(std::is_trivially_copyable_v<TradeListEntry>);
static_assert(offsetof(TradeListEntry, card_id) == 0);
static_assert(offsetof(TradeListEntry, quantity) == 4);
static_assert(offsetof(TradeListEntry, name) == 8);
static_assert(offsetof(TradeListEntry, foil) == 264);
static_assert(offsetof(TradeListEntry, buy_value) == 268);
static_assert(offsetof(TradeListEntry, sell_value) == 272);
static_assert(offsetof(TradeListEntry, buying_mark) == 276);
static_assert(offsetof(TradeListEntry, selling_mark) == 280);

/// The name up to its terminating zero (or the whole field when a zero is missing).
std::string_view EntryName(const TradeListEntry& entry);

/// Stores a UTF-8 name, cut at a character boundary to 255 bytes, and zeroes the rest.
void SetEntryName(TradeListEntry& entry, std::string_view name);

/// The name as the trade list shows it: "Foil " in front when foil is 1.
std::string EntryDisplayName(const TradeListEntry& entry);

/// A new line for a card from the catalogue: quantity 1, both marks 0, both prices the
/// regular or the foil value.
TradeListEntry MakeTradeListEntry(const CardRecord& card, bool foil);

bool operator==(const TradeListEntry& a, const TradeListEntry& b);
