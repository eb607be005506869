#include "update/SourceRecord.h"

#include "data/DateTime.h"

#include <sqlite3.h>

namespace {

constexpr const char* kTable = R"sql(
CREATE TABLE IF NOT EXISTS price_source (
    source TEXT NOT NULL,
    file TEXT NOT NULL,
    version TEXT,
    date TEXT,
    sha256 TEXT,
    read_at TEXT,
    PRIMARY KEY (source, file)
);
)sql";

void SetError(std::string* error, std::string text)
{
    if (error != nullptr) {
        *error = std::move(text);
    }
}

std::string Column(sqlite3_stmt* stmt, int column)
{
    const unsigned char* text = sqlite3_column_text(stmt, column);
    return text != nullptr ? reinterpret_cast<const char*>(text) : "";
}

std::string Now()
{
    return DateTime::UtcNow().Format("%Y-%m-%d %H:%M:%S");
}

} // namespace

bool SourceRecord::ReadAll(const std::string& databasePath, std::vector<SourceRecord>& records,
                           std::string* error)
{
    records.clear();
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(databasePath.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        SetError(error, "Cannot open the price database " + databasePath + ": " +
                            (db != nullptr ? sqlite3_errmsg(db) : "out of memory") + ".");
        sqlite3_close_v2(db);
        return false;
    }
    sqlite3_busy_timeout(db, 2000);
    bool ok = true;
    if (sqlite3_table_column_metadata(db, "main", "price_source", "source", nullptr, nullptr,
                                      nullptr, nullptr, nullptr) == SQLITE_OK) {
        sqlite3_stmt* stmt = nullptr;
        int rc = sqlite3_prepare_v2(
            db, "select source, file, version, date, sha256, read_at from price_source", -1, &stmt,
            nullptr);
        while (rc == SQLITE_OK && (rc = sqlite3_step(stmt)) == SQLITE_ROW) {
            records.push_back({Column(stmt, 0), Column(stmt, 1), Column(stmt, 2), Column(stmt, 3),
                               Column(stmt, 4), Column(stmt, 5)});
            rc = SQLITE_OK;
        }
        sqlite3_finalize(stmt);
        if (rc != SQLITE_DONE) {
            ok = false;
            SetError(error, "Cannot read the price database " + databasePath + ": " +
                                sqlite3_errmsg(db) + ".");
        }
    }
    sqlite3_close_v2(db);
    return ok;
}

bool SourceRecord::WriteAll(sqlite3* db, const std::vector<SourceRecord>& records,
                            std::string* error)
{
    if (sqlite3_exec(db, kTable, nullptr, nullptr, nullptr) != SQLITE_OK) {
        SetError(error, sqlite3_errmsg(db));
        return false;
    }
    sqlite3_stmt* stmt = nullptr;
    int rc = sqlite3_prepare_v2(db,
                                "insert or replace into price_source (source, file, version, date, "
                                "sha256, read_at) values (?, ?, ?, ?, ?, ?)",
                                -1, &stmt, nullptr);
    const std::string now = Now();
    for (const SourceRecord& record : records) {
        if (rc != SQLITE_OK && rc != SQLITE_DONE) {
            break;
        }
        sqlite3_reset(stmt);
        sqlite3_bind_text(stmt, 1, record.source.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(stmt, 2, record.file.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(stmt, 3, record.version.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(stmt, 4, record.date.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(stmt, 5, record.sha256.c_str(), -1, SQLITE_TRANSIENT);
        const std::string& at = record.readAt.empty() ? now : record.readAt;
        sqlite3_bind_text(stmt, 6, at.c_str(), -1, SQLITE_TRANSIENT);
        rc = sqlite3_step(stmt);
    }
    sqlite3_finalize(stmt);
    if (rc != SQLITE_DONE && !(records.empty() && rc == SQLITE_OK)) {
        SetError(error, sqlite3_errmsg(db));
        return false;
    }
    return true;
}

const SourceRecord* SourceRecord::Find(const std::vector<SourceRecord>& records,
                                       const std::string& source, const std::string& file)
{
    for (const SourceRecord& record : records) {
        if (record.source == source && record.file == file) {
            return &record;
        }
    }
    return nullptr;
}
