// What the last import moved: risers and fallers of every card or only the owned ones, and
// the collection's worth before and after.

#include "trade/PriceChangeReport.h"

#include "data/CADODataBase.h"
#include "data/CardKey.h"
#include "data/DatabaseSchema.h"
#include "data/PriceHistory.h"
#include "data/SampleCatalogue.h"
#include "support/CardBuilder.h"
#include "support/SqlProbe.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <map>

namespace {

class PriceChangeReportTest : public testing::Test {
protected:
    void SetUp() override
    {
        std::string error;
        ASSERT_TRUE(sample_catalogue::WritePriceDatabase(
            m_dir.File("mtgo.mdb"), sample_catalogue::NineSets(),
            {MakeCard(1, "Shock", 0.2, 0.6, 10, 219, 10), MakeCard(2, "Counterspell", 0.3, 2.0),
             MakeCard(3, "Wrath of God", 6.0, 30.0), MakeCard(4, "Giant Growth", 0.2, 1.0)},
            &error))
            << error;
        ASSERT_EQ(sqlite3_open(m_dir.File("mtgo.mdb").c_str(), &m_db), SQLITE_OK);
        ASSERT_TRUE(price_history::Prepare(m_db));
        // Day one, then day two: Shock and foil Wrath rise, Counterspell falls, Giant Growth
        // keeps its values (no row).
        const std::map<int, std::pair<PricePoint, PricePoint>> days = {
            {1, {{"2026-12-07", 0.1, 0.6}, {"2026-12-08", 0.2, 0.6}}},
            {2, {{"2026-12-07", 0.4, 2.0}, {"2026-12-08", 0.3, 2.0}}},
            {3, {{"2026-12-07", 6.0, 25.0}, {"2026-12-08", 6.0, 30.0}}},
            {4, {{"2026-12-07", 0.2, 1.0}, {"2026-12-07", 0.2, 1.0}}},
        };
        for (const auto& [card, pair] : days) {
            ASSERT_TRUE(price_history::Write(m_db, card, pair.first));
            ASSERT_TRUE(price_history::Write(m_db, card, pair.second));
        }
        ASSERT_TRUE(database_schema::CreateCollectionDatabase(m_dir.File("collection.mdb"), &error));
        // Owned: 4 Shock, 1 foil Wrath of God, 2 Giant Growth; a Counterspell sold (0 left).
        RunSql(m_dir.File("collection.mdb"),
               "insert into collections (card_id, collectionName_id, no_owned) values "
               "(1, 0, 4), (" + std::to_string(card_key::Foil(3)) + ", 0, 1), (4, 0, 2), "
               "(2, 0, 0)");
        ASSERT_TRUE(m_collection.Open(ConnectionString(m_dir.File("collection.mdb"))));
    }
    void TearDown() override
    {
        m_collection.Close();
        sqlite3_close(m_db);
    }
    static std::vector<std::string> Names(const std::vector<PriceMove>& moves)
    {
        std::vector<std::string> names;
        for (const PriceMove& move : moves)
            names.push_back((move.foil ? "Foil " : "") + move.name);
        return names;
    }
    // Today's values, as the catalogue holds them.
    static std::optional<double> ValueOf(std::int32_t key)
    {
        const std::map<std::int32_t, double> values = {
            {1, 0.2}, {2, 0.3}, {3, 6.0}, {4, 0.2}, {card_key::Foil(3), 30.0}};
        const auto found = values.find(key);
        return found == values.end() ? std::nullopt : std::optional<double>(found->second);
    }

    TempDir m_dir;
    sqlite3* m_db = nullptr;
    CADODataBase m_collection;
};

TEST_F(PriceChangeReportTest, ListsEveryCardOrOnlyTheOwnedOnesLargestFirst)
{
    PriceChangeReport report;
    std::string error;
    ASSERT_TRUE(report.Read(m_db, &m_collection, &error)) << error;
    EXPECT_EQ(report.Day(), "2026-12-08");
    const PriceMovers all = report.Lists(10, false);
    EXPECT_EQ(Names(all.risers), (std::vector<std::string>{"Shock", "Foil Wrath of God"}));
    EXPECT_EQ(Names(all.fallers), (std::vector<std::string>{"Counterspell"}));
    const PriceMovers owned = report.Lists(10, true);
    EXPECT_EQ(Names(owned.risers), (std::vector<std::string>{"Shock", "Foil Wrath of God"}));
    EXPECT_TRUE(owned.fallers.empty()); // none left of the Counterspell
    EXPECT_EQ(report.Lists(0, false).risers.size(), 0u);

    EXPECT_EQ(PriceChangeReport::RowTexts(all.risers[0]),
              (std::vector<std::string>{"Shock", "7ED", "Regular", "0.1", "0.2", "+0.1",
                                        "+100.0 %"}));
    EXPECT_EQ(PriceChangeReport::RowTexts(all.fallers[0])[5], "-0.1");
}

TEST_F(PriceChangeReportTest, TheWorthBeforeTakesEachMovedCopyAtItsPreviousValue)
{
    PriceChangeReport report;
    ASSERT_TRUE(report.Read(m_db, &m_collection));
    const WorthChange worth = report.Worth(&PriceChangeReportTest::ValueOf);
    // After: 4 x 0.2 + 30.0 + 2 x 0.2; before: 4 x 0.1 + 25.0 + 2 x 0.2.
    EXPECT_NEAR(worth.after, 31.2, 1e-9);
    EXPECT_NEAR(worth.before, 25.8, 1e-9);
    EXPECT_EQ(worth.copies, 7);
    EXPECT_EQ(PriceChangeReport::WorthCaption(worth),
              "Your collection: 25.8 Tix before, 31.2 Tix (+20.9 %) now");
}

TEST_F(PriceChangeReportTest, AnUnreadableCollectionIsAClearErrorAndNoHistoryIsNoMove)
{
    RunSql(m_dir.File("collection.mdb"), "drop table collections");
    PriceChangeReport report;
    std::string error;
    EXPECT_FALSE(report.Read(m_db, &m_collection, &error));
    EXPECT_NE(error.find("The collection could not be read"), std::string::npos) << error;

    RunSql(m_dir.File("mtgo.mdb"), "delete from price_days; delete from price_latest");
    ASSERT_TRUE(report.Read(m_db, nullptr, &error)) << error;
    EXPECT_EQ(report.Day(), "");
    EXPECT_TRUE(report.Lists(10, false).risers.empty());
    EXPECT_EQ(report.Worth(&PriceChangeReportTest::ValueOf).copies, 0);
}

} // namespace
