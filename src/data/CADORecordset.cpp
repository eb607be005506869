#include "data/CADORecordset.h"

#include "data/AsciiText.h"

#include "data/CADOConnection.h"
#include "data/CADODataBase.h"
#include "data/CADOException.h"
#include "data/DateTime.h"
#include "data/RecordsetCursor.h"
#include "data/SelectStatement.h"

#include <sqlite3.h>

#include <cctype>
#include <new>

namespace {

constexpr const char* kSource = "CADORecordset";

enum class Kind { Null, Integer, Real, Text, Date, Blob };

bool Contains(const std::string& text, const char* part)
{
    return text.find(part) != std::string::npos;
}

// The kind of a field: by its declared column type, or for expressions by the value it holds.
Kind KindOf(const RecordsetCursor& cursor, int column)
{
    const std::string& declared = cursor.DeclaredType(column);
    if (!declared.empty()) {
        if (Contains(declared, "DATE") || Contains(declared, "TIME")) {
            return Kind::Date;
        }
        if (Contains(declared, "INT") || declared == "BIT" || declared == "BOOLEAN" ||
            declared == "COUNTER" || declared == "LONG" || declared == "SHORT" ||
            declared == "BYTE") {
            return Kind::Integer;
        }
        if (Contains(declared, "CHAR") || Contains(declared, "CLOB") ||
            Contains(declared, "TEXT") || Contains(declared, "MEMO")) {
            return Kind::Text;
        }
        if (Contains(declared, "BLOB") || Contains(declared, "BINARY")) {
            return Kind::Blob;
        }
        return Kind::Real;
    }
    switch (cursor.Type(column)) {
    case SQLITE_INTEGER:
        return Kind::Integer;
    case SQLITE_FLOAT:
        return Kind::Real;
    case SQLITE_TEXT:
        return Kind::Text;
    case SQLITE_BLOB:
        return Kind::Blob;
    default:
        return Kind::Null;
    }
}

bool IsEmpty(const RecordsetCursor& cursor, int column)
{
    const int type = cursor.Type(column);
    return type == SQLITE_NULL || (type == SQLITE_TEXT && cursor.Text(column).empty());
}

CADOException Engine(sqlite3* db)
{
    const int code = sqlite3_extended_errcode(db);
    if (code == SQLITE_NOMEM) {
        return CADOException(ado_error::kOutOfMemory, "SQLite", sqlite3_errmsg(db));
    }
    return CADOException(static_cast<std::uint32_t>(code), "SQLite", sqlite3_errmsg(db));
}

// Prepares exactly one statement; more than one is refused.
sqlite3_stmt* PrepareOne(sqlite3* db, const std::string& sql)
{
    sqlite3_stmt* stmt = nullptr;
    const char* tail = nullptr;
    if (sqlite3_prepare_v2(db, sql.c_str(), static_cast<int>(sql.size() + 1), &stmt, &tail) !=
        SQLITE_OK) {
        throw Engine(db);
    }
    while (tail != nullptr && (std::isspace(static_cast<unsigned char>(*tail)) || *tail == ';')) {
        ++tail;
    }
    if (tail != nullptr && *tail != '\0') {
        sqlite3_finalize(stmt);
        throw CADOException(ado_error::kInvalidArgument, kSource,
                            "The text holds more than one statement.");
    }
    if (stmt == nullptr) {
        throw CADOException(ado_error::kInvalidArgument, kSource, "The query text is empty.");
    }
    return stmt;
}

void Bind(sqlite3_stmt* stmt, int index, const FieldValue& value)
{
    switch (value.type) {
    case SQLITE_INTEGER:
        sqlite3_bind_int64(stmt, index, value.integer);
        break;
    case SQLITE_FLOAT:
        sqlite3_bind_double(stmt, index, value.real);
        break;
    case SQLITE_TEXT:
        sqlite3_bind_text(stmt, index, value.text.data(), static_cast<int>(value.text.size()),
                          SQLITE_TRANSIENT);
        break;
    default:
        sqlite3_bind_null(stmt, index);
        break;
    }
}

std::string RowIdSelect(const std::string& table)
{
    return std::string("select _rowid_ AS ") + select_statement::kRowIdColumn + ", * from " +
           select_statement::QuoteIdentifier(table);
}

} // namespace

CADORecordset::CADORecordset(CADODataBase& database) : m_connection(database.GetActiveConnection())
{
}

CADORecordset::~CADORecordset()
{
    Close();
    m_query.clear();
}

void CADORecordset::Fail(const CADOException& error)
{
    m_lastError = "Query = " + m_query + "\n" + FormatEngineError("CADORecordset Error", error);
}

