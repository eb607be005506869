#pragma once

#include "trade/CollectionColumn.h"
#include "trade/CollectionText.h"

#include <cstdint>
#include <set>
#include <string>
#include <vector>

class CADODataBase;

/// The two views over the collection database.
enum class CollectionViewMode : int { Collection = 0, TransactionLog = 1 };

/// The rows a view shows, and what went wrong when a query failed: the rows read before the
/// failure are kept and `error` holds the database's last error.
struct CollectionViewRows {
    std::vector<std::vector<std::string>> rows;  ///< one text per column
    std::vector<std::string> setNames;  ///< per row: the tip of its Set cell
    std::string error;
    std::set<std::int32_t> listedDeals;  ///< a deal of two ticked cards is listed once
    /// Collection view: the worth of the rows shown and how many copies they hold (those of
    /// cards without a price apart). Transaction log view: prices paid and received, and what
    /// the cards of those deals are worth today.
    double worth = 0.0;
    long long copies = 0;
    long long unknownCopies = 0;
    double boughtFor = 0.0;
    double boughtWorth = 0.0;
    double soldFor = 0.0;
    double soldWorth = 0.0;
};

/// The worth line of a view over its rows.
std::string WorthCaption(CollectionViewMode mode, const CollectionViewRows& rows);

/// What the views show of a card besides the counts the collection database holds.
struct CardTexts {
    CardNameOf nameOf;
    CardValueOf valueOf;
    CardSetOf setOf;
};

/// Appends the rows for one catalogue id (its regular and foil keys in collection 0), or for
/// everything when `all` is true, with a text for every column (CollectionColumn, cards owned
/// 0 times left out; DealLogColumn). Stops at the first failing query, keeping what it read.
void FillView(CADODataBase& database, CollectionViewMode mode, std::int32_t cardId, bool all,
              const CardTexts& cards, CollectionViewRows& out);

/// All rows of a view: one `FillView` per ticked catalogue id in order, or everything when no
/// card is ticked.
CollectionViewRows RefreshViewRows(CADODataBase& database, CollectionViewMode mode,
                                   const std::vector<std::int32_t>& tickedCardIds,
                                   const CardTexts& cards);
