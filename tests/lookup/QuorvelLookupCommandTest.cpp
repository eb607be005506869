// The quorvel-lookup command, run as a program in a folder of its own with a price database
// written for the test.

#include "support/CardBuilder.h"
#include "support/CommandRun.h"
#include "support/FileBytes.h"
#include "support/SqlProbe.h"
#include "support/TempDir.h"

#include "data/PriceHistory.h"
#include "data/PriceHistoryWriter.h"
#include "data/SampleCatalogue.h"
#include "data/SamplePriceMarks.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

namespace fs = std::filesystem;

namespace {

class QuorvelLookupCommandTest : public ::testing::Test {
protected:
    void WriteDatabase(std::size_t goblins = 0, const std::vector<std::string>& names = {})
    {
        const std::vector<CardSet> sets = {{10, "7E", "Seventh Edition"}, {80, "ON", "Onslaught"}};
        std::vector<CardRecord> cards;
        const auto add = [&](const std::string& name, double reg, double foil, int set,
                             int rarity) {
            const int id = static_cast<int>(cards.size() + 1);
            cards.push_back(
                MakeCard(id, name, reg, foil, set, id, rarity, 0, DateTime(2026, 11, 1)));
        };
        add("Lightning Blast", 0.25f, 1.0f, 10, 10);
        add("Wrath of God", 1.5f, 6.5f, 10, 30);
        add("Counterspell", 0.5f, 2.0f, 10, 10);
        add("Shock", 0.05f, 0.2f, 80, 10);
        add("Shock", 0.05f, 0.3f, 10, 10);
        add("Exalted Angel", 9.75f, 30.0f, 80, 30);
        add("Mystery Card", 2.0f, 3.0f, 50, 20); // set missing from the set table
        for (std::size_t i = 0; i < goblins; ++i) {
            add("Goblin " + std::to_string(i), 0.1f, 0.2f, 80, 20);
        }
        for (const std::string& name : names) {
            add(name, 1.0f, 2.0f, 10, 30);
        }
        std::string error;
        ASSERT_TRUE(
            sample_catalogue::WritePriceDatabase(m_dir.File("mtgo.mdb"), sets, cards, &error))
            << error;
        if (!m_samplePrices) {
            // As if imported: every card has a day in the price history.
            RunSql(m_dir.File("mtgo.mdb"), "INSERT INTO price_days (card_id, day, reg, foil) "
                                           "SELECT id, 20393, 0, 0 FROM cardslist");
        }
    }

    void WriteFilters(const std::string& text)
    {
        WriteWholeFile(m_dir.Path() / "filter.ini", text);
    }

    CommandResult Run(const std::string& args, const std::string& input = "")
    {
        return RunCommandIn(m_dir.Path(), "'" QUORVEL_LOOKUP_COMMAND "' " + args, input);
    }

    TempDir m_dir;
    bool m_samplePrices = false; // leave the database's prices as made-up sample ones
};

TEST_F(QuorvelLookupCommandTest, ListsCardsMostValuableFirst)
{
    WriteDatabase();
    const CommandResult result =
        Run("'WTS: 4x Wrath of God,' 2 Counterspell 'Shock; exalted angel'");
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "6\tExalted Angel\tOnslaught\trare\t9.75\t30.0\n"
                          "2\tWrath of God\tSeventh Edition\trare\t1.5\t6.5\n"
                          "3\tCounterspell\tSeventh Edition\tcommon\t0.5\t2.0\n"
                          "4\tShock\tOnslaught\tcommon\t0.05\t0.2\n"
                          "5\tShock\tSeventh Edition\tcommon\t0.05\t0.3\n");
    EXPECT_EQ(result.err, "");
}

TEST_F(QuorvelLookupCommandTest, NothingFoundAndErrorsHaveTheirExitStatus)
{
    WriteDatabase();
    EXPECT_EQ(Run("zzqqzz").status, 1);
    EXPECT_EQ(Run("zzqqzz").out, "");
    const CommandResult bad = Run("--level 3 shock");
    EXPECT_EQ(bad.status, 2);
    EXPECT_NE(bad.err.find("--level"), std::string::npos);
    EXPECT_EQ(Run("--frobnicate shock").status, 2);
    fs::remove(m_dir.Path() / "mtgo.mdb");
    const CommandResult missing = Run("shock");
    EXPECT_EQ(missing.status, 2);
    EXPECT_NE(missing.err.find("mtgo.mdb"), std::string::npos);
    WriteWholeFile(m_dir.Path() / "mtgo.mdb", "Standard Jet DB, not a database of ours");
    EXPECT_EQ(Run("shock").status, 2);
    // A card table that never ends is given up, naming the file.
    fs::remove(m_dir.Path() / "mtgo.mdb");
    WriteDatabase();
    RunSql(m_dir.File("mtgo.mdb"), "drop table cardslist; create view cardslist as with "
                                   "recursive n(id) as (select 1 union all select id + 1 "
                                   "from n) select id from n");
    const CommandResult runaway = Run("shock");
    EXPECT_EQ(runaway.status, 2);
    EXPECT_NE(runaway.err.find("Reading the price database " + m_dir.File("mtgo.mdb") +
                               " was stopped"),
              std::string::npos)
        << runaway.err;
}

