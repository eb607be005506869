#pragma once

#include <cstdint>
#include <functional>
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

    /// How long an opening waits for another program that holds the file locked (a later
    /// statement waits kLockWaitMs); 0 fails at once, with a lock error (IsLockError).
    void SetOpenLockWait(int milliseconds) { m_openLockWaitMs = milliseconds; }
    static constexpr int kLockWaitMs = 3000;
    /// Whether an engine status code says that another program holds the file locked.
    static bool IsLockError(std::uint32_t code);

    /// Bounds the reads run from here to the matching EndBoundedRead (a nested call shares the
    /// outer bound): a read stops as soon as `stopRequested` says so (a wait for a lock too), or
    /// once the reads together took more processor time than a file of this size can need, as
    /// a table that is an endless view would. A stopped read fails with SQLITE_INTERRUPT.
    void BeginBoundedRead(std::function<bool()> stopRequested = {});
    void EndBoundedRead();
    enum class ReadCut { None, Stopped, TooLong };
    /// Why the current bounded read was cut, if it was.
    ReadCut BoundedReadCut() const { return m_readCut; }
    /// What the user is told of a read that ran too long, naming the file.
    std::string TooLongText() const;

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
    static int OnProgress(void* self);
    static int OnBusy(void* self, int count);

    // The bounded read: its depth, stop question, processor-time limit and outcome.
    int m_boundDepth = 0;
    std::function<bool()> m_stopRequested;
    std::int64_t m_cpuLimitNs = 0;
    std::int64_t m_cpuBudgetNs = 0;
    ReadCut m_readCut = ReadCut::None;
    int m_openLockWaitMs = kLockWaitMs;
    int m_lockWaitMs = kLockWaitMs;

    sqlite3* m_db = nullptr;
    std::string m_provider;
    std::string m_path;
    std::uint64_t m_generation = 0;
};
