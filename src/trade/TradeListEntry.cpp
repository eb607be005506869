#include "trade/TradeListEntry.h"

#include "data/CardRecord.h"
#include "trade/TextCodec.h"

#include <algorithm>
#include <cstring>

std::string_view EntryName(const TradeListEntry& entry)
{
    const char* end = std::find(std::begin(entry.name), std::end(entry.name), '\0');
    return std::string_view(entry.name, static_cast<std::size_t>(end - entry.name));
}

void SetEntryName(TradeListEntry& entry, std::string_view name)
{
    const std::string cut = TruncateUtf8(name, sizeof(entry.name) - 1);
    std::memset(entry.name, 0, sizeof(entry.name));
    std::memcpy(entry.name, cut.data(), cut.size());
}

std::string EntryDisplayName(const TradeListEntry& entry)
{
    std::string text = entry.foil == 1 ? "Foil " : "";
    text += EntryName(entry);
    return text;
}

TradeListEntry MakeTradeListEntry(const CardRecord& card, bool foil)
{
    TradeListEntry entry;
    entry.card_id = card.id;
    entry.quantity = 1;
    SetEntryName(entry, card.name);
    entry.foil = foil ? 1 : 0;
    // The trade list keeps single precision: its file stores a float.
    entry.buy_value = static_cast<float>(foil ? card.foil_value : card.reg_value);
    entry.sell_value = entry.buy_value;
    return entry;
}

bool operator==(const TradeListEntry& a, const TradeListEntry& b)
{
    // Bytes after the name's terminator carry no meaning, so the names compare as texts.
    return a.card_id == b.card_id && a.quantity == b.quantity && EntryName(a) == EntryName(b) &&
           a.foil == b.foil && std::memcmp(&a.buy_value, &b.buy_value, sizeof(float)) == 0 &&
           std::memcmp(&a.sell_value, &b.sell_value, sizeof(float)) == 0 &&
           a.buying_mark == b.buying_mark && a.selling_mark == b.selling_mark;
}