TEST_F(QuorvelLookupCommandTest, ReportIsThePopupText)
{
    WriteDatabase();
    const CommandResult result = Run("--clipboard --report 'Wrath of God, Mystery Card'");
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "2 cards found!\n---\n"
                          "Card Name: Mystery Card\nregValue = 2.0Tix\nFoilValue = 3.0Tix\n"
                          "Set = \nRarity = uncommon\n-----------\n"
                          "Card Name: Wrath of God\nregValue = 1.5Tix\nFoilValue = 6.5Tix\n"
                          "Set = Seventh Edition\nRarity = rare\n-----------\n");
    const CommandResult none = Run("--clipboard --report zzqqzz");
    EXPECT_EQ(none.status, 1);
    EXPECT_EQ(none.out, "0 cards found!\n---\n");
}

// Values no import and no correction has touched are the sample database's made-up ones.
TEST_F(QuorvelLookupCommandTest, SamplePricesAreMarkedWithAFootnote)
{
    m_samplePrices = true;
    WriteDatabase();
    RunSql(m_dir.File("mtgo.mdb"),
           "UPDATE cardslist SET manual_modify = 1 WHERE name = 'Counterspell'");
    const std::string footnote = std::string(sample_price_marks::kFootnote) + "\n";
    const CommandResult list = Run("'Wrath of God, Counterspell'");
    EXPECT_EQ(list.out, "2\tWrath of God\tSeventh Edition\trare\t1.5*\t6.5*\n"
                        "3\tCounterspell\tSeventh Edition\tcommon\t0.5\t2.0\n");
    EXPECT_EQ(list.err, footnote);
    const CommandResult report = Run("--report 'Wrath of God'");
    EXPECT_EQ(report.out, "1 cards found!\n---\n"
                          "Card Name: Wrath of God\nregValue = 1.5Tix*\nFoilValue = 6.5Tix*\n"
                          "Set = Seventh Edition\nRarity = rare\n-----------\n\n" +
                              footnote);
    const CommandResult corrected = Run("--report Counterspell");
    EXPECT_EQ(corrected.out.find('*'), std::string::npos) << corrected.out;
}

// The buylist prices of the history's latest day, "-" where none is known; an older database
// without them lists "-" too.
TEST_F(QuorvelLookupCommandTest, BuylistAddsTheLatestBuylistPrices)
{
    WriteDatabase();
    EXPECT_EQ(Run("--buylist 'Wrath of God'").out,
              "2\tWrath of God\tSeventh Edition\trare\t1.5\t6.5\t-\t-\n");
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(m_dir.File("mtgo.mdb").c_str(), &db), SQLITE_OK);
    ASSERT_TRUE(price_history::Prepare(db));
    {
        PriceHistoryWriter writer(db);
        ASSERT_TRUE(writer.Store(2, {"2026-12-01", 1.5, 6.5, 1.25}));
        ASSERT_TRUE(writer.Store(2, {"2026-12-02", 1.5, 6.5, 1.3, 5.0}));
        ASSERT_TRUE(writer.Store(3, {"2026-12-02", 0.5, 2.0}));
    }
    sqlite3_close(db);
    const CommandResult result = Run("--buylist 'Wrath of God, Counterspell'");
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "2\tWrath of God\tSeventh Edition\trare\t1.5\t6.5\t1.3\t5.0\n"
                          "3\tCounterspell\tSeventh Edition\tcommon\t0.5\t2.0\t-\t-\n");
    EXPECT_EQ(Run("--buylist --report Shock").status, 2);
}

// Names from a price file may carry escape sequences, broken UTF-8 and tabs: none of them
// reaches the terminal, and each card stays one line of six fields.
TEST_F(QuorvelLookupCommandTest, ControlCharactersAndBrokenTextArePrintedAsReplacements)
{
    WriteDatabase(0, {"Evil\x1b[2J\x1b]0;owned\x07 Card", "Evil \xff\xc2\x9b\x7f\tTabbed"});
    for (const char* args : {"evil", "--report evil"}) {
        const CommandResult result = Run(args);
        EXPECT_EQ(result.status, 0) << args;
        EXPECT_EQ(result.out.find_first_of("\x1b\x07\x7f\xff"), std::string::npos) << args;
        EXPECT_EQ(result.out.find("\xc2\x9b"), std::string::npos) << args;
        EXPECT_NE(result.out.find("Evil\xEF\xBF\xBD[2J"), std::string::npos) << args;
    }
    std::istringstream lines(Run("evil").out);
    int count = 0;
    for (std::string line; std::getline(lines, line); ++count) {
        EXPECT_EQ(std::count(line.begin(), line.end(), '\t'), 5) << line;
    }
    EXPECT_EQ(count, 2);
}

