#pragma once

#include <cstdint>
#include <string>
#include <vector>

class CADODataBase;
struct sqlite3;
struct sqlite3_stmt;

/// One day's values of a card.
struct PricePoint {
    std::string date; ///< "YYYY-MM-DD"
    double reg_value = 0.0;
    double foil_value = 0.0;
};

/// The price history of the price database: the values a card had, written by price imports
/// and price corrections. Table `price_days` holds a row only for a day whose values differ
/// from the row before (the days between repeat it), keyed by card and day number (days since
/// 1970-01-01), each value in thousandths of a ticket, or, for a value with more decimals, as
/// the file gave it, so every value reads back exactly.
namespace price_history {

/// The card's stored days by date, oldest first (a day is stored only when values changed).
/// A database without a history gives an empty one and true; false (with *error, if given)
/// only when the database cannot be read.
bool Read(CADODataBase& priceDatabase, std::int32_t cardId, std::vector<PricePoint>& points,
          std::string* error = nullptr);

/// The same on an open engine handle (any thread that owns `db`).
bool Read(sqlite3* db, std::int32_t cardId, std::vector<PricePoint>& points,
          std::string* error = nullptr);

/// Stores the card's values of one day unless the history already gives them (see
/// PriceHistoryWriter); prepares the table first. Call it inside the caller's transaction.
/// False (with *error) when the database refused.
bool Write(sqlite3* db, std::int32_t cardId, const PricePoint& point, std::string* error = nullptr);

/// Creates `price_days` when missing, and converts the one-row-per-card-and-day table of
/// older versions into it once (leaving out days that repeat the day before). Call it inside
/// the caller's transaction. False (with *error) when the database refused.
bool Prepare(sqlite3* db, std::string* error = nullptr);

/// "YYYY-MM-DD" as days since 1970-01-01, -1 for anything else; and back.
int DayNumber(const std::string& date);
std::string DateOfDay(int day);

/// A value as stored (thousandths when exact, else the value) and read back.
void BindPrice(sqlite3_stmt* stmt, int index, double value);
double ColumnPrice(sqlite3_stmt* stmt, int column);

} // namespace price_history
