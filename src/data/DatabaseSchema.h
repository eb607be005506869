#pragma once

#include <functional>
#include <string>

struct sqlite3;

/// The tables of the two database files, and the creation of new, empty files. The program
/// itself never creates a table; makedb and the tests do.
namespace database_schema {

/// `expansion`, `cardslist`, `expansion_code` (set codes) and `catalogue_ids` (the game's
/// catalogue id of each card version: `game_id`, `card_key`). The price history's tables are
/// made by `price_history::Prepare` (`CreatePriceDatabase` runs it).
extern const char* const kPriceTables;
/// `expansion_code` and `catalogue_ids` for a price database made without them; runs again
/// without effect.
extern const char* const kPriceAdditions;
/// `collections`, `trans_detail` and `history`.
extern const char* const kCollectionTables;

/// Creates a new database file at `path` holding `tables`, then calls `fill` (which throws
/// `CADOException` or `std::exception` on failure) inside the same transaction. An existing
/// file is never touched; on any failure the new file is removed, so nothing half-written
/// stays behind. On failure `*error` (if given) says why.
bool CreateDatabase(const std::string& path, const char* tables,
                    const std::function<void(sqlite3*)>& fill, std::string* error = nullptr);

/// True when the open database `db` has `table` with `column` (a price database made before a
/// table was added lacks it).
bool HaveTable(sqlite3* db, const char* table, const char* column);

/// An empty price database at `path`, its price history's tables included.
bool CreatePriceDatabase(const std::string& path, std::string* error = nullptr);
/// The same, then `fill` inside the same transaction, as `CreateDatabase` does.
bool CreatePriceDatabase(const std::string& path, const std::function<void(sqlite3*)>& fill,
                         std::string* error);
/// An empty collection database at `path`.
bool CreateCollectionDatabase(const std::string& path, std::string* error = nullptr);

} // namespace database_schema
