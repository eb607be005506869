#pragma once

#include <string>
#include <string_view>

/// Every SQL text the program issues. Texts with "%d", "%f" or "%s" are filled with
/// `sql::Format` (C format rules) and then opened as a result set (select) or executed on the
/// connection (insert).
namespace sql {

/// Price database: every set (`expansion_id`, `name`).
inline constexpr const char* kSelectExpansions = "select * from expansion";
/// Price database: every card, in the order of the card list.
inline constexpr const char* kSelectCards =
    "select * from cardslist order by reg_value desc,expansion desc";
/// Price database: one card by catalogue id (%d); its row is changed by price correction.
inline constexpr const char* kSelectCardById = "select * from cardslist where id=%d";
/// Collection database: one card key (%d) of one collection (%d).
inline constexpr const char* kSelectCollectionCard =
    "select * from collections where card_id=%d and collectionName_id=%d";
/// Collection database: a new deal; date text, direction, price, comments (quote the comments
/// with `EscapeLiteral`).
inline constexpr const char* kInsertDeal =
    "insert into trans_detail (deal_date, in_or_out, price, comments) values "
    "('%s',%d,%f,'%s')";
/// Collection database: the id of the newest deal.
inline constexpr const char* kSelectNewestDealId =
    "select id from trans_detail where id=(select max(id) from trans_detail)";
/// Collection database: one card line of a deal; collections row id, copies, deal id.
inline constexpr const char* kInsertHistory =
    "insert into history (collections_id, no_trade_cards, transaction_id) values (%d,%d,%d)";
/// Collection database: every collection row.
inline constexpr const char* kSelectCollections = "select * from collections";
/// Collection database: the regular (%d) and foil (%d) card key of one card in a collection
/// (%d).
inline constexpr const char* kSelectCollectionCardBoth =
    "select * from collections where (card_id=%d or card_id=%d) and collectionName_id=%d";
/// Collection database: every deal that moved any card.
inline constexpr const char* kSelectDeals =
    "select * from trans_detail where id in (select distinct transaction_id from history "
    "where collections_id in (select id from collections))";
/// Collection database: the deals that moved the regular (%d) or foil (%d) copies of one card
/// in a collection (%d).
inline constexpr const char* kSelectDealsOfCard =
    "select * from trans_detail where id in (select distinct transaction_id from history "
    "where collections_id in (select id from collections where (card_id=%d or card_id=%d) "
    "and collectionName_id=%d))";
/// Collection database: the card keys and copies (read by position 0 and 1) of one deal (%d).
inline constexpr const char* kSelectDealCards =
    "select collections.card_id, history.no_trade_cards from collections,history where "
    "collections.id=history.collections_id and history.transaction_id=%d";

/// The collection the program keeps its cards in.
inline constexpr int kMainCollection = 0;
/// Directions of a deal (`trans_detail.in_or_out`).
inline constexpr int kBought = 0;
inline constexpr int kSold = 1;
/// The form of a date written inside an insert text.
inline constexpr const char* kDealDateFormat = "%B %d %Y %H:%M:%S";

/// A text formatted with C format rules.
std::string Format(const char* pattern, ...) __attribute__((format(printf, 1, 2)));

/// `text` made safe for the inside of a single-quoted SQL literal: single quotes doubled, and
/// the text cut at a NUL byte (which would end the statement text early).
std::string EscapeLiteral(std::string_view text);

} // namespace sql