TEST_F(QuorvelLookupCommandTest, ReadsStandardInputWithoutText)
{
    WriteDatabase();
    const CommandResult result = Run("", "1x Counterspell\n2x Lightning Blast\n");
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "3\tCounterspell\tSeventh Edition\tcommon\t0.5\t2.0\n"
                          "1\tLightning Blast\tSeventh Edition\tcommon\t0.25\t1.0\n");
}

TEST_F(QuorvelLookupCommandTest, FiltersApplyUnlessTurnedOffAndBadOnesAreReported)
{
    WriteDatabase();
    WriteFilters("[filters]\nf1=wog,wrath of god\nf2=a*b\nf3=tix\n");
    const CommandResult on = Run("'wog 3 tix'");
    EXPECT_EQ(on.status, 0);
    EXPECT_EQ(on.out, "2\tWrath of God\tSeventh Edition\trare\t1.5\t6.5\n");
    EXPECT_NE(on.err.find("filter f2 contain invalidate char!"), std::string::npos);
    EXPECT_EQ(Run("--no-filters wog").status, 1);
}

TEST_F(QuorvelLookupCommandTest, ClipboardRulesAndMatchLevel)
{
    WriteDatabase(150);
    const auto lines = [](const std::string& text) {
        return std::count(text.begin(), text.end(), '\n');
    };
    EXPECT_EQ(lines(Run("goblin").out), 150);
    EXPECT_EQ(lines(Run("--clipboard goblin").out), 100);
    EXPECT_EQ(Run("--clipboard ck").status, 1); // "*ck*" is too short to add cards
    EXPECT_EQ(Run("ck").status, 0);
    EXPECT_EQ(Run("counterspel1").status, 0); // the digit is a quantity
    EXPECT_EQ(Run("countersqell").status, 1);
    EXPECT_EQ(Run("--level 2 countersqell").out,
              "3\tCounterspell\tSeventh Edition\tcommon\t0.5\t2.0\n");
}

TEST_F(QuorvelLookupCommandTest, CutClipboardTextIsTold)
{
    WriteDatabase();
    const std::string text = std::string(70000, 'x') + " shock";
    const CommandResult report = Run("--clipboard --report", text + " ; counterspell");
    EXPECT_EQ(report.status, 1);
    EXPECT_EQ(report.out, "0 cards found!\n---\n(only the first 65,536 characters were looked up)");
    const CommandResult list = Run("--clipboard", "counterspell " + text);
    EXPECT_EQ(list.status, 0);
    EXPECT_EQ(list.out, "3\tCounterspell\tSeventh Edition\tcommon\t0.5\t2.0\n");
    EXPECT_EQ(list.err, "quorvel-lookup: (only the first 65,536 characters were looked up)\n");
    EXPECT_EQ(Run("", text).err, ""); // typed searches read everything
}

} // namespace

TEST_F(QuorvelLookupCommandTest, BestMatchFirstOrdersByScoreAndReportsOnlyPassingCards)
{
    WriteDatabase();
    const CommandResult list = Run("--best 'exalted angel is great, wrath of god'");
    EXPECT_EQ(list.status, 0) << list.err;
    EXPECT_EQ(list.out, "2\tWrath of God\tSeventh Edition\trare\t1.5\t6.5\t100\n"
                        "6\tExalted Angel\tOnslaught\trare\t9.75\t30.0\t89\n");
    const std::string chatter = "--clipboard --report 'lightning strikes twice lol'";
    EXPECT_EQ(Run(chatter).out.substr(0, 15), "1 cards found!\n");
    const CommandResult best = Run("--best " + chatter);
    EXPECT_EQ(best.status, 1);
    EXPECT_EQ(best.out, "0 cards found!\n---\n");
}

// As in the window: with --best a copied text is read past its first 100 cards.
TEST_F(QuorvelLookupCommandTest, BestMatchFirstListsTheBestHundredOfACopiedText)
{
    WriteDatabase(150);
    const std::string args = "--clipboard --report 'goblin, counterspell'";
    EXPECT_EQ(Run(args).out.find("Counterspell"), std::string::npos);
    const std::string head = "100 cards found!\n---\nCard Name: Counterspell\n";
    EXPECT_EQ(Run("--best " + args).out.substr(0, head.size()), head);
}
