#include "TradeLineBuilder.h"

TradeListEntry MakeTradeLine(std::int32_t id, const std::string& name, std::int32_t quantity,
                             float buy, float sell, bool foil, std::int32_t buyMark,
                             std::int32_t sellMark)
{
    TradeListEntry entry;
    entry.card_id = id;
    entry.quantity = quantity;
    SetEntryName(entry, name);
    entry.foil = foil ? 1 : 0;
    entry.buy_value = buy;
    entry.sell_value = sell;
    entry.buying_mark = buyMark;
    entry.selling_mark = sellMark;
    return entry;
}
