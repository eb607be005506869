#pragma once

#include <stdexcept>
#include <string>

class CADORecordset;

/// A failure of the trade layer's work on the collection database (a deal that cannot be
/// logged, a view that cannot be read); `what()` is the text the user reads.
class TradeError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// Inside a handler of a `std::exception`: the text the user reads for it, its `what()` or, for
/// an error of the database layer, the engine's error under `engineHeader`.
std::string CaughtErrorText(const char* engineHeader);

/// Opens `query` on `recordset`, or throws `TradeError` with the recordset's last error.
void OpenOrFail(CADORecordset& recordset, const std::string& query);
