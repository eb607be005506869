#include "support/CardBuilder.h"
#include "support/SqlProbe.h"
#include "support/TempDir.h"

#include "data/CADODataBase.h"
#include "data/CADORecordset.h"
#include "data/CardCatalogue.h"
#include "data/CardKey.h"
#include "data/DatabaseSchema.h"
#include "data/SampleCatalogue.h"
#include "data/SqlTexts.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <tuple>

namespace {

class CatalogueTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_file = m_dir.File("mtgo.mdb");
        ASSERT_TRUE(database_schema::CreatePriceDatabase(m_file));
    }

    bool Load(std::string* error = nullptr)
    {
        if (!m_db.IsOpen() && !m_db.Open(ConnectionString(m_file))) {
            return false;
        }
        return m_catalogue.LoadCatalogue(m_db, error);
    }

    void ExpectSameAsReadByName();

    TempDir m_dir;
    std::string m_file;
    CADODataBase m_db;
    CardCatalogue m_catalogue;
};

} // namespace

TEST_F(CatalogueTest, LoadsSetsAndCardsInValueThenSetOrder)
{
    RunSql(m_file,
           "insert into expansion values (10, 'Seventh Edition'), (20, 'Invasion');"
           "insert into cardslist (id, name, reg_value, foil_value, expansion, collection_no, "
           "rarity, hot, update_date) values"
           " (1, 'Castle', 0.5, 2.0, 10, 5, 20, 0, '2026-03-04 05:06:07'),"
           " (2, 'Shivan Dragon', 3.25, 9.75, 10, 99, 30, 1, 'March 05 2026 10:00:00'),"
           " (3, 'Opt', 0.5, 1.0, 20, 64, 10, 0, '2026-01-01 00:00:00');");
    std::string error;
    ASSERT_TRUE(Load(&error)) << error;
    ASSERT_EQ(m_catalogue.Cards().size(), 3u);
    EXPECT_EQ(m_catalogue.Cards()[0].name, "Shivan Dragon");
    EXPECT_EQ(m_catalogue.Cards()[1].name, "Opt"); // equal values: higher set id first
    EXPECT_EQ(m_catalogue.Cards()[2].name, "Castle");
    ExpectSameCard(m_catalogue.Cards()[0], MakeCard(2, "Shivan Dragon", 3.25, 9.75, 10, 99, 30, 1,
                                                    DateTime(2026, 3, 5, 10, 0, 0)));
    EXPECT_EQ(m_catalogue.SetTable().size(), 2u);
    EXPECT_EQ(m_catalogue.SetName(20), "Invasion");
    EXPECT_EQ(m_catalogue.CardName(3), "Opt");
    EXPECT_EQ(m_catalogue.CardName(card_key::CatalogueId(card_key::Foil(3))), "Opt");
}

TEST_F(CatalogueTest, RepeatedIdsKeepEveryCardAndTheLaterName)
{
    RunSql(m_file, "insert into expansion values (10, 'Old name'), (10, 'New name');"
                   "insert into cardslist (id, name, reg_value, expansion) values"
                   " (7, 'Early', 2.0, 10), (7, 'Late', 1.0, 10);");
    ASSERT_TRUE(Load());
    EXPECT_EQ(m_catalogue.SetName(10), "New name");
    ASSERT_EQ(m_catalogue.Cards().size(), 2u);
    EXPECT_EQ(m_catalogue.Cards()[0].name, "Early");
    EXPECT_EQ(m_catalogue.Cards()[1].name, "Late");
    EXPECT_EQ(m_catalogue.CardName(7), "Late");
    ASSERT_NE(m_catalogue.FindCard(7), nullptr);
    EXPECT_EQ(m_catalogue.FindCard(7)->name, "Late");
}

TEST_F(CatalogueTest, NullFieldsLoadAsEmptyZeroAndTheZeroDate)
{
    RunSql(m_file,
           "insert into expansion values (null, null);"
           "insert into cardslist (id, name, reg_value, foil_value, expansion, collection_no, "
           "rarity, hot, update_date) values"
           " (1, 'Dated', 5.0, 6.0, 10, 1, 30, 0, '2026-06-01 12:00:00'),"
           " (2, null, null, null, null, null, null, null, null);");
    ASSERT_TRUE(Load());
    ASSERT_EQ(m_catalogue.Cards().size(), 2u);
    const CardRecord& card = m_catalogue.Cards()[1];
    // The zero date, not the date of the card read before it.
    ExpectSameCard(card, MakeCard(2, "", 0, 0, 0, 0, 0, 0, DateTime::Zero()));
    EXPECT_TRUE(card.update_date.IsValid());
    EXPECT_EQ(m_catalogue.SetName(0), "");
    EXPECT_EQ(m_catalogue.SetTable().size(), 1u);
}

