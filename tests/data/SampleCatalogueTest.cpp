#include "support/CardBuilder.h"
#include "support/SqlProbe.h"
#include "support/TempDir.h"

#include "data/CADODataBase.h"
#include "data/CardCatalogue.h"
#include "data/SampleCatalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

namespace {

const std::string kSampleFile = std::string(QUORVEL_SOURCE_DIR) + "/data/sets-2003.tsv";
const DateTime kToday(2026, 12, 1, 12, 0, 0);

class SampleTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string error;
        ASSERT_TRUE(sample_catalogue::ReadSetsTsv(kSampleFile, m_sets, m_cards, &error)) << error;
    }

    std::vector<CardSet> m_sets;
    std::vector<CardRecord> m_cards;
};

int WordCount(const std::string& name)
{
    std::istringstream words(name);
    return static_cast<int>(std::distance(std::istream_iterator<std::string>(words),
                                          std::istream_iterator<std::string>()));
}

// The value ranges and rules every illustrative price list keeps.
void ExpectPriceRules(const std::vector<CardRecord>& cards, const DateTime& today)
{
    std::map<int, std::pair<double, double>> range; // rarity -> min, max
    int hot = 0;
    int rares = 0;
    for (const CardRecord& card : cards) {
        auto [it, added] = range.emplace(card.rarity, std::pair{card.reg_value, card.reg_value});
        it->second.first = std::min(it->second.first, card.reg_value);
        it->second.second = std::max(it->second.second, card.reg_value);
        ASSERT_GT(card.reg_value, 0.0f) << card.name;
        // Whole cents, written without binary noise: a foil worth 0.1 is 0.1, not 0.099999994.
        for (const double value : {card.reg_value, card.foil_value}) {
            EXPECT_EQ(value, std::round(value * 100.0) / 100.0) << card.name;
        }
        const double multiple = card.foil_value / card.reg_value;
        EXPECT_NEAR(multiple, std::round(multiple), 1e-3) << card.name;
        EXPECT_GE(std::round(multiple), 2.0) << card.name;
        EXPECT_LE(std::round(multiple), 5.0) << card.name;
        EXPECT_LE(card.update_date, today) << card.name;
        EXPECT_GT(card.update_date.SecondsSinceZero(), today.SecondsSinceZero() - 366 * 86400)
            << card.name;
        EXPECT_TRUE(card.update_date.IsValid());
        hot += card.hot != 0 ? 1 : 0;
        rares += card.rarity == 30 ? 1 : 0;
    }
    ASSERT_EQ(range.size(), 3u);
    EXPECT_LT(range[10].second, range[20].first); // every uncommon above every common
    EXPECT_LT(range[20].second, range[30].first); // every rare above every uncommon
    EXPECT_GT(hot, 0);
    EXPECT_LT(hot, rares / 10); // a few, not many
}

} // namespace

TEST_F(SampleTest, TheSampleHoldsTheNineSetsAndEveryCard)
{
    ASSERT_EQ(m_cards.size(), 2117u);
    ASSERT_EQ(m_sets.size(), 9u);
    for (std::size_t i = 0; i < m_sets.size(); ++i) {
        EXPECT_EQ(m_sets[i].id, static_cast<std::int32_t>(10 * (i + 1)));
        EXPECT_EQ(m_sets[i].name, sample_catalogue::NineSets()[i].name);
    }
    std::map<int, int> perSet;
    std::set<std::int32_t> ids;
    for (const CardRecord& card : m_cards) {
        ++perSet[card.expansion];
        ids.insert(card.id);
        EXPECT_TRUE(card.rarity == 10 || card.rarity == 20 || card.rarity == 30) << card.name;
        EXPECT_GT(card.collection_no, 0);
    }
    EXPECT_EQ(ids.size(), m_cards.size());
    EXPECT_EQ(*ids.begin(), 1);
    EXPECT_EQ(*ids.rbegin(), 2117);
    EXPECT_EQ(perSet[10], 350);
    EXPECT_EQ(perSet[90], 145);
    EXPECT_EQ(m_cards.front().name, "Angelic Page");
}

TEST_F(SampleTest, IllustrativePricesFollowRarityAndDoNotDependOnOrder)
{
    sample_catalogue::ApplyIllustrativePrices(m_cards, kToday);
    ExpectPriceRules(m_cards, kToday);
    std::vector<CardRecord> reversed(m_cards.rbegin(), m_cards.rend());
    sample_catalogue::ApplyIllustrativePrices(reversed, kToday);
    for (std::size_t i = 0; i < m_cards.size(); ++i) {
        const CardRecord& again = reversed[m_cards.size() - 1 - i];
        EXPECT_EQ(again.reg_value, m_cards[i].reg_value);
        EXPECT_EQ(again.foil_value, m_cards[i].foil_value);
        EXPECT_EQ(again.hot, m_cards[i].hot);
        EXPECT_EQ(again.update_date, m_cards[i].update_date);
    }
}

