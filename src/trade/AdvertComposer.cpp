#include "trade/AdvertComposer.h"

#include "trade/NumberText.h"
#include "trade/TradeList.h"

#include <cmath>
#include <map>

namespace {

// The text of one item of the trade post: "3x" when more than one, " Foil " for foil, name.
std::string TradePostItem(const TradeListEntry& entry)
{
    std::string item = entry.quantity > 1 ? FormatInt("%dx", entry.quantity) : std::string();
    if (entry.foil != 0) {
        item += " Foil ";
    }
    item += EntryName(entry);
    return item;
}

void AddToGroup(std::map<std::int64_t, std::string>& groups, std::int64_t total, std::string item)
{
    auto it = groups.find(total);
    if (it != groups.end()) {
        // The row met later in display order stands first in its group.
        item += "," + it->second;
        it->second = std::move(item);
    } else {
        groups.emplace(total, std::move(item));
    }
}

}  // namespace

std::string PriceTokens(std::int64_t n)
{
    if (n < 0) {
        return "{0}";
    }
    if (n <= 9) {
        return "{" + std::to_string(n) + "}";
    }
    switch (n) {
    case 10:
        return "{a}";
    case 12:
        return "{c}";
    case 16:
        return "{l}";
    default:
        break;
    }
    std::string text;
    for (const char digit : std::to_string(n)) {
        text += '{';
        text += digit;
        text += '}';
    }
    return text;
}

std::int64_t RoundedTotal(std::int32_t quantity, float price)
{
    const double value = static_cast<double>(quantity) * static_cast<double>(price) + 0.5;
    if (!(value >= 0.0)) {  // also a price that is not a number
        return 0;
    }
    // 2^63 is the first double beyond the 64-bit range.
    if (value >= 9223372036854775808.0) {
        return INT64_MAX;
    }
    return static_cast<std::int64_t>(value);
}

std::string ComposeTradePost(const std::vector<TradeGridRow>& rows, const TradeList& list)
{
    // Buying and selling groups are kept apart instead of packing the direction into the
    // bits above a 16-bit total, so no total can land in the other part or in a wrong group.
    std::map<std::int64_t, std::string> buying;
    std::map<std::int64_t, std::string> selling;
    for (const TradeGridRow& row : rows) {
        const TradeListEntry* entry = list.Find(row.key);
        if (!entry) {
            continue;
        }
        if (row.buyTicked) {
            AddToGroup(buying, RoundedTotal(entry->quantity, entry->buy_value),
                       TradePostItem(*entry));
        }
        if (row.sellTicked) {
            AddToGroup(selling, RoundedTotal(entry->quantity, entry->sell_value),
                       TradePostItem(*entry));
        }
    }
    std::string buyText;
    for (const auto& [total, text] : buying) {
        buyText += text + " for " + PriceTokens(total) + ",";
    }
    std::string sellText;
    for (const auto& [total, text] : selling) {
        sellText += text + " for " + PriceTokens(total) + "{v}";
    }
    std::string result;
    if (!buyText.empty()) {
        result += "{t}Buying{t}" + buyText;
    }
    if (!sellText.empty()) {
        result += "{t}Selling{t}" + sellText;
    }
    return result;
}

std::string ToAuctionCapitals(std::string_view text)
{
    std::string out(text);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(out[i]);
        if (c >= 'a' && c <= 'z') {
            out[i] = static_cast<char>(c - 'a' + 'A');
        } else if (c == 0xC3 && i + 1 < out.size()) {
            // U+00E0..U+00FE are C3 A0..C3 BE; their capitals lie 0x20 lower. U+00F7 is the
            // division sign and has no capital.
            const unsigned char next = static_cast<unsigned char>(out[i + 1]);
            if (next >= 0xA0 && next <= 0xBE && next != 0xB7) {
                out[i + 1] = static_cast<char>(next - 0x20);
            }
            ++i;
        }
    }
    return out;
}

std::string AuctionListItems(const std::vector<TradeGridRow>& rows, const TradeList& list)
{
    std::string items;
    for (const TradeGridRow& row : rows) {
        const TradeListEntry* entry = list.Find(row.key);
        if (!entry) {
            continue;
        }
        std::string item = entry->foil != 0 ? " Foil " : "";
        item += EntryName(*entry);
        const std::string prefix =
            entry->quantity > 1 ? FormatInt(" %dx ", entry->quantity) : std::string();
        items += prefix + ToAuctionCapitals(item) + "+";
    }
    if (!items.empty()) {
        items.back() = ' ';
    }
    return items;
}

std::string AuctionMinimum(float price)
{
    if (price > 0.0f) {
        return FormatInt("-%d-", RoundedTotal(1, price));
    }
    return "-NO MIN-";
}

std::string ComposeAuctionList(const std::vector<TradeGridRow>& rows, const TradeList& list,
                               float price, std::string_view comments)
{
    return AuctionListItems(rows, list) + std::string(comments) + AuctionMinimum(price);
}
