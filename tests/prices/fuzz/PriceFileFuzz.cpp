// libFuzzer target for the price file readers (CSV/TSV and the JSON kinds): any bytes must read
// without a crash, an out-of-bounds access or undefined behaviour, and give sound prices.
#include "PriceFileCheck.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (!price_file_check::ReadsSoundly(std::string_view(reinterpret_cast<const char*>(data), size))) {
        std::abort();
    }
    return 0;
}