bool CADORecordset::Open(const std::string& text, int mode)
{
    Close();
    if (!text.empty()) {
        m_query = text;
    }
    m_query.erase(0, m_query.size() - TrimBlanksLeft(m_query).size());

    try {
        const bool isSelect = select_statement::IsSelectText(m_query);
        std::string sql;
        std::string table;
        if (isSelect || mode == openQuery) {
            sql = m_query;
            table = isSelect ? select_statement::EditableTable(m_query) : std::string();
        } else if (mode == openTable) {
            table = TrimBlanks(m_query); // the query has no blanks at its start
            sql = "select * from " + select_statement::QuoteIdentifier(table);
        } else if (mode == openStoredProc) {
            throw CADOException(ado_error::kNotCapable, kSource,
                                "Stored procedures do not exist in this database engine.");
        } else {
            throw CADOException(ado_error::kInvalidArgument, kSource,
                                "Only a query that starts with \"select \" can be opened.");
        }
        if (!m_connection || !m_connection->IsOpen()) {
            throw CADOException(ado_error::kObjectClosed, kSource,
                                "The database connection is not open.");
        }
        sqlite3* db = m_connection->Handle();
        sqlite3_stmt* stmt = nullptr;
        int hidden = 0;
        if (!table.empty()) {
            try {
                stmt = PrepareOne(db, mode == openTable && !isSelect
                                          ? RowIdSelect(table)
                                          : select_statement::WithRowId(m_query));
                hidden = 1;
            } catch (const CADOException&) {
                table.clear(); // a view or a table without row ids: readable, not changeable
            }
        }
        if (stmt == nullptr) {
            stmt = PrepareOne(db, sql);
        }
        m_cursor = std::make_unique<RecordsetCursor>(db, stmt);
        m_table = table;
        m_hiddenColumns = hidden;
        m_generation = m_connection->Generation();
        m_changed.assign(static_cast<std::size_t>(m_cursor->ColumnCount()), 0);
        m_editState = dbEditNone;
        return true;
    } catch (const CADOException& error) {
        Fail(error);
    } catch (const std::bad_alloc&) {
        Fail(CADOException(ado_error::kOutOfMemory, kSource, "Out of memory."));
    }
    m_cursor.reset();
    m_table.clear();
    return false;
}

bool CADORecordset::IsOpen() const
{
    return m_cursor != nullptr && m_connection && m_connection->IsOpen() &&
           m_connection->Generation() == m_generation;
}

void CADORecordset::Close()
{
    m_cursor.reset();
    m_table.clear();
    m_hiddenColumns = 0;
    m_editState = dbEditNone;
}

RecordsetCursor& CADORecordset::Cursor() const
{
    if (!IsOpen()) {
        throw CADOException(ado_error::kObjectClosed, kSource,
                            "The result set is not open (query: " + m_query + ").");
    }
    return *m_cursor;
}

bool CADORecordset::IsEof() const
{
    return Cursor().AtEnd();
}

void CADORecordset::MoveNext()
{
    // Moving on saves a pending change rather than dropping it silently.
    if (m_editState != dbEditNone) {
        Update();
    }
    Cursor().Next();
}

int CADORecordset::GetFieldCount() const
{
    return IsOpen() ? m_cursor->ColumnCount() - m_hiddenColumns : 0;
}

std::string CADORecordset::GetFieldName(int position) const
{
    const RecordsetCursor& cursor = Cursor();
    if (position < 0 || position >= cursor.ColumnCount() - m_hiddenColumns) {
        throw CADOException(ado_error::kItemNotFound, kSource,
                            "No field at position " + std::to_string(position) + ".");
    }
    return cursor.ColumnName(position + m_hiddenColumns);
}

int CADORecordset::Column(std::string_view field) const
{
    const RecordsetCursor& cursor = Cursor();
    for (int i = m_hiddenColumns; i < cursor.ColumnCount(); ++i) {
        const std::string& name = cursor.ColumnName(i);
        if (EqualsNoCase(name, field)) {
            return i;
        }
    }
    throw CADOException(ado_error::kItemNotFound, kSource,
                        "No field named \"" + std::string(field) + "\" in the result of " +
                            m_query);
}

int CADORecordset::CurrentColumn(std::string_view field) const
{
    const int column = Column(field);
    if (m_cursor->AtEnd()) {
        throw CADOException(ado_error::kNoCurrentRecord, kSource,
                            "There is no current row to read " + std::string(field) + " from.");
    }
    return column;
}

bool CADORecordset::GetFloat(std::string_view field, float& out) const
{
    const int column = CurrentColumn(field);
    out = IsEmpty(*m_cursor, column) ? 0.0f : static_cast<float>(m_cursor->Real(column));
    return true;
}

bool CADORecordset::GetDouble(std::string_view field, double& out) const
{
    return ReadDouble(CurrentColumn(field), out);
}

