#include "support/TempDir.h"

#include "data/CADODataBase.h"
#include "data/CardKey.h"
#include "data/DatabaseSchema.h"
#include "trade/CollectionQueries.h"
#include "trade/TransactionLog.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <csignal>
#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

// A fresh collection database in a folder of its own, opened through the database layer,
// with a second plain SQLite handle to look at what was stored.
class CollectionDatabaseTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string error;
        ASSERT_TRUE(database_schema::CreateCollectionDatabase(m_path, &error)) << error;
        ASSERT_TRUE(m_database.Open("Data Source=" + m_path + ";"))
            << m_database.GetLastErrorText();
    }
    void TearDown() override { m_database.Close(); }

    // Runs a query on a separate connection and gives its rows as texts.
    std::vector<std::vector<std::string>> Query(const std::string& text) const
    {
        sqlite3* db = nullptr;
        EXPECT_EQ(sqlite3_open_v2(m_path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
        std::vector<std::vector<std::string>> rows;
        sqlite3_stmt* statement = nullptr;
        EXPECT_EQ(sqlite3_prepare_v2(db, text.c_str(), -1, &statement, nullptr), SQLITE_OK)
            << sqlite3_errmsg(db);
        while (statement && sqlite3_step(statement) == SQLITE_ROW) {
            std::vector<std::string> row;
            for (int c = 0; c < sqlite3_column_count(statement); ++c) {
                const auto* value = sqlite3_column_text(statement, c);
                row.emplace_back(value ? reinterpret_cast<const char*>(value) : "NULL");
            }
            rows.push_back(row);
        }
        sqlite3_finalize(statement);
        sqlite3_close(db);
        return rows;
    }
    std::string One(const std::string& text) const
    {
        const auto rows = Query(text);
        return rows.empty() || rows[0].empty() ? std::string("<none>") : rows[0][0];
    }

    DealResult Log(std::int32_t direction, std::vector<DealLine> lines, float price = 12.5f,
                   std::string comments = "")
    {
        DealRequest deal;
        deal.direction = direction;
        deal.price = price;
        deal.comments = std::move(comments);
        deal.when = DateTime(2026, 12, 6, 23, 15, 2);
        deal.lines = std::move(lines);
        return LogDeal(m_database, deal);
    }

    TempDir m_dir;
    std::string m_path = m_dir.File("collection.mdb");
    CADODataBase m_database;
};

} // namespace

TEST(OwnedAfterDealTest, NeverBelowZeroAndHeldIn32Bits)
{
    EXPECT_EQ(OwnedAfterDeal(0, 2, kDealBought), 2);
    EXPECT_EQ(OwnedAfterDeal(2, 3, kDealSold), 0);
    EXPECT_EQ(OwnedAfterDeal(5, 3, kDealSold), 2);
    EXPECT_EQ(OwnedAfterDeal(1, -4, kDealBought), 0);
    EXPECT_EQ(OwnedAfterDeal(INT32_MAX, 5, kDealBought), INT32_MAX);
    EXPECT_EQ(OwnedAfterDeal(3, 0, kDealSold), 3);
}

TEST_F(CollectionDatabaseTest, BuyingCreatesRowsForRegularAndFoilKeys)
{
    const DealResult bought = Log(kDealBought, {{1234, 2}});
    ASSERT_TRUE(bought.logged) << bought.error;
    EXPECT_EQ(One("select no_owned from collections where card_id=1234 and collectionName_id=0"),
              "2");
    ASSERT_TRUE(Log(kDealBought, {{card_key::Foil(1234), 1}}).logged);
    EXPECT_EQ(One("select no_owned from collections where card_id=16778450"), "1");
    EXPECT_EQ(One("select count(*) from collections"), "2");
    EXPECT_EQ(One("select count(*) from trans_detail"), "2");
}