TEST_F(CatalogueTest, UnknownIdsGiveEmptyNamesAndAnUnknownSetLeavesAnEntry)
{
    RunSql(m_file, "insert into expansion values (10, 'Seventh Edition');");
    ASSERT_TRUE(Load());
    EXPECT_EQ(m_catalogue.SetName(55), "");
    EXPECT_EQ(m_catalogue.SetTable().count(55), 1u);
    EXPECT_EQ(m_catalogue.CardName(512), "");
    EXPECT_EQ(m_catalogue.FindCard(512), nullptr);
    // The next load forgets them.
    ASSERT_TRUE(Load());
    EXPECT_EQ(m_catalogue.SetTable().count(55), 0u);
}

TEST_F(CatalogueTest, AReloadShowsAPriceCorrectionFirst)
{
    RunSql(m_file, "insert into cardslist (id, name, reg_value, expansion) values"
                   " (1, 'Top', 5.0, 10), (2, 'Bottom', 1.0, 10);");
    ASSERT_TRUE(Load());
    ASSERT_EQ(m_catalogue.Cards().front().name, "Top");
    RunSql(m_file, "update cardslist set reg_value = 9.5 where id = 2");
    EXPECT_EQ(m_catalogue.CopyValue(2), 1.0); // the index of the first load
    ASSERT_TRUE(Load());
    ASSERT_EQ(m_catalogue.Cards().size(), 2u);
    EXPECT_EQ(m_catalogue.Cards().front().name, "Bottom");
    // A copy's value by card key: regular, foil, unknown.
    EXPECT_EQ(m_catalogue.CopyValue(2), 9.5);
    EXPECT_EQ(m_catalogue.CopyValue(card_key::Foil(1)), 0.0);
    EXPECT_EQ(m_catalogue.CopyValue(3), std::nullopt);
}

TEST_F(CatalogueTest, AClosedDatabaseGivesAnEmptyCatalogueAndTheReason)
{
    RunSql(m_file, "insert into cardslist (id, name) values (1, 'Opt');");
    ASSERT_TRUE(Load());
    ASSERT_EQ(m_catalogue.Cards().size(), 1u);
    CADODataBase missing;
    ASSERT_FALSE(missing.Open(ConnectionString(m_dir.File("gone.mdb"))));
    std::string error;
    EXPECT_FALSE(m_catalogue.LoadCatalogue(missing, &error));
    EXPECT_TRUE(m_catalogue.Cards().empty());
    EXPECT_TRUE(m_catalogue.SetTable().empty());
    EXPECT_EQ(m_catalogue.FindCard(1), nullptr);
    EXPECT_NE(error.find("not open"), std::string::npos) << error;
    EXPECT_NE(error.find("Connection String = "), std::string::npos) << error;
    EXPECT_FALSE(m_catalogue.LoadCatalogue(missing)); // no error text asked for
}

// The load asks as it reads whether to stop; a stop ends it at once.
TEST_F(CatalogueTest, ALoadAskedToStopEndsEmptyAtTheNextQuestion)
{
    const std::string file = m_dir.File("big.mdb");
    ASSERT_TRUE(sample_catalogue::WritePriceDatabase(
        file, sample_catalogue::NineSets(), sample_catalogue::MakeSyntheticCards(10000, 2003)));
    ASSERT_TRUE(m_db.Open(ConnectionString(file)));
    struct Case {
        int stopAt; // the question answered "stop"; 0 for none
        bool loaded;
        int asked;
    };
    for (const Case& c : {Case{0, true, 0}, Case{2, false, 2}}) {
        int asked = 0;
        std::string error;
        const bool loaded =
            m_catalogue.LoadCatalogue(m_db, &error, false, [&] { return ++asked == c.stopAt; });
        EXPECT_EQ(loaded, c.loaded) << c.stopAt;
        if (c.stopAt == 0) {
            EXPECT_GT(asked, 0);
        } else {
            EXPECT_EQ(asked, c.asked) << c.stopAt;
        }
        EXPECT_EQ(m_catalogue.Cards().size(), c.loaded ? 10000u : 0u) << c.stopAt;
        EXPECT_EQ(error.empty(), c.loaded) << error;
    }
}

