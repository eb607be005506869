// The price history keeps a row only for a day that changed a card's values, each value read
// back exactly as written, and an older database's history is converted once.

#include "data/PriceHistory.h"
#include "data/PriceHistoryWriter.h"
#include "support/SqlProbe.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

class PriceHistoryTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(sqlite3_open(m_dir.File("mtgo.mdb").c_str(), &m_db), SQLITE_OK);
        ASSERT_TRUE(price_history::Prepare(m_db));
    }
    void TearDown() override { sqlite3_close(m_db); }
    std::vector<PricePoint> History(std::int32_t card)
    {
        std::vector<PricePoint> points;
        EXPECT_TRUE(price_history::Read(m_db, card, points));
        return points;
    }

    TempDir m_dir;
    sqlite3* m_db = nullptr;
};

TEST_F(PriceHistoryTest, OnlyChangesAreStoredAndEveryValueReadsBackExactly)
{
    PriceHistoryWriter writer(m_db);
    bool written = false;
    const PricePoint days[] = {{"2026-12-01", 0.03, 1.5},
                               {"2026-12-02", 0.03, 1.5},
                               {"2026-12-03", 0.0125, 1.5},
                               {"2026-12-04", 0.0125, 1.5},
                               {"2026-12-05", 1234.567, 0.1}};
    int stored = 0;
    for (const PricePoint& day : days) {
        ASSERT_TRUE(writer.Store(7, day, &written));
        stored += written ? 1 : 0;
    }
    EXPECT_EQ(stored, 3);
    const std::vector<PricePoint> history = History(7);
    ASSERT_EQ(history.size(), 3u);
    EXPECT_EQ(history[0].date, "2026-12-01");
    EXPECT_EQ(history[0].reg_value, 0.03);
    EXPECT_EQ(history[1].reg_value, 0.0125); // more than thousandths: kept as given
    EXPECT_EQ(history[2].reg_value, 1234.567);
    EXPECT_EQ(history[2].foil_value, 0.1);
    EXPECT_EQ(QueryText(m_dir.File("mtgo.mdb"), "select typeof(reg) from price_days limit 1"),
              "integer");
}

TEST_F(PriceHistoryTest, ADayPutBetweenStoredOnesKeepsTheLaterDays)
{
    PriceHistoryWriter writer(m_db);
    ASSERT_TRUE(writer.Store(7, {"2026-12-01", 1.0, 2.0}));
    ASSERT_TRUE(writer.Store(7, {"2026-12-10", 3.0, 2.0}));
    ASSERT_TRUE(writer.Store(7, {"2026-12-04", 5.0, 2.0}));
    const std::vector<PricePoint> history = History(7);
    ASSERT_EQ(history.size(), 4u);
    EXPECT_EQ(history[2].date, "2026-12-05"); // 12-05 to 12-09 still had 1.0
    EXPECT_EQ(history[2].reg_value, 1.0);
    EXPECT_TRUE(writer.Implies(7, {"2026-12-07", 1.0, 2.0}));
    EXPECT_FALSE(writer.Implies(7, {"2026-12-04", 1.0, 2.0}));
}

TEST_F(PriceHistoryTest, AnOlderDatabaseIsConvertedOnceLeavingOutRepeatedDays)
{
    sqlite3_close(m_db);
    RunSql(m_dir.File("mtgo.mdb"),
           "drop table price_days; create table price_history (card_id integer, date text, "
           "reg_value real, "
           "foil_value real);"
           "insert into price_history values (1, '2026-11-01', 2.5, 9), (1, '2026-11-02', 2.5, 9),"
           "(1, '2026-11-03', 2.75, 9), (2, '2026-11-01', 0.0125, 0);");
    ASSERT_EQ(sqlite3_open(m_dir.File("mtgo.mdb").c_str(), &m_db), SQLITE_OK);
    EXPECT_EQ(History(1).size(), 3u); // read as it is before the conversion
    ASSERT_TRUE(price_history::Prepare(m_db));
    const std::vector<PricePoint> one = History(1);
    ASSERT_EQ(one.size(), 2u);
    EXPECT_EQ(one[1].date, "2026-11-03");
    EXPECT_EQ(one[1].reg_value, 2.75);
    EXPECT_EQ(History(2).at(0).reg_value, 0.0125);
    EXPECT_EQ(QueryText(m_dir.File("mtgo.mdb"),
                        "select count(*) from sqlite_master where name='price_history'"),
              "0");
}

TEST(PriceHistoryDays, DayNumbersRoundTrip)
{
    EXPECT_EQ(price_history::DayNumber("1970-01-01"), 0);
    EXPECT_EQ(price_history::DayNumber("2026-11-01"), 20758);
    EXPECT_EQ(price_history::DateOfDay(20758), "2026-11-01");
    EXPECT_EQ(price_history::DateOfDay(price_history::DayNumber("2028-02-29")), "2028-02-29");
    EXPECT_EQ(price_history::DayNumber("2026-1-01"), -1);
    EXPECT_EQ(price_history::DayNumber("x"), -1);
}

} // namespace
