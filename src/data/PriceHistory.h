#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

class CADODataBase;
struct sqlite3;
struct sqlite3_stmt;

/// One day's values of a card.
struct PricePoint {
    PricePoint() = default;
    PricePoint(std::string day, double reg, double foil, std::optional<double> buy = {},
               std::optional<double> buyFoil = {})
        : date(std::move(day)), reg_value(reg), foil_value(foil), buy_value(buy),
          buy_foil_value(buyFoil)
    {
    }

    std::string date; ///< "YYYY-MM-DD"
    double reg_value = 0.0;
    double foil_value = 0.0;
    /// What the store's bots pay for the regular and the foil version (the buylist), when a
    /// price file gave it; a day without it keeps the value the history had.
    std::optional<double> buy_value;
    std::optional<double> buy_foil_value;
};

/// The price history of the price database: the values a card had, written by price imports
/// and price corrections. Table `price_days` holds a row only for a day whose values differ
/// from the row before (the days between repeat it), keyed by card and day number (days since
/// 1970-01-01), each value in thousandths of a ticket, or, for a value with more decimals, as
/// the file gave it, so every value reads back exactly; the buylist values are empty (NULL)
/// until a file gives them. Table `price_latest` holds each card's latest row again, kept by a
/// trigger of the database, so that storing a new day never searches the long history.
namespace price_history {

/// The card's stored days by date, oldest first (a day is stored only when values changed).
/// A database without a history gives an empty one and true; false (with *error, if given)
/// only when the database cannot be read.
bool Read(CADODataBase& priceDatabase, std::int32_t cardId, std::vector<PricePoint>& points,
          std::string* error = nullptr);

/// The same on an open engine handle (any thread that owns `db`).
bool Read(sqlite3* db, std::int32_t cardId, std::vector<PricePoint>& points,
          std::string* error = nullptr);

/// A card's latest buylist values, regular and foil.
struct Buylist {
    std::optional<double> regular;
    std::optional<double> foil;
};

/// Every card's latest buylist values by card id (cards without any are left out). A database
/// whose history has none yet gives an empty map and true; false (with *error, if given) only
/// when the database cannot be read.
bool ReadBuylists(sqlite3* db, std::unordered_map<std::int32_t, Buylist>& buylists,
                  std::string* error = nullptr);

/// Stores the card's values of one day unless the history already gives them (see
/// PriceHistoryWriter); prepares the table first. Call it inside the caller's transaction.
/// False (with *error) when the database refused.
bool Write(sqlite3* db, std::int32_t cardId, const PricePoint& point, std::string* error = nullptr);

/// Creates `price_days` and `price_latest` when missing, and converts older histories once:
/// the one-row-per-card-and-day table of older versions (leaving out days that repeat the day
/// before), and a `price_days` without buylist columns. Call it inside the caller's
/// transaction. False (with *error) when the database refused.
bool Prepare(sqlite3* db, std::string* error = nullptr);

/// "YYYY-MM-DD" as days since 1970-01-01, -1 for anything else; and back.
int DayNumber(const std::string& date);
std::string DateOfDay(int day);

/// A value as stored (thousandths when exact, else the value) and read back.
void BindPrice(sqlite3_stmt* stmt, int index, double value);
double ColumnPrice(sqlite3_stmt* stmt, int column);
/// The same for a value that may be missing (NULL).
void BindPrice(sqlite3_stmt* stmt, int index, const std::optional<double>& value);
std::optional<double> ColumnOptionalPrice(sqlite3_stmt* stmt, int column);

} // namespace price_history
