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

// Each card's latest row is kept beside the history, by the writer loaded in bulk as by one
// seek, and by the database itself for a row written by anyone else.
TEST_F(PriceHistoryTest, TheLatestRowOfEachCardIsKeptWhoeverWrites)
{
    const std::string file = m_dir.File("mtgo.mdb");
    for (const bool bulk : {false, true}) {
        const std::int32_t card = bulk ? 8 : 7;
        PriceHistoryWriter writer(m_db);
        ASSERT_TRUE(writer.Store(card, {"2026-12-01", 1.0, 2.0}));
        ASSERT_TRUE(!bulk || writer.LoadLatest());
        ASSERT_TRUE(writer.Store(card, {"2026-12-03", 1.5, 2.0}));
        ASSERT_TRUE(writer.Store(card, {"2026-12-02", 1.25, 2.0}));
        bool written = true;
        ASSERT_TRUE(writer.Store(card, {"2026-12-05", 1.5, 2.0}, &written));
        EXPECT_FALSE(written) << bulk;
        EXPECT_EQ(History(card).size(), 3u) << bulk;
        const std::string latest =
            "select day || ' ' || reg from price_latest where card_id=" + std::to_string(card);
        EXPECT_EQ(QueryText(file, latest),
                  std::to_string(price_history::DayNumber("2026-12-03")) + " 1500")
            << bulk;
    }
    // A row written straight into the history (as an older version of the program would).
    sqlite3_exec(m_db, "insert into price_days (card_id, day, reg, foil) values (7, 30000, 4, 2)",
                 nullptr, nullptr, nullptr);
    PriceHistoryWriter writer(m_db);
    ASSERT_TRUE(writer.LoadLatest());
    EXPECT_FALSE(writer.Implies(7, {price_history::DateOfDay(30001), 1.5, 2.0}));
    EXPECT_TRUE(writer.Implies(7, {price_history::DateOfDay(30001), 0.004, 0.002}));
}

// The buylist is stored beside the retail values; a day without it keeps what the history had,
// and a change of the buylist alone is a change.
TEST_F(PriceHistoryTest, BuylistValuesAreStoredAndCarriedOver)
{
    PriceHistoryWriter writer(m_db);
    ASSERT_TRUE(writer.Store(7, {"2026-12-01", 1.0, 2.0}));
    ASSERT_TRUE(writer.Store(7, {"2026-12-02", 1.0, 2.0, 0.75, 1.5}));
    bool written = true;
    ASSERT_TRUE(writer.Store(7, {"2026-12-03", 1.0, 2.0}, &written));
    EXPECT_FALSE(written);
    ASSERT_TRUE(writer.Store(7, {"2026-12-04", 1.0, 2.0, 0.8}, &written));
    EXPECT_TRUE(written);
    const std::vector<PricePoint> history = History(7);
    ASSERT_EQ(history.size(), 3u);
    EXPECT_FALSE(history[0].buy_value.has_value());
    EXPECT_EQ(history[1].buy_value, 0.75);
    EXPECT_EQ(history[1].buy_foil_value, 1.5);
    EXPECT_EQ(history[2].buy_value, 0.8);
    EXPECT_EQ(history[2].buy_foil_value, 1.5);
}

// A history of the previous layout (no buylist, no latest rows) is converted once.
TEST_F(PriceHistoryTest, AHistoryWithoutBuylistOrLatestRowsIsConvertedOnce)
{
    sqlite3_close(m_db);
    RunSql(m_dir.File("mtgo.mdb"),
           "drop table price_days; drop table price_latest; create table price_days (card_id "
           "integer not null, day integer not null, reg, foil, primary key (card_id, day)) "
           "without rowid; insert into price_days values (1, 20000, 2500, 9000), "
           "(1, 20005, 2750, 9000), (2, 20001, 125, 0);");
    ASSERT_EQ(sqlite3_open(m_dir.File("mtgo.mdb").c_str(), &m_db), SQLITE_OK);
    EXPECT_EQ(History(1).size(), 2u); // read as it is before the conversion
    ASSERT_TRUE(price_history::Prepare(m_db));
    ASSERT_TRUE(price_history::Prepare(m_db));
    EXPECT_EQ(History(1).at(1).reg_value, 2.75);
    EXPECT_EQ(QueryText(m_dir.File("mtgo.mdb"),
                        "select group_concat(card_id || ':' || day || ':' || reg, ' ') from "
                        "(select * from price_latest order by card_id)"),
              "1:20005:2750 2:20001:125");
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