TEST_F(CatalogueTest, AMissingTableGivesAnEmptyCatalogueAndTheQuery)
{
    RunSql(m_file, "insert into expansion values (10, 'Seventh Edition');"
                   "drop table cardslist;");
    std::string error;
    EXPECT_FALSE(Load(&error));
    EXPECT_TRUE(m_catalogue.SetTable().empty());
    EXPECT_NE(error.find("Query = select * from cardslist order by reg_value desc,expansion "
                         "desc"),
              std::string::npos)
        << error;
    EXPECT_NE(error.find("no such table: cardslist"), std::string::npos) << error;
}

TEST_F(CatalogueTest, AMissingColumnGivesAnEmptyCatalogueAndNamesTheColumn)
{
    RunSql(m_file, "create table expansion2 (expansion_id integer);"
                   "insert into expansion2 values (10);"
                   "drop table expansion; alter table expansion2 rename to expansion;");
    std::string error;
    EXPECT_FALSE(Load(&error));
    EXPECT_TRUE(m_catalogue.SetTable().empty());
    EXPECT_NE(error.find("\"name\""), std::string::npos) << error;
    EXPECT_NE(error.find("select * from expansion"), std::string::npos) << error;
}

// The load reads fields by position and indexes ids in one pass; a synthetic catalogue with
// repeated ids, NULLs and a date in the English form must come out as reading every field by
// name, row by row, gives it.
TEST_F(CatalogueTest, LoadsWhatReadingEveryFieldByNameGives)
{
    ASSERT_TRUE(std::filesystem::remove(m_file));
    ASSERT_TRUE(sample_catalogue::WritePriceDatabase(
        m_file, sample_catalogue::NineSets(), sample_catalogue::MakeSyntheticCards(3000, 7)));
    RunSql(m_file, "update cardslist set id = 5 where id in (select id from cardslist limit 3);"
                   "update cardslist set name = null, update_date = null where id % 97 = 0;"
                   "update cardslist set update_date = 'March 05 2026 10:00:00' "
                   "where id % 89 = 0;");
    ExpectSameAsReadByName();
    // A value that is text is placed by the engine's own rules (above every number).
    RunSql(m_file, "update cardslist set reg_value = 'n/a' where id = 10;");
    ExpectSameAsReadByName();
    EXPECT_EQ(m_catalogue.Cards().front().id, 10);
}

void CatalogueTest::ExpectSameAsReadByName()
{
    ASSERT_TRUE(Load());
    CADORecordset rows(m_db);
    ASSERT_TRUE(rows.Open(sql::kSelectCards));
    std::map<std::int32_t, std::string> lastNames;
    std::size_t index = 0;
    for (; !rows.IsEof(); rows.MoveNext(), ++index) {
        ASSERT_LT(index, m_catalogue.Cards().size());
        const CardRecord& card = m_catalogue.Cards()[index];
        CardRecord read;
        rows.GetText("name", read.name);
        rows.GetDouble("reg_value", read.reg_value);
        rows.GetDouble("foil_value", read.foil_value);
        rows.GetLong("expansion", read.expansion);
        rows.GetLong("collection_no", read.collection_no);
        rows.GetLong("rarity", read.rarity);
        rows.GetLong("id", read.id);
        rows.GetLong("hot", read.hot);
        rows.GetDate("update_date", read.update_date);
        EXPECT_EQ(std::tie(card.id, card.name, card.reg_value, card.foil_value, card.expansion,
                           card.collection_no, card.rarity, card.hot),
                  std::tie(read.id, read.name, read.reg_value, read.foil_value, read.expansion,
                           read.collection_no, read.rarity, read.hot))
            << "row " << index;
        EXPECT_EQ(card.update_date, read.update_date) << "row " << index;
        lastNames[read.id] = read.name;
    }
    EXPECT_EQ(index, m_catalogue.Cards().size());
    for (const auto& [id, name] : lastNames) {
        ASSERT_NE(m_catalogue.FindCard(id), nullptr) << id;
        EXPECT_EQ(m_catalogue.FindCard(id)->name, name) << id;
        EXPECT_EQ(m_catalogue.CardName(id), name) << id;
    }
}
