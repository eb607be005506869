#pragma once

#include <memory>
#include <string>

class CADOConnection;

/// One connection to a database file. `Open` and `Execute` keep an engine error as the
/// last-error text and report it through their result; they never throw for engine errors.
class CADODataBase {
public:
    CADODataBase();
    ~CADODataBase();
    CADODataBase(const CADODataBase&) = delete;
    CADODataBase& operator=(const CADODataBase&) = delete;

    /// The connection handle: provider text, transactions, open state.
    const std::shared_ptr<CADOConnection>& GetActiveConnection() const { return m_connection; }

    /// Opens the database named by the connection string (closing it first when open). An
    /// empty string reopens with the stored one. True only when the file was opened; otherwise
    /// the last-error text is "Connection String = <string>\n" and the formatted error.
    bool Open(const std::string& connectionString = std::string());
    bool IsOpen() const;
    void Close();

    /// Runs one statement that returns no rows. Returns false, keeping the last-error text,
    /// when the engine rejects it (a failure is never reported as success).
    bool Execute(const std::string& statement);

    std::string GetConnectionString() const { return m_connectionString; }
    /// The text made from the most recent error caught by `Open` or `Execute`.
    const std::string& GetLastErrorText() const { return m_lastError; }
    /// Whether that error was another program holding the file locked: it is busy, not
    /// damaged, and may be tried again.
    bool LastErrorIsLock() const { return m_lastErrorIsLock; }

private:
    std::shared_ptr<CADOConnection> m_connection;
    std::string m_connectionString;
    std::string m_lastError;
    bool m_lastErrorIsLock = false;
};