TEST_F(CollectionDatabaseTest, TheDealRowHoldsDateDirectionPriceAndComments)
{
    const DealResult result = Log(kDealSold, {{7, 1}}, 12.5f, "obo");
    ASSERT_TRUE(result.logged) << result.error;
    const auto rows = Query("select id, deal_date, in_or_out, price, comments from trans_detail");
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0][0], std::to_string(result.transactionId));
    EXPECT_EQ(rows[0][1], "2026-12-06 23:15:02");
    EXPECT_EQ(rows[0][2], "1");
    EXPECT_EQ(std::stod(rows[0][3]), 12.5);
    EXPECT_EQ(rows[0][4], "obo");
}

TEST_F(CollectionDatabaseTest, SellingMoreThanOwnedStopsAtZeroButRecordsTheQuantity)
{
    ASSERT_TRUE(Log(kDealBought, {{55, 2}}).logged);
    const DealResult sold = Log(kDealSold, {{55, 3}});
    ASSERT_TRUE(sold.logged) << sold.error;
    EXPECT_EQ(One("select no_owned from collections where card_id=55"), "0");
    EXPECT_EQ(One("select no_trade_cards from history where transaction_id=" +
                  std::to_string(sold.transactionId)),
              "3");
}

TEST_F(CollectionDatabaseTest, ANegativeQuantityRefusesTheWholeDeal)
{
    ASSERT_TRUE(Log(kDealBought, {{55, 7}}).logged);
    const DealResult sold = Log(kDealSold, {{56, 1}, {55, -5}});
    EXPECT_FALSE(sold.logged);
    EXPECT_NE(sold.error.find("below 0"), std::string::npos) << sold.error;
    EXPECT_EQ(One("select no_owned from collections where card_id=55"), "7");
    EXPECT_EQ(One("select count(*) from trans_detail"), "1");
    EXPECT_EQ(One("select count(*) from history"), "1");
}

TEST_F(CollectionDatabaseTest, EveryLineGetsAHistoryRowOfItsOwnDeal)
{
    ASSERT_TRUE(Log(kDealBought, {{9, 1}}).logged);
    const DealResult second = Log(kDealBought, {{9, 2}, {card_key::Foil(9), 1}, {10, 0}});
    ASSERT_TRUE(second.logged);
    const auto rows = Query("select collections.card_id, no_trade_cards, transaction_id from "
                            "history, collections where collections.id=collections_id and "
                            "transaction_id=" +
                            std::to_string(second.transactionId) + " order by history.rowid");
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0][0], "9");
    EXPECT_EQ(rows[1][0], std::to_string(card_key::Foil(9)));
    EXPECT_EQ(rows[2][0], "10");
    EXPECT_EQ(rows[2][1], "0");
    // A quantity of 0 leaves the count unchanged (a new row owns 0 copies).
    EXPECT_EQ(One("select no_owned from collections where card_id=10"), "0");
    EXPECT_EQ(One("select no_owned from collections where card_id=9"), "3");
}

TEST_F(CollectionDatabaseTest, CommentsAreStoredExactlyAsTyped)
{
    const std::string comment = "it's 'a' \"deal\"'); drop table history; -- \\ % %s \xC3\xA9";
    const DealResult result = Log(kDealBought, {{3, 1}}, 1.0f, comment);
    ASSERT_TRUE(result.logged) << result.error;
    EXPECT_EQ(One("select comments from trans_detail"), comment);
    EXPECT_EQ(One("select count(*) from history"), "1");
}

