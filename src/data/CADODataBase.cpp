#include "data/CADODataBase.h"

#include "data/CADOConnection.h"
#include "data/CADOException.h"

#include <new>

namespace {

// The last-error text of a failed operation: the connection string, then the engine's error.
std::string LastErrorText(const std::string& connectionString, const CADOException& error)
{
    return "Connection String = " + connectionString + "\n" +
           FormatEngineError("CADODataBase Error", error);
}

} // namespace

CADODataBase::CADODataBase() : m_connection(std::make_shared<CADOConnection>()) {}

CADODataBase::~CADODataBase()
{
    Close();
}

bool CADODataBase::IsOpen() const
{
    return m_connection != nullptr && m_connection->IsOpen();
}

void CADODataBase::Close()
{
    if (IsOpen()) {
        m_connection->Close();
    }
}

bool CADODataBase::Open(const std::string& connectionString)
{
    if (IsOpen()) {
        Close();
    }
    if (!connectionString.empty()) {
        m_connectionString = connectionString;
    }
    try {
        m_connection->Open(m_connectionString);
        return true;
    } catch (const CADOException& error) {
        m_lastError = LastErrorText(m_connectionString, error);
    } catch (const std::bad_alloc&) {
        m_lastError =
            LastErrorText(m_connectionString,
                          CADOException(ado_error::kOutOfMemory, "CADODataBase", "Out of memory."));
    }
    return false;
}

bool CADODataBase::Execute(const std::string& statement)
{
    try {
        m_connection->Execute(statement);
        return true;
    } catch (const CADOException& error) {
        m_lastError = LastErrorText(m_connectionString, error);
    }
    return false;
}
