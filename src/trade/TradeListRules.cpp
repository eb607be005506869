#include "trade/TradeListRules.h"

#include "lookup/OfferReader.h"

#include "data/CardKey.h"
#include "data/CardRecord.h"
#include "data/PlausibleValues.h"
#include "data/PriceText.h"
#include "trade/CatalogueRows.h"
#include "trade/NumberText.h"
#include "trade/TradeList.h"

#include <cmath>

std::vector<TradeListRow> RefreshTradeList(TradeList& list)
{
    std::vector<TradeListRow> rows;
    rows.reserve(list.Count());
    double buySum = 0.0;
    double sellSum = 0.0;
    for (const auto& [key, entry] : list) {
        TradeListRow row;
        row.key = key;
        row.quantity = FormatInt("%d", entry.quantity);
        row.name = EntryDisplayName(entry);
        row.buy = PriceText(entry.buy_value);
        row.sell = PriceText(entry.sell_value);
        row.buyTicked = entry.buying_mark != 0;
        row.sellTicked = entry.selling_mark != 0;
        buySum += static_cast<double>(entry.quantity) * entry.buy_value;
        sellSum += static_cast<double>(entry.quantity) * entry.sell_value;
        rows.push_back(std::move(row));
    }
    list.SetTotals(buySum, sellSum);
    return rows;
}

namespace {

// A total as the label has always shown it: at least four characters, blanks in front.
std::string TotalText(double total)
{
    const std::string text = PriceText(total);
    return std::string(text.size() < 4 ? 4 - text.size() : 0, ' ') + text;
}

}  // namespace

std::string TotalsLabel(double buyTotal, double sellTotal)
{
    return "Buy Value:" + TotalText(buyTotal) + "; Sell Value:" + TotalText(sellTotal);
}

bool ApplyCellEdit(TradeList& list, std::int32_t key, int column, std::string_view text)
{
    if (!list.Contains(key)) {
        return false;
    }
    if (!RefusedEdit(column, text).empty()) {
        return false;
    }
    TradeListEntry entry = list.Get(key);
    switch (column) {
    case kQuantityColumn:
        entry.quantity = ParseLeadingInt(text);
        break;
    case kBuyColumn:
        entry.buy_value = ParseLeadingFloat(text);
        break;
    case kSellColumn:
        entry.sell_value = ParseLeadingFloat(text);
        break;
    default:
        return false;
    }
    list.Erase(key);
    list.Set(key, entry);
    return true;
}

std::string RefusedEdit(int column, std::string_view text)
{
    if (column == kQuantityColumn && ParseLeadingInt(text) > plausible::kMostCards) {
        return "No trade holds more than 1,000,000 copies of a card; the quantity was not "
               "changed.";
    }
    if ((column == kBuyColumn || column == kSellColumn) &&
        std::fabs(ParseLeadingDecimal(text)) > plausible::kMostTix) {
        return "No card is worth more than 1,000,000 Tix; the price was not changed.";
    }
    return {};
}

void SetTradeListMark(TradeList& list, std::int32_t key, int column, bool ticked)
{
    if (!list.Contains(key) || (column != kBuyColumn && column != kSellColumn)) {
        return;
    }
    TradeListEntry entry = list.Get(key);
    (column == kBuyColumn ? entry.buying_mark : entry.selling_mark) = ticked ? 1 : 0;
    list.Set(key, entry);
}

namespace {

void ApplyOffer(TradeListEntry& entry, const Offer* offer)
{
    if (offer == nullptr) {
        return;
    }
    for (const Offer::Item& item : offer->items) {
        if (item.name != EntryName(entry)) {
            continue;
        }
        entry.quantity = item.quantity;
        if (item.asked && offer->side == Offer::Side::Sells) {
            entry.buy_value = static_cast<float>(*item.asked);
        } else if (item.asked && offer->side == Offer::Side::Buys) {
            entry.sell_value = static_cast<float>(*item.asked);
        }
        return;
    }
}

}  // namespace

int PutIntoList(TradeList& list, const CatalogueRows& rows, const Offer* offer)
{
    int filed = 0;
    const int count = rows.RowCount();
    for (int r = 0; r < count; ++r) {
        const CatalogueRow row = rows.Row(r);
        if (!row.nameTicked) {
            continue;
        }
        // The name cell's tag is the card id + 16777216, which is also the key of the card's
        // foil line: a card already in the list as foil is left as it is.
        if (list.Contains(row.nameTag)) {
            continue;
        }
        const CardRecord* card = rows.ShownCard(card_key::CatalogueId(row.nameTag));
        if (!card) {
            continue;
        }
        for (const bool foil : {false, true}) {
            if (foil ? row.foilTicked : row.regTicked) {
                TradeListEntry entry = MakeTradeListEntry(*card, foil);
                ApplyOffer(entry, offer);
                list.Set(foil ? card_key::Foil(card->id) : card_key::Regular(card->id), entry);
                ++filed;
            }
        }
    }
    return filed;
}

std::size_t RemoveTicked(TradeList& list, const std::vector<std::int32_t>& tickedKeys)
{
    std::size_t erased = 0;
    for (const std::int32_t key : tickedKeys) {
        if (list.Contains(key)) {
            list.Erase(key);
            ++erased;
        }
    }
    return erased;
}

void RemoveAll(TradeList& list)
{
    list.Clear();
    list.SetTotals(0.0f, 0.0f);
}
