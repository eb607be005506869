#include "DecksFixture.h"

#include "data/DateTime.h"
#include "decks/CollectionImport.h"
#include "decks/DeckFileReader.h"

#include "support/FileBytes.h"

#include <sqlite3.h>

namespace {

class CollectionImportTest : public DecksFixture {
protected:
    void SetUp() override
    {
        DecksFixture::SetUp();
        RunSql(m_collectionPath, "insert into collections (card_id, collectionName_id, no_owned) "
                                 "values (2, 0, 2), (3, 0, 5), (4, 0, 1), (6, 0, 0)");
    }

    CollectionImportPlan PlanOf(const std::string& csv)
    {
        OwnedCounts owned;
        std::string error;
        EXPECT_TRUE(LoadOwnedCounts(m_collection, owned, &error)) << error;
        return CollectionImport::Plan(DeckFileReader::ReadBytes(csv), "coll.csv", *m_index, owned);
    }

    std::string Rows(const std::string& query)
    {
        sqlite3* db = nullptr;
        sqlite3_open(m_collectionPath.c_str(), &db);
        std::string out;
        sqlite3_exec(
            db, query.c_str(),
            [](void* text, int columns, char** values, char**) {
                auto& out = *static_cast<std::string*>(text);
                for (int i = 0; i < columns; ++i) {
                    out +=
                        std::string(values[i] ? values[i] : "NULL") + (i + 1 < columns ? "," : ";");
                }
                return 0;
            },
            &out, nullptr);
        sqlite3_close(db);
        return out;
    }

    std::string FileBytes() const { return ReadWholeFile(m_collectionPath); }

    static constexpr const char* kCsv = "Card Name,Quantity,ID #,Set,Collector #,Premium\n"
                                        "Lightning Bolt,3,62723,M10,146,No\n"
                                        "Lightning Bolt,4,,7ED,201,No\n"
                                        "Shock,5,,M10,150,No\n"
                                        "Lightnin Bolt,1,,,,No\n";
};

TEST_F(CollectionImportTest, CountsBecomeTheFilesAsOneLoggedDeal)
{
    const CollectionImportPlan plan = PlanOf(kCsv);
    ASSERT_EQ(plan.error, "");
    ASSERT_EQ(plan.added.size(), 1u);
    EXPECT_EQ(plan.added[0].cardKey, kBoltM10);
    ASSERT_EQ(plan.removed.size(), 1u);
    EXPECT_EQ(plan.removed[0].cardKey, kCounterspell);
    ASSERT_EQ(plan.changed.size(), 1u);
    EXPECT_EQ(plan.changed[0].before, 2);
    EXPECT_EQ(plan.changed[0].after, 4);
    EXPECT_EQ(plan.unchanged, 1);
    ASSERT_EQ(plan.notUnderstood.size(), 1u);
    EXPECT_EQ(ProblemText(plan.notUnderstood[0]),
              "line 5: no card named \"Lightnin Bolt\" (closest: Lightning Bolt)");
    EXPECT_NE(CollectionImport::PreviewText(plan).find("1 cards added, 1 removed, 1 counts "
                                                       "changed, 1 unchanged; 1 lines not"),
              std::string::npos);

    const CollectionImportResult result =
        CollectionImport::Apply(m_collection, plan, DateTime(2026, 12, 8, 10, 0, 0));
    ASSERT_TRUE(result.imported) << result.error;
    EXPECT_EQ(Rows("select card_id, no_owned from collections where no_owned > 0 order by card_id"),
              "1,3;2,4;3,5;");
    EXPECT_EQ(Rows("select in_or_out, price, comments from trans_detail"),
              "0,0.0,Collection import coll.csv;");
    EXPECT_EQ(Rows("select c.card_id, h.no_trade_cards from history h join collections c on "
                   "c.id = h.collections_id order by c.card_id"),
              "1,3;2,2;4,-1;");

    // The same file again changes nothing and logs nothing.
    EXPECT_FALSE(PlanOf(kCsv).HasChanges());
}

TEST_F(CollectionImportTest, AFailureOrAChangedCollectionLeavesTheFileAsItWas)
{
    const CollectionImportPlan plan = PlanOf(kCsv);
    RunSql(m_collectionPath, "create trigger refuse before insert on history when "
                             "new.no_trade_cards < 0 begin select raise(abort, 'disk full'); end;");
    const std::string before = FileBytes();
    CollectionImportResult result =
        CollectionImport::Apply(m_collection, plan, DateTime(2026, 12, 8, 10, 0, 0));
    EXPECT_FALSE(result.imported);
    EXPECT_EQ(result.error, "disk full");
    EXPECT_EQ(FileBytes(), before);

    RunSql(m_collectionPath,
           "drop trigger refuse; update collections set no_owned = 7 where card_id = 2");
    const std::string changed = FileBytes();
    result = CollectionImport::Apply(m_collection, plan, DateTime(2026, 12, 8, 10, 0, 0));
    EXPECT_FALSE(result.imported);
    EXPECT_NE(result.error.find("changed since the preview"), std::string::npos) << result.error;
    EXPECT_EQ(FileBytes(), changed);
}

TEST_F(CollectionImportTest, AFileOfNoKnownCardIsRefused)
{
    const CollectionImportPlan plan = PlanOf("Card Name,Quantity\nNope,1\n");
    EXPECT_EQ(plan.error, "no line of the file names a card of the price database");
    EXPECT_FALSE(CollectionImport::Apply(m_collection, plan, DateTime::Now()).imported);
}

} // namespace
