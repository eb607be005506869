#pragma once

#include <cstdint>
#include <string>
#include <vector>

class CADODataBase;
struct sqlite3;

/// One day's values of a card (a row of `price_history`).
struct PricePoint {
    std::string date; ///< "YYYY-MM-DD"
    double reg_value = 0.0;
    double foil_value = 0.0;
};

/// The price history of the price database: the values a card had, one row per card and day,
/// written by price imports and price corrections.
namespace price_history {

/// The card's history by date, oldest first. A database without the history table gives an
/// empty history and true; false (with *error, if given) only when the database cannot be read.
bool Read(CADODataBase& priceDatabase, std::int32_t cardId, std::vector<PricePoint>& points,
          std::string* error = nullptr);

/// The same on an open engine handle (any thread that owns `db`).
bool Read(sqlite3* db, std::int32_t cardId, std::vector<PricePoint>& points,
          std::string* error = nullptr);

/// Stores the card's values of one day, replacing that day's row; creates the history tables
/// first when the database lacks them. Call it inside the caller's transaction. False (with
/// *error) when the database refused.
bool Write(sqlite3* db, std::int32_t cardId, const PricePoint& point, std::string* error = nullptr);

} // namespace price_history
