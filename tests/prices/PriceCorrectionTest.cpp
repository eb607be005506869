#include "prices/PriceCorrection.h"
#include "data/CADODataBase.h"
#include "data/CardRecord.h"
#include "data/PriceHistory.h"
#include "data/SampleCatalogue.h"
#include "lookup/ShownCardsTable.h"
#include "support/CardBuilder.h"
#include "support/SqlProbe.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

CardRecord Card(int id, const char* name, double reg, double foil, int set, int hot = 0)
{
    return MakeCard(id, name, reg, foil, set, id, 30, hot, DateTime(2025, 3, 4, 5, 6, 7));
}

// A price database with three cards in a temporary folder, opened, and all three listed.
class PriceCorrectionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string error;
        ASSERT_TRUE(sample_catalogue::WritePriceDatabase(
            m_path, {{10, "7E", "Seventh Edition"}, {20, "IN", "Invasion"}}, m_cards, &error))
            << error;
        ASSERT_TRUE(m_database.Open("Data Source=" + m_path + ";"))
            << m_database.GetLastErrorText();
        for (const CardRecord& card : m_cards) {
            m_shown.Add(card, false);
        }
    }
    void TearDown() override { m_database.Close(); }

    // One column of one card, read below the layer under test.
    std::string Stored(int id, const std::string& column) const
    {
        return QueryText(m_path,
                         "select " + column + " from cardslist where id=" + std::to_string(id));
    }
    double StoredValue(int id, const std::string& column) const
    {
        return QueryValue(m_path,
                          "select " + column + " from cardslist where id=" + std::to_string(id));
    }
    void ExpectCardUnchanged(int id) const
    {
        const CardRecord& original = m_cards[static_cast<std::size_t>(id - 1)];
        EXPECT_DOUBLE_EQ(StoredValue(id, "reg_value"), original.reg_value) << id;
        EXPECT_DOUBLE_EQ(StoredValue(id, "foil_value"), original.foil_value) << id;
        EXPECT_EQ(Stored(id, "manual_modify"), "0") << id;
        EXPECT_EQ(Stored(id, "update_date"), "2025-03-04 05:06:07") << id;
        const CardRecord* shown = m_shown.Find(id);
        ASSERT_NE(shown, nullptr);
        EXPECT_EQ(shown->reg_value, original.reg_value) << id;
        EXPECT_EQ(shown->update_date, original.update_date) << id;
    }

    const std::vector<CardRecord> m_cards = {Card(1, "Lightning Bolt", 1.5f, 4.0f, 10),
                                             Card(2, "Fact or Fiction", 0.51, 1.02, 20, 1),
                                             Card(3, "Shivan Dragon", 3.0f, 9.0f, 10)};
    const DateTime m_now = DateTime(2026, 12, 7, 22, 15, 30);
    TempDir m_dir;
    std::string m_path = m_dir.File("mtgo.mdb");
    CADODataBase m_database;
    ShownCardsTable m_shown;
};

TEST_F(PriceCorrectionTest, WritesEveryMarkedCardWithDateAndManualMark)
{
    PriceCorrection correction(m_database, m_shown);
    const auto outcome = correction.Apply({{1, "2.5", "6"}, {3, " 12.5", "xyz"}}, m_now);
    EXPECT_FALSE(outcome.failed) << outcome.error;
    EXPECT_EQ(outcome.updated, 2);
    EXPECT_EQ(PriceCorrection::MessageFor(outcome).text, "2 cards have been updated");

    EXPECT_DOUBLE_EQ(StoredValue(1, "reg_value"), 2.5);
    EXPECT_DOUBLE_EQ(StoredValue(1, "foil_value"), 6.0);
    EXPECT_DOUBLE_EQ(StoredValue(3, "reg_value"), 12.5);
    EXPECT_DOUBLE_EQ(StoredValue(3, "foil_value"), 0.0);
    for (int id : {1, 3}) {
        EXPECT_EQ(Stored(id, "manual_modify"), "1");
        EXPECT_EQ(Stored(id, "update_date"), "2026-12-07 22:15:30");
        EXPECT_EQ(Stored(id, "hot"), "0");
    }
    ExpectCardUnchanged(2);
    // Each corrected card has the day's row in the price history; the others have none.
    std::vector<PricePoint> history;
    ASSERT_TRUE(price_history::Read(m_database, 3, history));
    ASSERT_EQ(history.size(), 1u);
    EXPECT_EQ(history[0].date, "2026-12-07");
    EXPECT_EQ(history[0].reg_value, 12.5);
    ASSERT_TRUE(price_history::Read(m_database, 2, history));
    EXPECT_TRUE(history.empty());

    // The listed records follow the database, so a later report shows the new prices.
    ASSERT_NE(m_shown.Find(3), nullptr);
    EXPECT_EQ(m_shown.Find(3)->reg_value, 12.5f);
    EXPECT_EQ(m_shown.Find(3)->foil_value, 0.0f);
    EXPECT_EQ(m_shown.Find(3)->update_date, m_now);
    EXPECT_EQ(m_shown.Find(3)->name, "Shivan Dragon");
}

