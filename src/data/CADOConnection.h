#pragma once

#include <cstdint>
#include <string>
#include <string_view>

struct sqlite3;
class CADOException;

/// The engine's connection to one database file, shared by a `CADODataBase` and every
/// `CADORecordset` built on it. Every failing operation throws `CADOException`.
class CADOConnection {
public:
    CADOConnection();
    ~CADOConnection();
    CADOConnection(const CADOConnection&) = delete;
    CADOConnection& operator=(const CADOConnection&) = delete;

    /// The provider text; kept and reported, it does not change which engine is used.
    const std::string& GetProvider() const { return m_provider; }
    void SetProvider(std::string provider) { m_provider = std::move(provider); }

    /// Opens the file named by the "Data Source=" entry of the connection string. A relative
    /// path is relative to the working directory and a backslash separates folders. A missing
    /// file is never created; a Microsoft Access file or any other non-SQLite file is refused.
    void Open(const std::string& connectionString);
    /// Closes the connection (an open transaction is rolled back); nothing when not open.
    void Close();
    bool IsOpen() const { return m_db != nullptr; }

    /// Runs exactly one statement that returns no rows.
    void Execute(const std::string& statement);

    void BeginTrans();
    void CommitTrans();
    void RollbackTrans();
    bool InTransaction() const;

    /// The engine's handle, or nullptr when closed.
    sqlite3* Handle() const { return m_db; }
    /// Changes at every open and close, so result sets can tell that they outlived their open.
    std::uint64_t Generation() const { return m_generation; }
    /// The path of the open file as given by the connection string (empty when closed).
    const std::string& Path() const { return m_path; }

    /// The file path named by a connection string ("Data Source=.\mtgo.mdb;" -> "./mtgo.mdb");
    /// empty when the string names none.
    static std::string DataSourcePath(std::string_view connectionString);

    /// An exception made from the engine's state after the result code `rc`.
    CADOException EngineError(int rc) const;

private:
    void Run(const char* statement);
    void RequireOpen() const;

    sqlite3* m_db = nullptr;
    std::string m_provider;
    std::string m_path;
    std::uint64_t m_generation = 0;
};
