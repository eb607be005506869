#include "support/GermanLocale.h"
#include "support/SqlProbe.h"
#include "support/TempDir.h"

#include "data/CADOConnection.h"
#include "data/CADODataBase.h"
#include "data/CADORecordset.h"
#include "data/CardKey.h"
#include "data/DatabaseSchema.h"
#include "data/DateTime.h"
#include "data/SqlTexts.h"

#include <gtest/gtest.h>
#include <sqlite3.h>


namespace {

// Runs the program's collection statements against a fresh collection database.
class CollectionTextsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_file = m_dir.File("collection.mdb");
        ASSERT_TRUE(database_schema::CreateCollectionDatabase(m_file));
        ASSERT_TRUE(m_db.Open(ConnectionString(m_file)));
    }

    // Logs a deal the way transaction logging does: one deal row, then one history line and
    // an owned count per card key.
    int LogDeal(const DateTime& when, int direction, double price, const std::string& comments,
                const std::vector<std::pair<int, int>>& cards)
    {
        m_db.GetActiveConnection()->BeginTrans();
        EXPECT_TRUE(
            m_db.Execute(sql::Format(sql::kInsertDeal, when.Format(sql::kDealDateFormat).c_str(),
                                     direction, price, sql::EscapeLiteral(comments).c_str())))
            << m_db.GetLastErrorText();
        CADORecordset rs(m_db);
        EXPECT_TRUE(rs.Open(sql::kSelectNewestDealId));
        std::int32_t deal = 0;
        rs.GetLong("id", deal);
        for (const auto& [key, copies] : cards) {
            EXPECT_TRUE(
                rs.Open(sql::Format(sql::kSelectCollectionCard, key, sql::kMainCollection)));
            std::int32_t owned = 0;
            if (rs.IsEof()) {
                rs.AddNew();
                rs.SetLong("card_id", key);
                rs.SetLong("collectionName_id", sql::kMainCollection);
                rs.SetLong("no_owned", 0);
                rs.Update();
            }
            rs.GetLong("no_owned", owned);
            std::int32_t row = 0;
            rs.GetLong("id", row);
            rs.Edit();
            rs.SetLong("no_owned", direction == sql::kBought ? owned + copies : owned - copies);
            rs.Update();
            EXPECT_TRUE(m_db.Execute(sql::Format(sql::kInsertHistory, row, copies, deal)));
        }
        m_db.GetActiveConnection()->CommitTrans();
        return deal;
    }

    TempDir m_dir;
    std::string m_file;
    CADODataBase m_db;
};

std::vector<std::int32_t> ReadColumn(CADORecordset& rs, const char* field)
{
    std::vector<std::int32_t> values;
    for (; !rs.IsEof(); rs.MoveNext()) {
        std::int32_t value = 0;
        rs.GetLong(field, value);
        values.push_back(value);
    }
    return values;
}

} // namespace

TEST(SqlTexts, FormatFillsPatternsWithTheCNotationInAnyLocale)
{
    EXPECT_EQ(sql::Format(sql::kSelectCardById, 1234), "select * from cardslist where id=1234");
    std::string text;
    bool comma = false;
    {
        const GermanLocale german;
        comma = german.Active();
        if (comma) {
            EXPECT_EQ(GermanLocale::WrittenNumber(), "4,5"); // the locale writes a decimal comma
        }
        text = sql::Format(sql::kInsertDeal, "December 06 2026 23:05:24", 1, 2.5, "x");
    }
    EXPECT_EQ(text, "insert into trans_detail (deal_date, in_or_out, price, comments) values "
                    "('December 06 2026 23:05:24',1,2.500000,'x')");
    if (!comma) {
        GTEST_SKIP() << "no decimal-comma locale available; checked in the C locale only";
    }
}

TEST(SqlTexts, EscapeLiteralDoublesQuotesAndStopsAtNul)
{
    EXPECT_EQ(sql::EscapeLiteral("Gerrard's Wisdom"), "Gerrard''s Wisdom");
    EXPECT_EQ(sql::EscapeLiteral("''"), "''''");
    EXPECT_EQ(sql::EscapeLiteral(std::string("ab\0'); drop", 11)), "ab");
    EXPECT_EQ(sql::EscapeLiteral(""), "");
}

TEST_F(CollectionTextsTest, ADealIsStoredWithItsCommentsAndASortableDate)
{
    const std::string comments = "sold to O'Brien'); delete from history; --";
    const int deal =
        LogDeal(DateTime(2026, 12, 6, 23, 5, 24), sql::kSold, 12.5, comments, {{1234, 2}});
    EXPECT_EQ(deal, 1);
    EXPECT_EQ(QueryText(m_file, "select deal_date from trans_detail"), "2026-12-06 23:05:24");
    CADORecordset rs(m_db);
    ASSERT_TRUE(rs.Open(sql::kSelectDeals));
    ASSERT_FALSE(rs.IsEof());
    std::string text;
    EXPECT_TRUE(rs.GetText("comments", text));
    EXPECT_EQ(text, comments);
    DateTime date;
    EXPECT_TRUE(rs.GetDate("deal_date", date));
    EXPECT_EQ(date.Format(sql::kDealDateFormat), "December 06 2026 23:05:24");
    float price = 0;
    EXPECT_TRUE(rs.GetFloat("price", price));
    EXPECT_FLOAT_EQ(price, 12.5f);
    std::int32_t direction = -1;
    EXPECT_TRUE(rs.GetLong("in_or_out", direction));
    EXPECT_EQ(direction, sql::kSold);
}

