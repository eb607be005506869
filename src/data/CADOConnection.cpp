#include "data/CADOConnection.h"
#include "data/AsciiText.h"

#include "data/CADOException.h"

#include <sqlite3.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <sys/stat.h>

namespace {

constexpr const char* kEngineSource = "SQLite";
constexpr const char* kLayerSource = "CADOConnection";
// How long a statement waits for another program that holds the file locked.
constexpr int kBusyTimeoutMs = 3000;

// Access files start with 00 01 00 00 and the engine's name.
bool IsAccessFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    char header[19] = {};
    if (!file.read(header, sizeof header)) {
        return false;
    }
    static constexpr char kMagic[4] = {0, 1, 0, 0};
    return std::memcmp(header, kMagic, 4) == 0 &&
           (std::memcmp(header + 4, "Standard Jet DB", 15) == 0 ||
            std::memcmp(header + 4, "Standard ACE DB", 15) == 0);
}

} // namespace

CADOConnection::CADOConnection() = default;

CADOConnection::~CADOConnection()
{
    Close();
}

std::string CADOConnection::DataSourcePath(std::string_view connectionString)
{
    std::string_view rest = connectionString;
    while (!rest.empty()) {
        const std::size_t end = rest.find(';');
        const std::string_view entry = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
        const std::size_t equals = entry.find('=');
        if (equals == std::string_view::npos ||
            !EqualsNoCase(TrimBlanks(entry.substr(0, equals)), "Data Source")) {
            continue;
        }
        std::string_view value = TrimBlanks(entry.substr(equals + 1));
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
            value.back() == value.front()) {
            value = value.substr(1, value.size() - 2);
        }
        std::string path(value);
        std::replace(path.begin(), path.end(), '\\', '/');
        return path;
    }
    return {};
}

CADOException CADOConnection::EngineError(int rc) const
{
    const int code = m_db != nullptr ? sqlite3_extended_errcode(m_db) : rc;
    const char* message = m_db != nullptr ? sqlite3_errmsg(m_db) : sqlite3_errstr(rc);
    if (code == SQLITE_NOMEM) {
        return CADOException(ado_error::kOutOfMemory, kEngineSource, message);
    }
    return CADOException(static_cast<std::uint32_t>(code == 0 ? rc : code), kEngineSource,
                         message != nullptr ? message : "");
}

void CADOConnection::Open(const std::string& connectionString)
{
    Close();
    const std::string path = DataSourcePath(connectionString);
    if (path.empty()) {
        throw CADOException(SQLITE_CANTOPEN, kLayerSource,
                            "The connection string names no file (\"Data Source=...\").");
    }
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        throw CADOException(SQLITE_CANTOPEN, kLayerSource,
                            "The database file " + path + " does not exist.");
    }
    if (!S_ISREG(info.st_mode)) {
        throw CADOException(SQLITE_CANTOPEN, kLayerSource,
                            "The database file " + path + " is not a regular file.");
    }
    if (IsAccessFile(path)) {
        throw CADOException(SQLITE_NOTADB, kLayerSource,
                            "The database file " + path +
                                " is a Microsoft Access (Jet) database; Quorvel reads SQLite "
                                "databases only. Create one with the makedb tool.");
    }

    sqlite3* db = nullptr;
    // Read-write only: SQLite must never create a file that is missing. A connection is used by
    // one thread only, so SQLite's own locking per call is not needed.
    const int rc =
        sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        const int code = db != nullptr ? sqlite3_extended_errcode(db) : rc;
        std::string message = db != nullptr ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
        sqlite3_close_v2(db);
        throw CADOException(static_cast<std::uint32_t>(code), kEngineSource,
                            message + " (" + path + ")");
    }
    sqlite3_extended_result_codes(db, 1);
    sqlite3_busy_timeout(db, kBusyTimeoutMs);
    // SQLite reads the header lazily; read it now so a damaged file fails here, not later.
    char* error = nullptr;
    const int check =
        sqlite3_exec(db, "select count(*) from sqlite_master", nullptr, nullptr, &error);
    if (check != SQLITE_OK) {
        const int code = sqlite3_extended_errcode(db);
        std::string message = error != nullptr ? error : sqlite3_errstr(check);
        sqlite3_free(error);
        sqlite3_close_v2(db);
        throw CADOException(static_cast<std::uint32_t>(code), kEngineSource,
                            message + " (" + path + ")");
    }
    // The catalogue reads the card table in value order through an index, which visits table
    // pages out of order; a page cache that can hold a large price database keeps those reads
    // out of the kernel. The cache grows only as far as the file needs.
    sqlite3_exec(db, "PRAGMA cache_size = -32768", nullptr, nullptr, nullptr);
    m_db = db;
    m_path = path;
    ++m_generation;
}

void CADOConnection::Close()
{
    if (m_db == nullptr) {
        return;
    }
    // close_v2 defers the release until result sets still holding statements let go of them.
    sqlite3_close_v2(m_db);
    m_db = nullptr;
    m_path.clear();
    ++m_generation;
}

void CADOConnection::RequireOpen() const
{
    if (m_db == nullptr) {
        throw CADOException(ado_error::kObjectClosed, kLayerSource, "The connection is not open.");
    }
}

void CADOConnection::Execute(const std::string& statement)
{
    RequireOpen();
    sqlite3_stmt* stmt = nullptr;
    const char* tail = nullptr;
    int rc = sqlite3_prepare_v2(m_db, statement.c_str(), static_cast<int>(statement.size() + 1),
                                &stmt, &tail);
    if (rc != SQLITE_OK) {
        throw EngineError(rc);
    }
    // One statement per call: text appended to a value can never smuggle in a second one.
    const std::string_view rest = tail != nullptr ? TrimBlanks(std::string_view(tail)) : "";
    if (!rest.empty() && rest != ";") {
        sqlite3_finalize(stmt);
        throw CADOException(ado_error::kInvalidArgument, kLayerSource,
                            "The text holds more than one statement.");
    }
    if (stmt == nullptr) {
        return; // white space or a comment: nothing to run
    }
    do {
        rc = sqlite3_step(stmt);
    } while (rc == SQLITE_ROW);
    if (rc != SQLITE_DONE) {
        CADOException error = EngineError(rc);
        sqlite3_finalize(stmt);
        throw error;
    }
    sqlite3_finalize(stmt);
}

void CADOConnection::Run(const char* statement)
{
    RequireOpen();
    const int rc = sqlite3_exec(m_db, statement, nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) {
        throw EngineError(rc);
    }
}

void CADOConnection::BeginTrans()
{
    Run("BEGIN IMMEDIATE");
}

void CADOConnection::CommitTrans()
{
    Run("COMMIT");
}

void CADOConnection::RollbackTrans()
{
    Run("ROLLBACK");
}

bool CADOConnection::InTransaction() const
{
    return m_db != nullptr && sqlite3_get_autocommit(m_db) == 0;
}
