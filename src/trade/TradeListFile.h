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
/// More lines than any trade list holds (every card version of the game, many times over):
/// a file that announces more is damaged or hostile, and is refused before anything is read.
constexpr std::int32_t kMostRecords = 1'000'000;
}  // namespace trade_file

enum class TradeListFileStatus {
    Ok,
    CannotOpen,   ///< the file could not be opened or created; `error` says why
    NotTradeList, ///< shorter than a header, or another type text: "Invalidate File Type!"
    CannotWrite,  ///< writing failed (disk full, ...); the file on disk was left as it was
    Refused,      ///< the file cannot be what it claims (too many lines, values no trade list
                  ///< holds) or does not fit in memory; `error` says why, nothing is loaded
};

/// What a file holds: its records in file order, and whether it ended before its count.
struct TradeListFileContents {
    TradeListFileStatus status = TradeListFileStatus::Ok;
    std::string error; ///< why the file could not be opened, written or loaded
    std::vector<std::pair<std::int32_t, TradeListEntry>> records;
    std::int32_t declaredCount = 0;  ///< the entry count of the header
    bool truncated = false;          ///< fewer complete records than the count announced
    std::int32_t negativeQuantities = 0;  ///< records whose quantity below 0 was read as 0
};

/// The bytes of a trade list file for the list, records in ascending key order.
std::string SerializeTradeList(const TradeList& list);

/// Reads the format from bytes in memory. Never reads or allocates beyond them: a count
/// larger than the records present keeps the complete records and sets `truncated`. A
/// quantity below 0 (a damaged or foreign file) is read as 0 and counted. A count above
/// kMostRecords, or a line with more than a million copies or a price beyond a million Tix,
/// refuses the whole file.
TradeListFileContents ParseTradeList(std::string_view bytes);

/// Writes the list to path. The bytes go to a new file beside it (with the mode and, where the
/// system allows, the owner of the file it replaces) that then replaces path, and the folder
/// is synced, so a failed or killed write never leaves a half-written list behind. A link at
/// path is replaced, not followed. Leftovers of a save killed earlier are removed first.
TradeListFileContents WriteTradeListFile(const std::string& path, const TradeList& list);

/// Reads a trade list file as ParseTradeList reads bytes, never beyond the file's end nor
/// more records than its size can hold. Anything but a regular file (a pipe, a device) is
/// refused without waiting on it; running out of memory refuses the file.
TradeListFileContents ReadTradeListFile(const std::string& path);

/// Replaces the list's lines with the records (a repeated key keeps its last record).
void FillTradeList(TradeList& list, const TradeListFileContents& contents);

/// The path the save command writes: ".ryn" appended when the file name has no extension.
std::string WithTradeListExtension(const std::string& path);