bool CADORecordset::GetDoubleAt(std::int16_t position, double& out) const
{
    return ReadDouble(CurrentColumnAt(position), out);
}

bool CADORecordset::ReadDouble(int column, double& out) const
{
    out = IsEmpty(*m_cursor, column) ? 0.0 : m_cursor->Real(column);
    return true;
}

bool CADORecordset::GetLong(std::string_view field, std::int32_t& out) const
{
    const int column = CurrentColumn(field);
    out = IsEmpty(*m_cursor, column) ? 0 : static_cast<std::int32_t>(m_cursor->Integer(column));
    return true;
}

int CADORecordset::CurrentColumnAt(std::int16_t position) const
{
    const RecordsetCursor& cursor = Cursor();
    if (position < 0 || position >= cursor.ColumnCount() - m_hiddenColumns) {
        throw CADOException(ado_error::kItemNotFound, kSource,
                            "No field at position " + std::to_string(position) +
                                " in the result of " + m_query);
    }
    if (cursor.AtEnd()) {
        throw CADOException(ado_error::kNoCurrentRecord, kSource, "There is no current row.");
    }
    return position + m_hiddenColumns;
}

int CADORecordset::GetTypeAt(std::int16_t position) const
{
    const int column = CurrentColumnAt(position);
    return m_cursor->Type(column);
}

std::int16_t CADORecordset::GetFieldPosition(std::string_view field) const
{
    return static_cast<std::int16_t>(Column(field) - m_hiddenColumns);
}

bool CADORecordset::GetLongAt(std::int16_t position, std::int32_t& out) const
{
    const int column = CurrentColumnAt(position);
    out = IsEmpty(*m_cursor, column) ? 0 : static_cast<std::int32_t>(m_cursor->Integer(column));
    return true;
}

bool CADORecordset::GetText(std::string_view field, std::string& out) const
{
    return ReadText(CurrentColumn(field), out);
}

bool CADORecordset::GetTextAt(std::int16_t position, std::string& out) const
{
    return ReadText(CurrentColumnAt(position), out);
}

bool CADORecordset::ReadText(int column, std::string& out) const
{
    if (IsEmpty(*m_cursor, column)) {
        out.clear();
        return true;
    }
    switch (KindOf(*m_cursor, column)) {
    case Kind::Text:
        out = m_cursor->Text(column);
        return true;
    case Kind::Integer:
        out = std::to_string(m_cursor->Integer(column));
        return true;
    case Kind::Date: {
        const auto value = DateTime::Parse(m_cursor->Text(column));
        if (value) {
            out = value->Format("%Y-%m-%d %H:%M:%S");
            return true;
        }
        break;
    }
    default:
        break;
    }
    out.clear();
    return false;
}

bool CADORecordset::GetDate(std::string_view field, DateTime& out) const
{
    return ReadDate(CurrentColumn(field), out);
}

bool CADORecordset::GetDateAt(std::int16_t position, DateTime& out) const
{
    return ReadDate(CurrentColumnAt(position), out);
}

bool CADORecordset::ReadDate(int column, DateTime& out) const
{
    if (IsEmpty(*m_cursor, column)) {
        return true;
    }
    if (KindOf(*m_cursor, column) != Kind::Date || m_cursor->Type(column) != SQLITE_TEXT) {
        return false;
    }
    const auto value = DateTime::Parse(m_cursor->Text(column));
    if (!value) {
        return false;
    }
    out = *value;
    return true;
}

void CADORecordset::RequireUpdatable() const
{
    Cursor();
    if (m_table.empty()) {
        throw CADOException(ado_error::kNotCapable, kSource,
                            "This result set cannot be changed: only a select of all columns of "
                            "one table can (query: " +
                                m_query + ").");
    }
}

bool CADORecordset::AddNew()
{
    RequireUpdatable();
    if (m_editState != dbEditNone) {
        Update();
    }
    m_editState = dbEditNone;
    m_cursor->InsertRow(FieldRow(static_cast<std::size_t>(m_cursor->ColumnCount())));
    m_changed.assign(m_changed.size(), 0);
    m_editState = dbEditNew;
    return true;
}

void CADORecordset::Edit()
{
    RequireUpdatable();
    m_cursor->CurrentRow(); // throws when there is no current row
    if (m_editState == dbEditNone) {
        m_changed.assign(m_changed.size(), 0);
        m_editState = dbEdit;
    }
}

void CADORecordset::SetValue(std::string_view field, int type, std::int64_t integer, double real,
                             std::string_view text)
{
    const int column = Column(field);
    if (m_editState == dbEditNone) {
        throw CADOException(ado_error::kNotCapable, kSource,
                            "Call Edit or AddNew before changing the field " + std::string(field) +
                                ".");
    }
    FieldValue& value = m_cursor->CurrentRow()[column];
    value.type = type;
    value.integer = integer;
    value.real = real;
    value.text = text;
    m_changed[column] = 1;
}

