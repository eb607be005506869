#include "trade/TradeError.h"

#include "data/CADOException.h"
#include "data/CADORecordset.h"

std::string CaughtErrorText(const char* engineHeader)
{
    try {
        throw;
    } catch (const CADOException& error) {
        return FormatEngineError(engineHeader, error);
    } catch (const std::exception& error) {
        return error.what();
    }
}

void OpenOrFail(CADORecordset& recordset, const std::string& query)
{
    if (!recordset.Open(query)) {
        throw TradeError(recordset.GetLastErrorText());
    }
}