TEST_F(PriceCorrectionTest, StoresTheDecimalTypedAndKeepsAnUntouchedValueExactly)
{
    PriceCorrection correction(m_database, m_shown);
    // Only the foil value was edited; the regular cell still shows a rounded "0.5".
    ASSERT_FALSE(correction.Apply({{2, "0.5", "1.5", false, true}}, m_now).failed);
    EXPECT_EQ(StoredValue(2, "reg_value"), 0.51);
    EXPECT_EQ(StoredValue(2, "foil_value"), 1.5);
    EXPECT_EQ(m_shown.Find(2)->reg_value, 0.51);
    ASSERT_FALSE(correction.Apply({{2, "0.1", "51.4"}}, m_now).failed);
    EXPECT_EQ(StoredValue(2, "reg_value"), 0.1);
    EXPECT_EQ(StoredValue(2, "foil_value"), 51.4);
}

TEST_F(PriceCorrectionTest, WritesTheHotFlagAsListed)
{
    CardRecord toggled = *m_shown.Find(2);
    toggled.hot = 0;
    ASSERT_TRUE(m_shown.Replace(toggled));
    PriceCorrection correction(m_database, m_shown);
    ASSERT_FALSE(correction.Apply({{2, "0.5", "2.0"}}, m_now).failed);
    EXPECT_EQ(Stored(2, "hot"), "0");
}

TEST_F(PriceCorrectionTest, NoMarkedRowWritesNothing)
{
    PriceCorrection correction(m_database, m_shown);
    const auto outcome = correction.Apply({}, m_now);
    EXPECT_FALSE(outcome.failed);
    EXPECT_EQ(outcome.updated, 0);
    EXPECT_EQ(PriceCorrection::MessageFor(outcome).text, "No cards selected.");
    for (int id : {1, 2, 3}) {
        ExpectCardUnchanged(id);
    }
}

TEST_F(PriceCorrectionTest, AMissingRowStopsTheCorrectionAndUndoesEarlierCards)
{
    RunSql(m_path, "delete from cardslist where id=2");
    PriceCorrection correction(m_database, m_shown);
    const auto outcome = correction.Apply({{1, "9", "9"}, {2, "9", "9"}, {3, "9", "9"}}, m_now);
    EXPECT_TRUE(outcome.failed);
    EXPECT_EQ(outcome.updated, 0);
    EXPECT_NE(outcome.error.find("select * from cardslist where id=2"), std::string::npos)
        << outcome.error;
    ExpectCardUnchanged(1);
    ExpectCardUnchanged(3);
    // The database stays usable: the next correction goes through.
    EXPECT_FALSE(correction.Apply({{1, "9", "9"}}, m_now).failed);
    EXPECT_DOUBLE_EQ(StoredValue(1, "reg_value"), 9.0);
}

TEST_F(PriceCorrectionTest, ARefusedSaveStopsTheCorrectionWithTheEnginesError)
{
    RunSql(m_path, "create trigger refuse before update on cardslist when new.id=3 "
                   "begin select raise(abort, 'prices of this card are locked'); end;");
    PriceCorrection correction(m_database, m_shown);
    const auto outcome = correction.Apply({{1, "7", "7"}, {3, "7", "7"}}, m_now);
    EXPECT_TRUE(outcome.failed);
    EXPECT_NE(outcome.error.find("prices of this card are locked"), std::string::npos)
        << outcome.error;
    EXPECT_NE(outcome.error.find("CADORecordset Error"), std::string::npos) << outcome.error;
    const auto message = PriceCorrection::MessageFor(outcome);
    EXPECT_TRUE(message.isError);
    EXPECT_NE(message.text.find("prices of this card are locked"), std::string::npos);
    ExpectCardUnchanged(1);
    ExpectCardUnchanged(3);
}

TEST_F(PriceCorrectionTest, AClosedDatabaseStopsTheCorrectionWithItsLastError)
{
    m_database.Close();
    ASSERT_FALSE(m_database.Open("Data Source=" + m_dir.File("missing.mdb") + ";"));
    const std::string openError = m_database.GetLastErrorText();
    ASSERT_FALSE(openError.empty());
    PriceCorrection correction(m_database, m_shown);
    const auto outcome = correction.Apply({{1, "7", "7"}}, m_now);
    EXPECT_TRUE(outcome.failed);
    EXPECT_NE(outcome.error.find(openError), std::string::npos) << outcome.error;
    ExpectCardUnchanged(1);
}

TEST_F(PriceCorrectionTest, ACardNoLongerListedStopsTheCorrection)
{
    PriceCorrection correction(m_database, m_shown);
    const auto outcome = correction.Apply({{1, "7", "7"}, {42, "7", "7"}}, m_now);
    EXPECT_TRUE(outcome.failed);
    ExpectCardUnchanged(1);
}

} // namespace