TEST_F(CollectionDatabaseTest, AFailingHistoryInsertRollsTheWholeDealBack)
{
    ASSERT_TRUE(Log(kDealBought, {{1, 1}}).logged);
    // A trigger makes the engine refuse the history row of card 2 only.
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(m_path.c_str(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db,
                           "create trigger refuse before insert on history when "
                           "(select card_id from collections where id=new.collections_id)=2 "
                           "begin select raise(abort, 'history refused'); end;",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(db);
    const DealResult result = Log(kDealBought, {{1, 4}, {2, 1}});
    EXPECT_FALSE(result.logged);
    EXPECT_NE(result.error.find("history refused"), std::string::npos) << result.error;
    EXPECT_EQ(One("select count(*) from trans_detail"), "1");
    EXPECT_EQ(One("select count(*) from history"), "1");
    EXPECT_EQ(One("select no_owned from collections where card_id=1"), "1");
    EXPECT_EQ(One("select count(*) from collections where card_id=2"), "0");
    // The connection is usable afterwards, and the next deal names itself, not an older one.
    const DealResult next = Log(kDealBought, {{1, 1}});
    ASSERT_TRUE(next.logged) << next.error;
    EXPECT_EQ(One("select max(transaction_id) from history"), std::to_string(next.transactionId));
}

TEST_F(CollectionDatabaseTest, AFailingDealInsertWritesNothing)
{
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(m_path.c_str(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db,
                           "create trigger refuse before insert on trans_detail begin "
                           "select raise(abort, 'deal refused'); end;",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(db);
    const DealResult result = Log(kDealBought, {{1, 1}});
    EXPECT_FALSE(result.logged);
    EXPECT_NE(result.error.find("deal refused"), std::string::npos) << result.error;
    EXPECT_EQ(One("select count(*) from collections"), "0");
    EXPECT_EQ(One("select count(*) from history"), "0");
}

TEST_F(CollectionDatabaseTest, AClosedDatabaseIsReportedNotCrashed)
{
    m_database.Close();
    const DealResult result = Log(kDealBought, {{1, 1}});
    EXPECT_FALSE(result.logged);
    EXPECT_FALSE(result.error.empty());
    EXPECT_EQ(One("select count(*) from trans_detail"), "0");
}

TEST_F(CollectionDatabaseTest, EnsureCollectionRowAddsOnlyWhenMissing)
{
    EnsureCollectionRow(m_database, 42, 0);
    EnsureCollectionRow(m_database, 42, 0);
    EnsureCollectionRow(m_database, 42, 3);
    EXPECT_EQ(One("select count(*) from collections where card_id=42"), "2");
    EXPECT_EQ(One("select no_owned from collections where card_id=42 and collectionName_id=0"),
              "0");
}

class CollectionViewTest : public CollectionDatabaseTest {
protected:
    CardTexts texts{[](std::int32_t id) {
                         static const std::map<std::int32_t, std::string> names{{1, "Card A"},
                                                                                 {2, "Card B"}};
                         const auto it = names.find(id);
                         return it == names.end() ? std::string() : it->second;
                     },
                     {},
                     [](std::int32_t id) {
                         return id == 1   ? SetLabel{"7ED", "Seventh Edition"}
                                : id == 2 ? SetLabel{"ODY", "Odyssey"}
                                          : SetLabel{};
                     }};
};

TEST_F(CollectionViewTest, CollectionSumsDealsAndHidesCardsNoLongerOwned)
{
    ASSERT_TRUE(Log(kDealBought, {{1, 3}}).logged);
    ASSERT_TRUE(Log(kDealBought, {{1, 2}, {card_key::Foil(1), 1}}).logged);
    ASSERT_TRUE(Log(kDealBought, {{2, 1}}).logged);
    ASSERT_TRUE(Log(kDealSold, {{2, 1}}).logged);
    const auto all = RefreshViewRows(m_database, CollectionViewMode::Collection, {}, texts);
    EXPECT_TRUE(all.error.empty()) << all.error;
    const std::vector<std::vector<std::string>> expected{{"5", "Card A", "7ED", ""},
                                                         {"1", "Foil Card A", "7ED", ""}};
    EXPECT_EQ(all.rows, expected);
    EXPECT_EQ(all.setNames, (std::vector<std::string>{"Seventh Edition", "Seventh Edition"}));
    const auto ticked = RefreshViewRows(m_database, CollectionViewMode::Collection, {2, 1}, texts);
    EXPECT_EQ(ticked.rows, expected);
    // Card B was sold again, yet its deals stay in the log.
    const auto log = RefreshViewRows(m_database, CollectionViewMode::TransactionLog, {2}, texts);
    ASSERT_EQ(log.rows.size(), 2u);
    EXPECT_EQ(log.rows[1][ColumnIndex(DealLogColumn::Details)], "Sold:1xCard B for 12.5");
}

TEST_F(CollectionViewTest, TransactionLogRowsListEachDealOnce)
{
    ASSERT_TRUE(Log(kDealBought, {{1, 2}, {card_key::Foil(2), 1}}, 12.5f, "first 'deal'").logged);
    ASSERT_TRUE(Log(kDealBought, {{77, 1}}, 3.0f, "").logged);
    const auto all = RefreshViewRows(m_database, CollectionViewMode::TransactionLog, {}, texts);
    ASSERT_TRUE(all.error.empty()) << all.error;
    ASSERT_EQ(all.rows.size(), 2u);
    const std::vector<std::string> first{"December 06 2026 23:15:02",
                                         "Bought:2xCard A 1xFoil Card B for 12.5", "7ED, ODY",
                                         "" /* no values known */, "first 'deal'"};
    EXPECT_EQ(all.rows[0], first);
    EXPECT_EQ(all.setNames[0], "Seventh Edition, Odyssey");
    // A card the catalogue does not hold.
    EXPECT_EQ(all.rows[1][ColumnIndex(DealLogColumn::Details)], "Bought:1x for 3.0");
    EXPECT_EQ(all.rows[1][ColumnIndex(DealLogColumn::Set)], "");
    // Both ticked cards belong to the one deal; the database holds one row and so does the log.
    const auto both =
        RefreshViewRows(m_database, CollectionViewMode::TransactionLog, {1, 2}, texts);
    ASSERT_EQ(both.rows.size(), 1u);
    EXPECT_EQ(both.rows[0], all.rows[0]);
}

TEST_F(CollectionViewTest, AFailingQueryKeepsWhatWasReadAndSaysWhy)
{
    ASSERT_TRUE(Log(kDealBought, {{1, 2}}).logged);
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(m_path.c_str(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, "drop table history", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
    const auto collection = RefreshViewRows(m_database, CollectionViewMode::Collection, {}, texts);
    EXPECT_EQ(collection.rows.size(), 1u);
    EXPECT_TRUE(collection.error.empty());
    const auto log =
        RefreshViewRows(m_database, CollectionViewMode::TransactionLog, {1, 2}, texts);
    EXPECT_TRUE(log.rows.empty());
    EXPECT_NE(log.error.find("history"), std::string::npos) << log.error;
    m_database.Close();
    const auto closed = RefreshViewRows(m_database, CollectionViewMode::Collection, {}, texts);
    EXPECT_FALSE(closed.error.empty());
}

// Kills a program that logs deals at random moments, many times over; afterwards the file must
// be sound and every deal whole (all its history rows, counts matching history) or absent.
TEST_F(CollectionDatabaseTest, DealsSurviveSigkillWholeOrNotAtAll)
{
    m_database.Close();
    std::mt19937 random(20261207);
    std::uniform_int_distribution<int> delayMs(2, 60);
    constexpr int kKills = 40;
    for (int round = 0; round < kKills; ++round) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            const std::string seed = std::to_string(round);
            ::execl(QUORVEL_DEAL_LOGGER, QUORVEL_DEAL_LOGGER, m_path.c_str(), seed.c_str(),
                    static_cast<char*>(nullptr));
            ::_exit(127);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(delayMs(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the logger ended by itself, status " << status;
    }
    EXPECT_EQ(One("pragma integrity_check"), "ok");
    const int deals = std::stoi(One("select count(*) from trans_detail"));
    EXPECT_GT(deals, 0) << "no deal was logged before the kills; the test proves nothing";
    RecordProperty("deals_logged", deals);
    for (const auto& deal : Query("select id, comments from trans_detail")) {
        const int lines = std::stoi(deal[1].substr(deal[1].find('=') + 1));
        EXPECT_EQ(One("select count(*) from history where transaction_id=" + deal[0]),
                  std::to_string(lines))
            << "deal " << deal[0];
    }
    EXPECT_EQ(One("select count(*) from history where transaction_id not in "
                  "(select id from trans_detail)"),
              "0");
    // Only purchases were logged, so each owned count is the sum of its history rows.
    EXPECT_EQ(One("select count(*) from collections where no_owned <> (select "
                  "coalesce(sum(no_trade_cards), 0) from history where collections_id = "
                  "collections.id)"),
              "0");
}
