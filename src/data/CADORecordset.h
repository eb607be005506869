#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class CADOConnection;
class CADODataBase;
class DateTime;
class RecordsetCursor;

/// One result set read forward (and, for a select of all columns of one table, changed) on a
/// `CADODataBase`. `Open` keeps an engine error as the last-error text and reports it through
/// its result; every other operation throws `CADOException` on failure.
class CADORecordset {
public:
    enum OpenMode { openUnknown = 0, openQuery = 1, openTable = 2, openStoredProc = 3 };
    enum EditState { dbEditNone = 0, dbEditNew = 1, dbEdit = 2 };

    explicit CADORecordset(CADODataBase& database);
    ~CADORecordset();
    CADORecordset(const CADORecordset&) = delete;
    CADORecordset& operator=(const CADORecordset&) = delete;

    /// Opens a query (closing first). An empty text reopens the previous one; leading white
    /// space is removed. Mode 0 opens only texts starting with "select " (any case); mode 1
    /// opens any query; mode 2 opens a table by name; stored procedures (mode 3) do not exist
    /// in this engine. On failure the last-error text is "Query = <text>\n" and the error.
    bool Open(const std::string& text = std::string(), int mode = openUnknown);
    bool IsOpen() const;
    void Close();

    /// True when there is no current row. Throws when the result set is not open.
    bool IsEof() const;
    void MoveNext();

    /// NULL reads as 0.0.
    bool GetFloat(std::string_view field, float& out) const;
    /// NULL reads as 0.0; the stored value without rounding.
    bool GetDouble(std::string_view field, double& out) const;
    /// NULL reads as 0.
    bool GetLong(std::string_view field, std::int32_t& out) const;
    /// By 0-based position in the select list; NULL reads as 0.
    bool GetLongAt(std::int16_t position, std::int32_t& out) const;
    /// NULL: empty text, true. Text: the text. Integer: its decimal text. Date-time: formatted
    /// "%Y-%m-%d %H:%M:%S". Any other kind (or an unreadable date): empty text, false.
    bool GetText(std::string_view field, std::string& out) const;
    /// NULL: `out` unchanged, true. Date-time field: the value, true. Otherwise `out`
    /// unchanged, false.
    bool GetDate(std::string_view field, DateTime& out) const;

    /// The 0-based position of a field in the select list, for reading many rows by position
    /// (the getters below and GetLongAt read as their named forms do). Throws when there is none.
    std::int16_t GetFieldPosition(std::string_view field) const;
    bool GetDoubleAt(std::int16_t position, double& out) const;
    bool GetTextAt(std::int16_t position, std::string& out) const;
    bool GetDateAt(std::int16_t position, DateTime& out) const;
    /// The engine's storage class of the value (SQLITE_INTEGER ... SQLITE_NULL).
    int GetTypeAt(std::int16_t position) const;

    /// Starts a new row, which becomes the current row (edit state 1). A pending change is
    /// saved first.
    bool AddNew();
    /// Marks the current row as being changed (edit state 2).
    void Edit();
    bool SetLong(std::string_view field, std::int32_t value);
    bool SetDouble(std::string_view field, double value);
    /// Stored as "YYYY-MM-DD HH:MM:SS"; a date outside the calendar is stored as NULL.
    bool SetDate(std::string_view field, const DateTime& value);
    bool SetText(std::string_view field, std::string_view value);
    /// Saves the new or changed row to the table row it was read from (by row id, so rows that
    /// share an `id` are told apart). Without `AddNew` or `Edit` it sends nothing and returns
    /// true.
    bool Update();

    std::string GetQuery() const { return m_query; }
    const std::string& GetLastErrorText() const { return m_lastError; }
    int GetEditState() const { return m_editState; }
    /// True when the open result set can be changed and added to.
    bool IsUpdatable() const { return IsOpen() && !m_table.empty(); }
    int GetFieldCount() const;
    std::string GetFieldName(int position) const;

private:
    RecordsetCursor& Cursor() const;
    int Column(std::string_view field) const;
    int CurrentColumn(std::string_view field) const;
    int CurrentColumnAt(std::int16_t position) const;
    bool ReadDouble(int column, double& out) const;
    bool ReadText(int column, std::string& out) const;
    bool ReadDate(int column, DateTime& out) const;
    void SetValue(std::string_view field, int type, std::int64_t integer, double real,
                  std::string_view text);
    void RequireUpdatable() const;
    void Refetch(std::int64_t rowId);
    void Fail(const class CADOException& error);

    std::shared_ptr<CADOConnection> m_connection;
    int m_editState = dbEditNone;
    std::string m_lastError;
    std::unique_ptr<RecordsetCursor> m_cursor;
    std::string m_query;
    std::string m_table;     // the table a change goes to; empty when not updatable
    int m_hiddenColumns = 0; // 1 when the row id leads the columns
    std::uint64_t m_generation = 0;
    std::vector<char> m_changed;
};
