#include "data/CADOConnection.h"
#include "data/AsciiText.h"

#include "data/CADOException.h"

#include <sqlite3.h>

#include <algorithm>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>

namespace {

constexpr const char* kEngineSource = "SQLite";
constexpr const char* kLayerSource = "CADOConnection";
// A bounded read may take this much processor time, and this much more for every 16 MiB of
// file: a million cards (about 150 MiB) load in a second or two, an endless view never ends.
constexpr std::int64_t kReadBaseNs = 2'000'000'000;
constexpr std::int64_t kReadNsPer16MiB = 1'000'000'000;
// Engine steps between two looks at the stop question and the clock (a few microseconds).
constexpr int kStepsPerCheck = 1000;
// A wait for a lock looks again this often, and asks the stop question each time.
constexpr int kLockPauseMs = 20;

std::int64_t ThreadCpuNs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

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
    m_lockWaitMs = m_openLockWaitMs;
    sqlite3_busy_handler(db, &CADOConnection::OnBusy, this);
    if (m_boundDepth > 0) {
        sqlite3_progress_handler(db, kStepsPerCheck, &CADOConnection::OnProgress, this);
    }
    // SQLite reads the header lazily; read it now so a damaged file fails here, not later.
    char* error = nullptr;
    const int check =
        sqlite3_exec(db, "select count(*) from sqlite_master", nullptr, nullptr, &error);
    m_lockWaitMs = kLockWaitMs;
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

bool CADOConnection::IsLockError(std::uint32_t code)
{
    // Only the engine's own codes: the layer's codes are far larger.
    const std::uint32_t primary = code & 0xff;
    return code <= 0xffff && (primary == SQLITE_BUSY || primary == SQLITE_LOCKED);
}

int CADOConnection::OnBusy(void* self, int count)
{
    auto* connection = static_cast<CADOConnection*>(self);
    if (connection->m_boundDepth > 0 && connection->m_stopRequested &&
        connection->m_stopRequested()) {
        connection->m_readCut = ReadCut::Stopped;
        return 0;
    }
    if (count * kLockPauseMs >= connection->m_lockWaitMs) {
        return 0;
    }
    sqlite3_sleep(kLockPauseMs);
    return 1;
}

int CADOConnection::OnProgress(void* self)
{
    auto* connection = static_cast<CADOConnection*>(self);
    if (connection->m_readCut != ReadCut::None) {
        return 1;
    }
    if (connection->m_stopRequested && connection->m_stopRequested()) {
        connection->m_readCut = ReadCut::Stopped;
    } else if (ThreadCpuNs() > connection->m_cpuLimitNs) {
        connection->m_readCut = ReadCut::TooLong;
    }
    return connection->m_readCut != ReadCut::None ? 1 : 0;
}

void CADOConnection::BeginBoundedRead(std::function<bool()> stopRequested)
{
    if (m_boundDepth++ > 0) {
        return;
    }
    m_stopRequested = std::move(stopRequested);
    m_readCut = ReadCut::None;
    std::error_code ec;
    const std::uintmax_t size = m_path.empty() ? 0 : std::filesystem::file_size(m_path, ec);
    m_cpuBudgetNs =
        kReadBaseNs + (ec ? 0 : static_cast<std::int64_t>(size >> 24) * kReadNsPer16MiB);
    m_cpuLimitNs = ThreadCpuNs() + m_cpuBudgetNs;
    if (m_db != nullptr) {
        sqlite3_progress_handler(m_db, kStepsPerCheck, &CADOConnection::OnProgress, this);
    }
}

void CADOConnection::EndBoundedRead()
{
    if (m_boundDepth == 0 || --m_boundDepth > 0) {
        return;
    }
    m_stopRequested = nullptr;
    if (m_db != nullptr) {
        sqlite3_progress_handler(m_db, 0, nullptr, nullptr);
    }
}

std::string CADOConnection::TooLongText() const
{
    std::error_code ec;
    const std::filesystem::path absolute = std::filesystem::absolute(m_path, ec);
    return "Reading the price database " + (ec ? m_path : absolute.lexically_normal().string()) +
           " was stopped after " + std::to_string(m_cpuBudgetNs / 1'000'000'000) +
           " seconds of work: a file of its size never needs so long. Its card table may be a "
           "view that never ends, or the file may not be a price database.";
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
