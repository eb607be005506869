#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

/// One field value held in memory (a row read before a change, or a row just saved).
struct FieldValue {
    int type = 5; ///< SQLite storage class; 5 is NULL
    std::int64_t integer = 0;
    double real = 0.0;
    std::string text;
};
using FieldRow = std::vector<FieldValue>;

/// The rows of one result set, read forward once. Rows come straight from the engine's
/// statement until the first change; then the rows not yet read are taken into memory and the
/// statement is let go, so a change can never disturb the rows still to come. Column indexes
/// are the statement's own. Errors throw `CADOException`.
class RecordsetCursor {
public:
    /// Takes ownership of `stmt` and moves to its first row.
    RecordsetCursor(sqlite3* db, sqlite3_stmt* stmt);
    ~RecordsetCursor();
    RecordsetCursor(const RecordsetCursor&) = delete;
    RecordsetCursor& operator=(const RecordsetCursor&) = delete;

    int ColumnCount() const { return static_cast<int>(m_names.size()); }
    const std::string& ColumnName(int column) const { return m_names[column]; }
    /// The declared type in capitals; empty for expressions.
    const std::string& DeclaredType(int column) const { return m_declaredTypes[column]; }

    bool AtEnd() const;
    void Next();

    int Type(int column) const;
    std::int64_t Integer(int column) const;
    double Real(int column) const;
    std::string_view Text(int column) const;

    /// Takes the unread rows into memory and releases the statement.
    void Detach();
    /// The current row, held in memory; only after `Detach` and when not at the end.
    FieldRow& CurrentRow();
    /// Puts `row` in front of the current row and makes it current (after `Detach`).
    void InsertRow(FieldRow row);
    /// Drops the current row; the next one becomes current (after `Detach`).
    void RemoveCurrent();

    /// Reads the statement's current row into memory.
    static FieldRow ReadRow(sqlite3_stmt* stmt);

private:
    void Step();
    const FieldValue& Held(int column) const { return m_rows.front()[column]; }

    sqlite3* m_db;
    sqlite3_stmt* m_stmt;
    bool m_stmtHasRow = false;
    std::vector<std::string> m_names;
    std::vector<std::string> m_declaredTypes;
    std::deque<FieldRow> m_rows; // after Detach: front is the current row
};
