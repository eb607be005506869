// libFuzzer target for the trade list file reader: any bytes must read without a crash, an
// out-of-bounds access or an allocation beyond the input, and give consistent results.
#include "trade/TextCodec.h"
#include "trade/TradeList.h"
#include "trade/TradeListFile.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const TradeListFileContents contents = ParseTradeList(bytes);
    if (contents.status == TradeListFileStatus::Refused) {
        return 0; // a count or a value no trade list holds
    }
    if (contents.status != TradeListFileStatus::Ok) {
        if (size >= trade_file::kHeaderSize && bytes.substr(0, 24) == std::string_view("tamrik ombrine,ryn File\0", 24)) {
            std::abort();  // a good header was refused
        }
        return 0;
    }
    if (contents.records.size() > (size - trade_file::kHeaderSize) / trade_file::kRecordSize) {
        std::abort();
    }
    TradeList list;
    FillTradeList(list, contents);
    for (const auto& [key, entry] : list) {
        if (EntryName(entry).size() > 255 || !IsValidUtf8(EntryName(entry))) {
            std::abort();
        }
    }
    // What was read writes back and reads again to the same lines.
    const TradeListFileContents again = ParseTradeList(SerializeTradeList(list));
    TradeList back;
    FillTradeList(back, again);
    if (back.Count() != list.Count()) {
        std::abort();
    }
    auto it = back.begin();
    for (const auto& [key, entry] : list) {
        if (it->first != key || !(it->second == entry)) {
            std::abort();
        }
        ++it;
    }
    return 0;
}
