#pragma once

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
    std::string error;
    std::set<std::int32_t> listedDeals;  ///< a deal of two ticked cards is listed once

};

/// Appends the rows for one catalogue id (its regular and foil keys in collection 0), or for
/// everything when `all` is true. Collection view: "Quantity", "Cards Name" (cards owned 0
/// times left out). Transaction log view: "Date", "Details", "Comments". Stops at the first
/// failing query, keeping what it read.
void FillView(CADODataBase& database, CollectionViewMode mode, std::int32_t cardId, bool all,
              const CardNameOf& nameOf, CollectionViewRows& out);

/// All rows of a view: one `FillView` per ticked catalogue id in order, or everything when no
/// card is ticked.
CollectionViewRows RefreshViewRows(CADODataBase& database, CollectionViewMode mode,
                                   const std::vector<std::int32_t>& tickedCardIds,
                                   const CardNameOf& nameOf);
