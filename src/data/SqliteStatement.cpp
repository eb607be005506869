#include "data/SqliteStatement.h"

#include "data/CADOException.h"

#include <sqlite3.h>

void SqliteStatement::ThrowEngineError(sqlite3* db)
{
    throw CADOException(static_cast<std::uint32_t>(sqlite3_extended_errcode(db)), "SQLite",
                        sqlite3_errmsg(db));
}

SqliteStatement::SqliteStatement(sqlite3* db, const char* text, Fail fail)
    : m_db(db), m_fail(fail)
{
    if (sqlite3_prepare_v2(db, text, -1, &m_stmt, nullptr) != SQLITE_OK) {
        sqlite3_finalize(m_stmt);
        m_stmt = nullptr;
        m_fail(db);
    }
}

SqliteStatement::~SqliteStatement()
{
    sqlite3_finalize(m_stmt);
}

bool SqliteStatement::Row()
{
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW) {
        return true;
    }
    if (rc != SQLITE_DONE) {
        m_fail(m_db);
    }
    return false;
}

void SqliteStatement::Run()
{
    Row();
    sqlite3_reset(m_stmt);
    sqlite3_clear_bindings(m_stmt);
}

std::string SqliteStatement::Text(int column) const
{
    const unsigned char* text = sqlite3_column_text(m_stmt, column);
    return text != nullptr ? reinterpret_cast<const char*>(text) : "";
}
