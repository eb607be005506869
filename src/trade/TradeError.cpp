#include "trade/TradeError.h"

#include "data/CADORecordset.h"

void OpenOrFail(CADORecordset& recordset, const std::string& query)
{
    if (!recordset.Open(query)) {
        throw TradeError(recordset.GetLastErrorText());
    }
}
