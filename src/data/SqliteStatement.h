#pragma once

#include <string>

struct sqlite3;
struct sqlite3_stmt;

/// One prepared statement of an open SQLite database, finalized on every path. A failing
/// prepare or step calls `fail`, which throws the caller's own kind of exception.
class SqliteStatement {
public:
    using Fail = void (*)(sqlite3* db);
    /// The database layer's `Fail`: throws `CADOException` with the engine's code and message.
    [[noreturn]] static void ThrowEngineError(sqlite3* db);

    SqliteStatement(sqlite3* db, const char* text, Fail fail);
    ~SqliteStatement();
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    sqlite3_stmt* operator*() const { return m_stmt; }
    /// Steps once: true on a row, false when the statement is done.
    bool Row();
    /// Steps once and makes the statement ready for the next bindings.
    void Run();
    /// The text of a column of the current row; empty for NULL.
    std::string Text(int column) const;

private:
    sqlite3* m_db;
    sqlite3_stmt* m_stmt = nullptr;
    Fail m_fail;
};
