// Every input of the fuzzing corpus (and every example file) reads soundly: no crash, and only
// sound prices or a clear refusal.

#include "fuzz/PriceFileCheck.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

TEST(PriceFileCorpusTest, EveryInputReadsSoundly)
{
    std::size_t inputs = 0;
    for (const char* folder : {"/tests/prices/data/corpus", "/tests/prices/data"}) {
        for (const auto& entry :
             std::filesystem::directory_iterator(std::string(QUORVEL_SOURCE_DIR) + folder)) {
            if (!entry.is_regular_file()) {
                continue;
            }
            std::ifstream file(entry.path(), std::ios::binary);
            const std::string bytes{std::istreambuf_iterator<char>(file),
                                    std::istreambuf_iterator<char>()};
            EXPECT_TRUE(price_file_check::ReadsSoundly(bytes)) << entry.path();
            ++inputs;
        }
    }
    EXPECT_GT(inputs, 20u);
}
