#include "data/DatabaseSchema.h"

#include "data/CADOException.h"
#include "data/PriceHistory.h"

#include <sqlite3.h>

#include <cstdio>
#include <exception>
#include <stdexcept>
#include <sys/stat.h>

namespace database_schema {

// Ids that the program relies on being unique are indexed, not constrained, so that a file
// edited by hand with repeated ids still loads (the later row wins in memory).
const char* const kPriceTables = R"sql(
CREATE TABLE expansion (
    expansion_id INTEGER,
    name TEXT
);
CREATE INDEX expansion_by_id ON expansion (expansion_id);
CREATE TABLE cardslist (
    id INTEGER,
    name TEXT,
    reg_value REAL DEFAULT 0,
    foil_value REAL DEFAULT 0,
    expansion INTEGER,
    collection_no INTEGER DEFAULT 0,
    rarity INTEGER DEFAULT 10,
    hot INTEGER DEFAULT 0,
    update_date DATETIME,
    manual_modify INTEGER DEFAULT 0
);
CREATE INDEX cardslist_by_id ON cardslist (id);
CREATE INDEX cardslist_by_value ON cardslist (reg_value DESC, expansion DESC);
CREATE TABLE expansion_code (
    expansion_id INTEGER,
    code TEXT
);
CREATE INDEX expansion_code_by_id ON expansion_code (expansion_id);
CREATE TABLE catalogue_ids (
    game_id INTEGER,
    card_key INTEGER
);
CREATE UNIQUE INDEX catalogue_ids_by_game ON catalogue_ids (game_id);
PRAGMA user_version = 1;
)sql";

// Files made before set codes existed gain their table when prices are first imported or
// corrected (the price history's table is prepared by price_history::Prepare); every statement
// may run again without effect.
const char* const kPriceAdditions = R"sql(
CREATE TABLE IF NOT EXISTS expansion_code (
    expansion_id INTEGER,
    code TEXT
);
CREATE INDEX IF NOT EXISTS expansion_code_by_id ON expansion_code (expansion_id);
CREATE TABLE IF NOT EXISTS catalogue_ids (
    game_id INTEGER,
    card_key INTEGER
);
CREATE UNIQUE INDEX IF NOT EXISTS catalogue_ids_by_game ON catalogue_ids (game_id);
)sql";

// Deal dates arrive inside insert texts in the English form ("December 06 2026 23:05:24");
// the trigger stores them in the same sortable form as every other date.
const char* const kCollectionTables = R"sql(
CREATE TABLE collections (
    id INTEGER PRIMARY KEY AUTOINCREMENT,
    card_id INTEGER DEFAULT 0,
    collectionName_id INTEGER DEFAULT 0,
    no_owned INTEGER DEFAULT 0
);
CREATE UNIQUE INDEX collections_by_card ON collections (card_id, collectionName_id);
CREATE TABLE trans_detail (
    id INTEGER PRIMARY KEY AUTOINCREMENT,
    deal_date DATETIME,
    in_or_out INTEGER DEFAULT 0,
    price REAL DEFAULT 0,
    comments TEXT DEFAULT ''
);
CREATE TABLE history (
    collections_id INTEGER,
    no_trade_cards INTEGER DEFAULT 0,
    transaction_id INTEGER
);
CREATE INDEX history_by_deal ON history (transaction_id);
CREATE INDEX history_by_card ON history (collections_id);
CREATE TRIGGER trans_detail_english_date AFTER INSERT ON trans_detail
WHEN NEW.deal_date GLOB '[A-Z][a-z]* [0-9][0-9] [0-9][0-9][0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9]'
 AND substr(NEW.deal_date, 1, instr(NEW.deal_date, ' ') - 1) IN ('January', 'February',
     'March', 'April', 'May', 'June', 'July', 'August', 'September', 'October', 'November',
     'December')