TEST(SampleFile, ABrokenLineIsReportedWithItsNumber)
{
    TempDir dir;
    const std::string path = dir.File("bad.tsv");
    std::ofstream(path) << "set_id\tset_code\tset_name\tcollection_no\trarity\tname\n"
                        << "10\t7E\tSeventh Edition\t1\t10\tAngelic Page\n"
                        << "10\t7E\tSeventh Edition\tone\t10\tArdent Militia\n";
    std::vector<CardSet> sets;
    std::vector<CardRecord> cards;
    std::string error;
    EXPECT_FALSE(sample_catalogue::ReadSetsTsv(path, sets, cards, &error));
    EXPECT_NE(error.find("line 3"), std::string::npos) << error;
    EXPECT_TRUE(cards.empty());
    EXPECT_FALSE(sample_catalogue::ReadSetsTsv(dir.File("none.tsv"), sets, cards, &error));
    EXPECT_NE(error.find("none.tsv"), std::string::npos) << error;
}

TEST(SyntheticCards, AreRepeatableAndLookLikeCardLists)
{
    const auto cards = sample_catalogue::MakeSyntheticCards(5000, 7, kToday);
    ASSERT_EQ(cards.size(), 5000u);
    const auto again = sample_catalogue::MakeSyntheticCards(5000, 7, kToday);
    const auto other = sample_catalogue::MakeSyntheticCards(5000, 8, kToday);
    int sameAsOther = 0;
    std::size_t letters = 0;
    std::map<int, int> words;
    std::map<std::int32_t, std::int32_t> lastNumber;
    for (std::size_t i = 0; i < cards.size(); ++i) {
        EXPECT_EQ(cards[i].name, again[i].name);
        EXPECT_EQ(cards[i].reg_value, again[i].reg_value);
        sameAsOther += cards[i].name == other[i].name ? 1 : 0;
        EXPECT_EQ(cards[i].id, static_cast<std::int32_t>(i + 1));
        EXPECT_EQ(cards[i].expansion % 10, 0);
        EXPECT_GE(cards[i].expansion, 10);
        EXPECT_LE(cards[i].expansion, 90);
        EXPECT_EQ(cards[i].collection_no, lastNumber[cards[i].expansion] + 1);
        lastNumber[cards[i].expansion] = cards[i].collection_no;
        letters += cards[i].name.size();
        ++words[WordCount(cards[i].name)];
    }
    EXPECT_LT(sameAsOther, 500);
    EXPECT_EQ(lastNumber.size(), 9u);
    const double meanLength = static_cast<double>(letters) / cards.size();
    EXPECT_GT(meanLength, 9.0);
    EXPECT_LT(meanLength, 20.0);
    EXPECT_GT(words[1], 0);
    EXPECT_GT(words[2], words[1]);
    EXPECT_GT(words[3], 0);
    EXPECT_EQ(words.rbegin()->first <= 6, true);
    ExpectPriceRules(cards, kToday);
}

TEST_F(SampleTest, AWrittenPriceDatabaseLoadsBackCardForCard)
{
    sample_catalogue::ApplyIllustrativePrices(m_cards, kToday);
    TempDir dir;
    const std::string file = dir.File("mtgo.mdb");
    std::string error;
    ASSERT_TRUE(sample_catalogue::WritePriceDatabase(file, m_sets, m_cards, &error)) << error;
    EXPECT_FALSE(sample_catalogue::WritePriceDatabase(file, m_sets, m_cards, &error));

    CADODataBase db;
    ASSERT_TRUE(db.Open(ConnectionString(file)));
    CardCatalogue catalogue;
    ASSERT_TRUE(catalogue.LoadCatalogue(db, &error)) << error;
    ASSERT_EQ(catalogue.Cards().size(), m_cards.size());
    EXPECT_EQ(catalogue.SetTable().size(), 9u);
    EXPECT_EQ(catalogue.SetName(70), "Judgment");
    std::map<std::int32_t, const CardRecord*> byId;
    for (const CardRecord& card : m_cards) {
        byId[card.id] = &card;
    }
    for (std::size_t i = 0; i < catalogue.Cards().size(); ++i) {
        const CardRecord& loaded = catalogue.Cards()[i];
        ExpectSameCard(loaded, *byId.at(loaded.id));
        if (i > 0) {
            const CardRecord& before = catalogue.Cards()[i - 1];
            EXPECT_TRUE(
                before.reg_value > loaded.reg_value ||
                (before.reg_value == loaded.reg_value && before.expansion >= loaded.expansion));
        }
    }
}
