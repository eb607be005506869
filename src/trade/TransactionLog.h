#pragma once

#include "data/DateTime.h"

#include <cstdint>
#include <string>
#include <vector>

class CADODataBase;

/// Directions of a deal, as stored in `trans_detail.in_or_out`.
enum DealDirection : std::int32_t { kDealBought = 0, kDealSold = 1 };

/// One card line of a deal: the trade list key and the quantity of its line.
struct DealLine {
    std::int32_t cardKey = 0;
    std::int32_t quantity = 0;
};

/// Everything one deal writes.
struct DealRequest {
    std::int32_t direction = kDealBought;
    float price = 0.0f;
    std::string comments;  ///< stored exactly as typed
    DateTime when;         ///< the local time of the deal
    std::vector<DealLine> lines;  ///< in the trade list grid's display order
};

struct DealResult {
    bool logged = false;
    std::int32_t transactionId = 0;
    std::string error;  ///< the database's last error when the deal was not logged
};

/// Makes sure collection `collectionNameId` has a `collections` row for the card key (a new
/// row owns 0 copies). Throws `CADOException` when the database refuses.
void EnsureCollectionRow(CADODataBase& database, std::int32_t cardKey,
                         std::int32_t collectionNameId);

/// Writes one deal into the collection database inside one transaction: its `trans_detail`
/// row, then per line the card's `collections` row (created when missing, its owned count
/// raised or lowered, never below 0) and a `history` row. Any failure rolls the whole deal
/// back and reports the database's error; nothing is half-written. A line with a quantity
/// below 0 refuses the whole deal before anything is written.
DealResult LogDeal(CADODataBase& database, const DealRequest& request);

/// The owned count after a deal line: bought adds, sold takes away; never below 0 and held
/// within 32 bits.
std::int32_t OwnedAfterDeal(std::int32_t owned, std::int32_t quantity, std::int32_t direction);
