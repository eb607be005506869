// Every input of the fuzzing corpus (and every example file) reads soundly: no crash, and only
// sound prices or a clear refusal.

#include "support/FileBytes.h"

#include "fuzz/PriceFileCheck.h"

#include <gtest/gtest.h>

#include <filesystem>

TEST(PriceFileCorpusTest, EveryInputReadsSoundly)
{
    std::size_t inputs = 0;
    for (const char* folder : {"/tests/prices/data/corpus", "/tests/prices/data"}) {
        for (const auto& entry :
             std::filesystem::directory_iterator(std::string(QUORVEL_SOURCE_DIR) + folder)) {
            if (!entry.is_regular_file()) {
                continue;
            }
            EXPECT_TRUE(price_file_check::ReadsSoundly(ReadWholeFile(entry.path())))
                << entry.path();
            ++inputs;
        }
    }
    EXPECT_GT(inputs, 20u);
}
