#include "SamplePrices.h"

#include "data/SampleCatalogue.h"

#include <gtest/gtest.h>

#include <vector>

void WriteSamplePriceDatabase(const std::string& path,
                              const std::function<void(CardRecord&)>& adjust)
{
    std::vector<CardSet> sets;
    std::vector<CardRecord> cards;
    ASSERT_TRUE(sample_catalogue::ReadSetsTsv(
        std::string(QUORVEL_SOURCE_DIR) + "/data/sets-2003.tsv", sets, cards));
    if (adjust) {
        for (CardRecord& card : cards) {
            adjust(card);
        }
    }
    ASSERT_TRUE(sample_catalogue::WritePriceDatabase(path, sets, cards));
}
