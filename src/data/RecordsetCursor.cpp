#include "data/RecordsetCursor.h"

#include "data/AsciiText.h"
#include "data/CADOException.h"

#include <sqlite3.h>

#include <algorithm>
#include <cctype>
#include <charconv>

namespace {

CADOException StepError(sqlite3* db, int rc)
{
    const int code = sqlite3_extended_errcode(db);
    if (code == SQLITE_NOMEM) {
        return CADOException(ado_error::kOutOfMemory, "SQLite", sqlite3_errmsg(db));
    }
    return CADOException(static_cast<std::uint32_t>(code != 0 ? code : rc), "SQLite",
                         sqlite3_errmsg(db));
}

} // namespace

RecordsetCursor::RecordsetCursor(sqlite3* db, sqlite3_stmt* stmt) : m_db(db), m_stmt(stmt)
{
    const int count = sqlite3_column_count(stmt);
    m_names.reserve(count);
    m_declaredTypes.reserve(count);
    for (int i = 0; i < count; ++i) {
        const char* name = sqlite3_column_name(stmt, i);
        const char* declared = sqlite3_column_decltype(stmt, i);
        m_names.emplace_back(name != nullptr ? name : "");
        m_declaredTypes.push_back(AsciiUpper(declared != nullptr ? declared : ""));
    }
    try {
        Step();
    } catch (...) {
        sqlite3_finalize(m_stmt);
        m_stmt = nullptr;
        throw;
    }
}

RecordsetCursor::~RecordsetCursor()
{
    sqlite3_finalize(m_stmt);
}

void RecordsetCursor::Step()
{
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW) {
        m_stmtHasRow = true;
        return;
    }
    m_stmtHasRow = false;
    if (rc != SQLITE_DONE) {
        throw StepError(m_db, rc);
    }
}

bool RecordsetCursor::AtEnd() const
{
    return m_stmt != nullptr ? !m_stmtHasRow : m_rows.empty();
}

void RecordsetCursor::Next()
{
    if (AtEnd()) {
        throw CADOException(ado_error::kNoCurrentRecord, "CADORecordset",
                            "There is no row after the last one.");
    }
    if (m_stmt != nullptr) {
        Step();
    } else {
        m_rows.pop_front();
    }
}

int RecordsetCursor::Type(int column) const
{
    return m_stmt != nullptr ? sqlite3_column_type(m_stmt, column) : Held(column).type;
}

std::int64_t RecordsetCursor::Integer(int column) const
{
    if (m_stmt != nullptr) {
        return sqlite3_column_int64(m_stmt, column);
    }
    const FieldValue& value = Held(column);
    switch (value.type) {
    case SQLITE_INTEGER:
        return value.integer;
    case SQLITE_FLOAT:
        return static_cast<std::int64_t>(value.real);
    case SQLITE_TEXT: {
        std::int64_t number = 0;
        std::from_chars(value.text.data(), value.text.data() + value.text.size(), number);
        return number;
    }
    default:
        return 0;
    }
}

double RecordsetCursor::Real(int column) const
{
    if (m_stmt != nullptr) {
        return sqlite3_column_double(m_stmt, column);
    }
    const FieldValue& value = Held(column);
    switch (value.type) {
    case SQLITE_INTEGER:
        return static_cast<double>(value.integer);
    case SQLITE_FLOAT:
        return value.real;
    case SQLITE_TEXT: {
        double number = 0.0;
        std::from_chars(value.text.data(), value.text.data() + value.text.size(), number);
        return number;
    }
    default:
        return 0.0;
    }
}

std::string_view RecordsetCursor::Text(int column) const
{
    if (m_stmt != nullptr) {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, column));
        if (text == nullptr) {
            return {};
        }
        return std::string_view(text,
                                static_cast<std::size_t>(sqlite3_column_bytes(m_stmt, column)));
    }
    return Held(column).text;
}

FieldRow RecordsetCursor::ReadRow(sqlite3_stmt* stmt)
{
    const int count = sqlite3_column_count(stmt);
    FieldRow row(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        FieldValue& value = row[i];
        value.type = sqlite3_column_type(stmt, i);
        switch (value.type) {
        case SQLITE_INTEGER:
            value.integer = sqlite3_column_int64(stmt, i);
            value.real = static_cast<double>(value.integer);
            value.text = std::to_string(value.integer);
            break;
        case SQLITE_FLOAT:
            value.real = sqlite3_column_double(stmt, i);
            value.integer = static_cast<std::int64_t>(value.real);
            value.text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, i));
            break;
        case SQLITE_TEXT:
        case SQLITE_BLOB: {
            const auto* bytes = static_cast<const char*>(
                value.type == SQLITE_TEXT ? static_cast<const void*>(sqlite3_column_text(stmt, i))
                                          : sqlite3_column_blob(stmt, i));
            const int size = sqlite3_column_bytes(stmt, i);
            value.text.assign(bytes != nullptr ? bytes : "", static_cast<std::size_t>(size));
            break;
        }
        default:
            break;
        }
    }
    return row;
}

void RecordsetCursor::Detach()
{
    if (m_stmt == nullptr) {
        return;
    }
    std::deque<FieldRow> rows;
    while (m_stmtHasRow) {
        rows.push_back(ReadRow(m_stmt));
        Step();
    }
    sqlite3_finalize(m_stmt);
    m_stmt = nullptr;
    m_rows = std::move(rows);
}

FieldRow& RecordsetCursor::CurrentRow()
{
    Detach();
    if (m_rows.empty()) {
        throw CADOException(ado_error::kNoCurrentRecord, "CADORecordset",
                            "There is no current row.");
    }
    return m_rows.front();
}

void RecordsetCursor::InsertRow(FieldRow row)
{
    Detach();
    m_rows.push_front(std::move(row));
}

void RecordsetCursor::RemoveCurrent()
{
    Detach();
    if (!m_rows.empty()) {
        m_rows.pop_front();
    }
}