BEGIN
    UPDATE trans_detail SET deal_date =
        substr(NEW.deal_date, instr(NEW.deal_date, ' ') + 4, 4) || '-' ||
        CASE substr(NEW.deal_date, 1, instr(NEW.deal_date, ' ') - 1)
            WHEN 'January' THEN '01' WHEN 'February' THEN '02' WHEN 'March' THEN '03'
            WHEN 'April' THEN '04' WHEN 'May' THEN '05' WHEN 'June' THEN '06'
            WHEN 'July' THEN '07' WHEN 'August' THEN '08' WHEN 'September' THEN '09'
            WHEN 'October' THEN '10' WHEN 'November' THEN '11' ELSE '12' END || '-' ||
        substr(NEW.deal_date, instr(NEW.deal_date, ' ') + 1, 2) || ' ' ||
        substr(NEW.deal_date, instr(NEW.deal_date, ' ') + 9, 8)
    WHERE id = NEW.id;
END;
PRAGMA user_version = 1;
)sql";

namespace {

void Run(sqlite3* db, const char* statements)
{
    char* message = nullptr;
    if (sqlite3_exec(db, statements, nullptr, nullptr, &message) != SQLITE_OK) {
        const std::string text = message != nullptr ? message : sqlite3_errmsg(db);
        sqlite3_free(message);
        throw CADOException(static_cast<std::uint32_t>(sqlite3_extended_errcode(db)), "SQLite",
                            text);
    }
}

void SetError(std::string* error, const std::string& text)
{
    if (error != nullptr) {
        *error = text;
    }
}

} // namespace

bool HaveTable(sqlite3* db, const char* table, const char* column)
{
    return sqlite3_table_column_metadata(db, "main", table, column, nullptr, nullptr, nullptr,
                                         nullptr, nullptr) == SQLITE_OK;
}

bool CreateDatabase(const std::string& path, const char* tables,
                    const std::function<void(sqlite3*)>& fill, std::string* error)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0) {
        SetError(error, "The file " + path + " already exists; it was left untouched.");
        return false;
    }
    sqlite3* db = nullptr;
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
    if (sqlite3_open_v2(path.c_str(), &db, flags, nullptr) != SQLITE_OK) {
        SetError(error, "Cannot create " + path + ": " +
                            (db != nullptr ? sqlite3_errmsg(db) : "out of memory"));
        sqlite3_close(db);
        return false;
    }
    bool ok = false;
    try {
        Run(db, "BEGIN");
        Run(db, tables);
        if (fill) {
            fill(db);
        }
        Run(db, "COMMIT");
        ok = true;
    } catch (const CADOException& failure) {
        SetError(error, "Cannot create " + path + ": " + failure.Description());
    } catch (const std::exception& failure) {
        SetError(error, "Cannot create " + path + ": " + failure.what());
    }
    if (sqlite3_close(db) != SQLITE_OK && ok) {
        SetError(error, "Cannot close " + path + ": " + sqlite3_errmsg(db));
        sqlite3_close_v2(db);
        ok = false;
    }
    if (!ok) {
        std::remove(path.c_str());
        std::remove((path + "-journal").c_str());
    }
    return ok;
}

bool CreatePriceDatabase(const std::string& path, std::string* error)
{
    return CreatePriceDatabase(path, nullptr, error);
}

bool CreatePriceDatabase(const std::string& path, const std::function<void(sqlite3*)>& fill,
                         std::string* error)
{
    // The price history defines its own tables, so a new file gets exactly what an import
    // prepares in an older one.
    const auto prepareAndFill = [&fill](sqlite3* db) {
        std::string why;
        if (!price_history::Prepare(db, &why))
            throw std::runtime_error(why);
        if (fill)
            fill(db);
    };
    return CreateDatabase(path, kPriceTables, prepareAndFill, error);
}

bool CreateCollectionDatabase(const std::string& path, std::string* error)
{
    return CreateDatabase(path, kCollectionTables, nullptr, error);
}

} // namespace database_schema
