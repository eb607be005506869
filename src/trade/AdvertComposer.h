#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TradeList;

/// One data row of the trade list grid in display order, as the advertisement reads it.
struct TradeGridRow {
    std::int32_t key = 0;     ///< item data of the row's check cells
    bool buyTicked = false;   ///< the "Buy Value" box
    bool sellTicked = false;  ///< the "Sell Value" box
};

/// The brace tokens of a price: {0}..{9}, {a} for 10, {c} for 12, {l} for 16, otherwise one
/// {digit} per decimal digit; {0} below 0.
std::string PriceTokens(std::int64_t n);

/// quantity × price + 0.5 truncated toward zero, in double precision. Totals below 0 (a
/// negative price or quantity) count as 0, and a price that is not a number counts as 0, so a
/// total never wraps into another price; large totals keep every digit.
std::int64_t RoundedTotal(std::int32_t quantity, float price);

/// The trade post text: ticked buying rows and ticked selling rows, grouped by rounded total,
/// "{t}Buying{t}..." then "{t}Selling{t}...". Empty when nothing is ticked.
std::string ComposeTradePost(const std::vector<TradeGridRow>& rows, const TradeList& list);

/// The card part of the auction lister text: every row in capitals joined by "+", the last
/// "+" turned into a blank.
std::string AuctionListItems(const std::vector<TradeGridRow>& rows, const TradeList& list);

/// "-%d-" with the price rounded when it is above 0, else "-NO MIN-".
std::string AuctionMinimum(float price);

/// The whole auction lister text: items + comments + minimum.
std::string ComposeAuctionList(const std::vector<TradeGridRow>& rows, const TradeList& list,
                               float price, std::string_view comments);

/// Capitals for the auction lister: a to z, and the Latin-1 small letters à to þ (UTF-8).
std::string ToAuctionCapitals(std::string_view text);