bool CADORecordset::SetLong(std::string_view field, std::int32_t value)
{
    SetValue(field, SQLITE_INTEGER, value, value, std::to_string(value));
    return true;
}

bool CADORecordset::SetDouble(std::string_view field, double value)
{
    SetValue(field, SQLITE_FLOAT, static_cast<std::int64_t>(value), value, {});
    return true;
}

bool CADORecordset::SetDate(std::string_view field, const DateTime& value)
{
    const DateTime checked(value.Year(), value.Month(), value.Day(), value.Hour(), value.Minute(),
                           value.Second());
    if (checked.IsValid()) {
        SetValue(field, SQLITE_TEXT, 0, 0.0, checked.Format("%Y-%m-%d %H:%M:%S"));
    } else {
        SetValue(field, SQLITE_NULL, 0, 0.0, {});
    }
    return true;
}

bool CADORecordset::SetText(std::string_view field, std::string_view value)
{
    SetValue(field, SQLITE_TEXT, 0, 0.0, value);
    return true;
}

void CADORecordset::Refetch(std::int64_t rowId)
{
    sqlite3* db = m_connection->Handle();
    sqlite3_stmt* stmt = PrepareOne(db, RowIdSelect(m_table) + " where _rowid_=?");
    sqlite3_bind_int64(stmt, 1, rowId);
    const int rc = sqlite3_step(stmt);
    if (rc == SQLITE_ROW && sqlite3_column_count(stmt) == m_cursor->ColumnCount()) {
        m_cursor->CurrentRow() = RecordsetCursor::ReadRow(stmt);
    } else if (rc == SQLITE_DONE) {
        m_cursor->RemoveCurrent();
    }
    sqlite3_finalize(stmt);
}

bool CADORecordset::Update()
{
    if (m_editState == dbEditNone) {
        return true;
    }
    const int state = m_editState;
    m_editState = dbEditNone;
    RecordsetCursor& cursor = Cursor();
    FieldRow& row = cursor.CurrentRow();
    std::vector<int> columns;
    for (int i = m_hiddenColumns; i < cursor.ColumnCount(); ++i) {
        if (m_changed[i] != 0) {
            columns.push_back(i);
        }
    }
    m_changed.assign(m_changed.size(), 0);
    const std::string table = select_statement::QuoteIdentifier(m_table);
    std::string sql;
    if (state == dbEditNew) {
        if (columns.empty()) {
            sql = "insert into " + table + " default values";
        } else {
            std::string names;
            std::string marks;
            for (const int column : columns) {
                names += (names.empty() ? "" : ", ") +
                         select_statement::QuoteIdentifier(cursor.ColumnName(column));
                marks += marks.empty() ? "?" : ", ?";
            }
            sql = "insert into " + table + " (" + names + ") values (" + marks + ")";
        }
    } else {
        if (columns.empty()) {
            return true;
        }
        std::string assignments;
        for (const int column : columns) {
            assignments += (assignments.empty() ? "" : ", ") +
                           select_statement::QuoteIdentifier(cursor.ColumnName(column)) + "=?";
        }
        sql = "update " + table + " set " + assignments + " where _rowid_=?";
    }

    sqlite3* db = m_connection->Handle();
    const std::int64_t rowId = row[0].integer;
    sqlite3_stmt* stmt = nullptr;
    int rc = SQLITE_OK;
    try {
        stmt = PrepareOne(db, sql);
        int index = 1;
        for (const int column : columns) {
            Bind(stmt, index++, row[column]);
        }
        if (state == dbEdit) {
            sqlite3_bind_int64(stmt, index, rowId);
        }
        rc = sqlite3_step(stmt);
    } catch (const CADOException&) {
        rc = SQLITE_ERROR;
        if (stmt == nullptr) {
            state == dbEditNew ? cursor.RemoveCurrent() : Refetch(rowId);
            throw;
        }
    }
    if (rc != SQLITE_DONE) {
        const CADOException error = Engine(db);
        sqlite3_finalize(stmt);
        // The row in memory goes back to what the table holds: nothing half-done stays visible.
        state == dbEditNew ? cursor.RemoveCurrent() : Refetch(rowId);
        throw error;
    }
    sqlite3_finalize(stmt);
    if (state == dbEdit && sqlite3_changes(db) == 0) {
        cursor.RemoveCurrent();
        throw CADOException(ado_error::kUnspecified, kSource,
                            "The row to change no longer exists in the table " + m_table + ".");
    }
    Refetch(state == dbEditNew ? sqlite3_last_insert_rowid(db) : rowId);
    return true;
}
