#pragma once

#include "trade/TradeListEntry.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class TradeList;

/// Trade list files (".ryn"): a 112-byte header (type text, format number 1, entry count) and
/// one 288-byte record per line (the 4-byte key, then the 284-byte entry), little-endian.
namespace trade_file {
constexpr std::size_t kHeaderSize = 112;
constexpr std::size_t kRecordSize = 288;
constexpr std::string_view kTypeText = "tamrik ombrine,ryn File";
constexpr std::int32_t kFormatNumber = 1;
}  // namespace trade_file

enum class TradeListFileStatus {
    Ok,
    CannotOpen,   ///< the file could not be opened or created; `error` says why
    NotTradeList, ///< shorter than a header, or another type text: "Invalidate File Type!"
    CannotWrite,  ///< writing failed (disk full, ...); the file on disk was left as it was
};

/// What a file holds: its records in file order, and whether it ended before its count.
struct TradeListFileContents {
    TradeListFileStatus status = TradeListFileStatus::Ok;
    std::string error;  ///< the system's reason when the file could not be opened or written
    std::vector<std::pair<std::int32_t, TradeListEntry>> records;
    std::int32_t declaredCount = 0;  ///< the entry count of the header
    bool truncated = false;          ///< fewer complete records than the count announced
    std::int32_t negativeQuantities = 0;  ///< records whose quantity below 0 was read as 0
};

/// The bytes of a trade list file for the list, records in ascending key order.
std::string SerializeTradeList(const TradeList& list);

/// Reads the format from bytes in memory. Never reads or allocates beyond them: a count
/// larger than the records present keeps the complete records and sets `truncated`. A
/// quantity below 0 (a damaged or foreign file) is read as 0 and counted.
TradeListFileContents ParseTradeList(std::string_view bytes);

/// Writes the list to path. The bytes go to a new file beside it that then replaces path, so
/// a failed write never leaves a half-written list behind.
TradeListFileContents WriteTradeListFile(const std::string& path, const TradeList& list);

/// Reads a trade list file; records are read one at a time, never beyond the file's end.
TradeListFileContents ReadTradeListFile(const std::string& path);

/// Replaces the list's lines with the records (a repeated key keeps its last record).
void FillTradeList(TradeList& list, const TradeListFileContents& contents);

/// The path the save command writes: ".ryn" appended when the file name has no extension.
std::string WithTradeListExtension(const std::string& path);