TEST_F(CollectionTextsTest, TheNewestDealIdFollowsInsertionOrder)
{
    CADORecordset rs(m_db);
    ASSERT_TRUE(rs.Open(sql::kSelectNewestDealId));
    EXPECT_TRUE(rs.IsEof()); // no deal yet
    LogDeal(DateTime(2026, 1, 1), sql::kBought, 1.0, "first", {{5, 1}});
    const int second = LogDeal(DateTime(2025, 1, 1), sql::kBought, 1.0, "second", {{6, 1}});
    ASSERT_TRUE(rs.Open(sql::kSelectNewestDealId));
    std::int32_t id = 0;
    rs.GetLong("id", id);
    EXPECT_EQ(id, second);
    EXPECT_EQ(second, 2);
}

TEST_F(CollectionTextsTest, RegularAndFoilCopiesAreCountedApart)
{
    const int bought = LogDeal(DateTime(2026, 3, 1), sql::kBought, 4.0, "",
                               {{1234, 3}, {card_key::Foil(1234), 1}, {99, 1}});
    const int sold = LogDeal(DateTime(2026, 3, 2), sql::kSold, 2.0, "", {{1234, 1}});
    EXPECT_EQ(QueryText(m_file, "select card_id from collections where card_id > 16777216"),
              "16778450");

    CADORecordset rs(m_db);
    ASSERT_TRUE(rs.Open(sql::Format(sql::kSelectCollectionCardBoth, 1234, card_key::Foil(1234),
                                    sql::kMainCollection)));
    std::vector<std::int32_t> keys;
    std::vector<std::int32_t> owned;
    for (; !rs.IsEof(); rs.MoveNext()) {
        std::int32_t value = 0;
        rs.GetLong("card_id", value);
        keys.push_back(value);
        rs.GetLong("no_owned", value);
        owned.push_back(value);
    }
    EXPECT_EQ(keys, (std::vector<std::int32_t>{1234, 16778450}));
    EXPECT_EQ(owned, (std::vector<std::int32_t>{2, 1}));

    ASSERT_TRUE(rs.Open(sql::kSelectCollections));
    EXPECT_EQ(ReadColumn(rs, "card_id").size(), 3u);
    ASSERT_TRUE(rs.Open(
        sql::Format(sql::kSelectDealsOfCard, 1234, card_key::Foil(1234), sql::kMainCollection)));
    EXPECT_EQ(ReadColumn(rs, "id"), (std::vector<std::int32_t>{bought, sold}));
    ASSERT_TRUE(rs.Open(
        sql::Format(sql::kSelectDealsOfCard, 99, card_key::Foil(99), sql::kMainCollection)));
    EXPECT_EQ(ReadColumn(rs, "id"), (std::vector<std::int32_t>{bought}));

    ASSERT_TRUE(rs.Open(sql::Format(sql::kSelectDealCards, bought)));
    std::vector<std::pair<std::int32_t, std::int32_t>> lines;
    for (; !rs.IsEof(); rs.MoveNext()) {
        std::int32_t key = 0;
        std::int32_t copies = 0;
        rs.GetLongAt(0, key);
        rs.GetLongAt(1, copies);
        lines.emplace_back(key, copies);
    }
    EXPECT_EQ(lines, (std::vector<std::pair<std::int32_t, std::int32_t>>{
                         {1234, 3}, {16778450, 1}, {99, 1}}));
}

TEST_F(CollectionTextsTest, AFailedDealLeavesNoTrace)
{
    CADOConnection& connection = *m_db.GetActiveConnection();
    connection.BeginTrans();
    ASSERT_TRUE(m_db.Execute(sql::Format(sql::kInsertDeal, "March 01 2026 10:00:00", 0, 1.0, "")));
    EXPECT_FALSE(m_db.Execute("insert into history (nope) values (1)"));
    connection.RollbackTrans();
    EXPECT_EQ(QueryText(m_file, "select count(*) from trans_detail"), "0");
    CADORecordset rs(m_db);
    ASSERT_TRUE(rs.Open(sql::kSelectDeals));
    EXPECT_TRUE(rs.IsEof());
}

TEST(Schema, PriceTextsOpenOnAnEmptyPriceDatabase)
{
    TempDir dir;
    const std::string file = dir.File("mtgo.mdb");
    ASSERT_TRUE(database_schema::CreatePriceDatabase(file));
    std::string error;
    EXPECT_FALSE(database_schema::CreatePriceDatabase(file, &error)); // never overwritten
    EXPECT_NE(error.find("already exists"), std::string::npos);
    CADODataBase db;
    ASSERT_TRUE(db.Open(ConnectionString(file)));
    CADORecordset rs(db);
    for (const std::string& text :
         {std::string(sql::kSelectExpansions), std::string(sql::kSelectCards),
          sql::Format(sql::kSelectCardById, 1)}) {
        EXPECT_TRUE(rs.Open(text)) << rs.GetLastErrorText();
        EXPECT_TRUE(rs.IsEof());
        EXPECT_TRUE(rs.IsUpdatable()) << text;
    }
}

TEST(Schema, AFailedCreationLeavesNoFile)
{
    TempDir dir;
    const std::string file = dir.File("broken.mdb");
    std::string error;
    EXPECT_FALSE(database_schema::CreateDatabase(
        file, database_schema::kPriceTables,
        [](sqlite3*) { throw std::runtime_error("disk full"); }, &error));
    EXPECT_NE(error.find("disk full"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(file));
    EXPECT_FALSE(
        database_schema::CreateDatabase(dir.File("bad.mdb"), "create tablet x;", nullptr, &error));
    EXPECT_FALSE(std::filesystem::exists(dir.File("bad.mdb")));
}
