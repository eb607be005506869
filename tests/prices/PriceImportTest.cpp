// Imports of the example price files (written from the formats' documentation) into a copy of
// the sample price database, checked through the database itself.

#include "support/FileBytes.h"
#include "support/SamplePrices.h"
#include "support/SqlProbe.h"
#include "support/TempDir.h"

#include "data/CADODataBase.h"
#include "data/CardCatalogue.h"
#include "data/CardRecord.h"
#include "data/PriceHistory.h"
#include "data/SampleCatalogue.h"
#include "prices/ImportedCard.h"
#include "prices/PriceImport.h"

#include <gmock/gmock.h>
#include <sqlite3.h>

#include <cctype>
#include <fstream>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using Outcome = PriceImportSummary::Outcome;
using testing::HasSubstr;
using testing::Not;

std::string Example(const std::string& name)
{
    return std::string(QUORVEL_SOURCE_DIR) + "/tests/prices/data/" + name;
}

// Every case of a table twice: read whole, and read in pieces.
template <class Case, std::size_t N>
std::vector<std::pair<Case, bool>> Pieces(const Case (&cases)[N])
{
    std::vector<std::pair<Case, bool>> both;
    for (const bool pieces : {false, true}) {
        for (const Case& c : cases) {
            both.emplace_back(c, pieces);
        }
    }
    return both;
}

// Options that read every JSON file in pieces of a few entries each.
PriceImportOptions InPieces(bool pieces)
{
    PriceImportOptions options;
    if (pieces) {
        options.piecesFrom = 0;
        options.pieceBytes = 64;
    }
    return options;
}

class PriceImportTest : public testing::Test {
protected:
    void SetUp() override
    {
        WriteSamplePriceDatabase(m_db, [](CardRecord& card) {
            card.reg_value = 1.0f;
            card.foil_value = 2.0f;
            card.update_date = DateTime(2026, 11, 1);
        });
    }

    PriceImportSummary Import(const std::vector<std::string>& names,
                              PriceImportOptions options = {},
                              const PriceImportProgress& progress = {})
    {
        std::vector<std::string> files;
        for (const std::string& name : names) {
            files.push_back(name.starts_with("/") ? name : Example(name));
        }
        if (options.date.empty()) {
            options.date = "2026-12-03";
        }
        return PriceImport(m_db).Run(files, options, progress);
    }
    std::string Card(const std::string& name, const std::string& columns)
    {
        std::string quoted;
        for (const char c : name) {
            quoted += c == '\'' ? "''" : std::string(1, c);
        }
        return QueryText(m_db, "select " + columns + " from cardslist where name='" + quoted + "'");
    }
    std::string Write(const std::string& name, const std::string& text)
    {
        const std::string path = m_dir.File(name);
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }

    // The exit status and text of an import by a user without special rights. The superuser
    // may write to any file, so as root the import runs in a child process that has become
    // "nobody", whom the kernel holds to the file's permissions like anyone else.
    std::pair<int, std::string> ImportAsAnyUser(const std::vector<std::string>& names)
    {
        if (geteuid() != 0) {
            const PriceImportSummary summary = Import(names);
            return {summary.ExitStatus(), summary.Text()};
        }
        std::filesystem::permissions(m_dir.Path(), std::filesystem::perms::others_exec,
                                     std::filesystem::perm_options::add);
        std::vector<std::string> files;
        for (const std::string& name : names) {
            files.push_back(m_dir.File(name));
            std::filesystem::copy_file(Example(name), files.back(),
                                       std::filesystem::copy_options::overwrite_existing);
            std::filesystem::permissions(files.back(), std::filesystem::perms::others_read,
                                         std::filesystem::perm_options::add);
        }
        int pipe[2];
        if (::pipe(pipe) != 0) {
            return {-1, "no pipe"};
        }
        const pid_t child = fork();
        if (child == 0) {
            close(pipe[0]);
            std::string answer = "cannot become nobody";
            if (setgid(65534) == 0 && setuid(65534) == 0) {
                const PriceImportSummary summary = Import(files);
                answer = std::to_string(summary.ExitStatus()) + summary.Text();
            }
            const ssize_t size = static_cast<ssize_t>(answer.size());
            const bool written = write(pipe[1], answer.data(), answer.size()) == size;
            _exit(written ? 0 : 1);
        }
        close(pipe[1]);
        std::string answer;
        char buffer[512];
        for (ssize_t got; (got = read(pipe[0], buffer, sizeof buffer)) > 0;) {
            answer.append(buffer, static_cast<std::size_t>(got));
        }
        close(pipe[0]);
        int status = 0;
        waitpid(child, &status, 0);
        if (answer.empty() || !std::isdigit(static_cast<unsigned char>(answer[0]))) {
            return {-1, answer};
        }
        return {answer[0] - '0', answer.substr(1)};
    }

    TempDir m_dir;
    std::string m_db = m_dir.File("mtgo.mdb");
};

// Each format, read from its example file: what is matched, added, skipped and stored.
TEST_F(PriceImportTest, EachFormatStoresItsPrices)
{
    struct Case {
        std::vector<std::string> files;
        std::string card;
        std::string expected; // reg|foil|date|rarity|expansion
        std::int64_t updated, added, sets, skipped;
    };
    const Case cases[] = {
        {{"7ED.json", "AllPricesToday.json"},
         "Ardent Militia",
         "2.35|2.0|2026-12-01 00:00:00|20|10",
         2,
         1,
         0,
         0},
        {{"AllPricesToday.json", "AllPrintings.json"},
         "Brand New Mythic",
         "31.5|0.0|2026-12-01 00:00:00|40|100",
         1,
         2,
         1,
         0},
        // Prices before their cards, and the cards given twice: the prices stay with them.
        {{"AllPricesToday.json", "7ED.json", "7ED.json"},
         "Ardent Militia",
         "2.35|2.0|2026-12-01 00:00:00|20|10",
         2,
         1,
         0,
         0},
        {{"default-cards.json"}, "Angelic Page", "0.04|2.0|2026-12-03 00:00:00|10|10", 1, 1, 1, 1},
        {{"prices.csv"}, "Angelic Page", "0.06|0.25|2026-12-02 00:00:00|10|10", 1, 1, 1, 3},
        {{"semicolon.csv"}, "Akroma's Devoted", "1.5|3.25|2026-12-03 00:00:00|20|90", 1, 0, 0, 0},
        {{"prices.tsv"}, "Akroma, Angel of Wrath", "4.5|2.0|2026-12-03 00:00:00|30|90", 1, 0, 0, 0},
    };
    // Each also with its JSON read in pieces of a few entries, as a large file is.
    for (const auto& [c, pieces] : Pieces(cases)) {
        SCOPED_TRACE(c.files.front() + (pieces ? " in pieces" : ""));
        std::filesystem::remove(m_db);
        SetUp();
        const PriceImportSummary summary = Import(c.files, InPieces(pieces));
        EXPECT_EQ(summary.outcome, Outcome::Imported) << summary.Text();
        EXPECT_EQ(summary.pricesUpdated, c.updated) << summary.Text();
        EXPECT_EQ(summary.cardsAdded, c.added) << summary.Text();
        EXPECT_EQ(summary.setsAdded, c.sets) << summary.Text();
        EXPECT_EQ(summary.rowsSkipped, c.skipped) << summary.Text();
        EXPECT_EQ(Card(c.card, "reg_value||'|'||foil_value||'|'||update_date||'|'||rarity||'|'||"
                               "expansion"),
                  c.expected);
    }
}

// Of two catalogue rows with the same set and number, the first is the one a price goes to.
TEST_F(PriceImportTest, ARepeatedSetAndNumberMatchesItsFirstRow)
{
    const std::string first = Card("Angelic Page", "rowid");
    RunSql(m_db, "insert into cardslist (id, name, reg_value, foil_value, expansion, "
                 "collection_no, rarity, hot, update_date, manual_modify) select 99999, "
                 "'Angelic Page Again', reg_value, foil_value, expansion, collection_no, rarity, "
                 "hot, update_date, 0 from cardslist where name='Angelic Page'");
    ASSERT_EQ(Import({"prices.csv"}).outcome, Outcome::Imported);
    EXPECT_EQ(Card("Angelic Page", "rowid||'|'||reg_value"), first + "|0.06");
    EXPECT_EQ(Card("Angelic Page Again", "reg_value"), "1.0");
}

TEST_F(PriceImportTest, NewCardsTakeTheGameIdWhenFreeAndSetsTheirCode)
{
    const PriceImportSummary summary = Import({"AllPrintings.json", "AllPricesToday.json"});
    ASSERT_EQ(summary.outcome, Outcome::Imported) << summary.Text();
    EXPECT_EQ(Card("Brand New Mythic", "id"), "99000");
    EXPECT_EQ(Card("Id Already Taken", "id"), "13000");
    EXPECT_EQ(Card("Paper Only Price", "count(*)"), "0");
    EXPECT_EQ(QueryText(m_db, "select code from expansion_code where expansion_id=100"), "MH9");
    EXPECT_EQ(QueryText(m_db, "select name from expansion where expansion_id=100"),
              "Modern Horizons Nine");
    EXPECT_EQ(summary.Text(),
              "1 price updated, 2 cards added in 1 new set, 2 catalogue ids learnt.");
    // The game's ids of both versions are kept, so a deck file's CatID finds its card.
    EXPECT_EQ(QueryText(m_db, "select card_key from catalogue_ids where game_id=17001"),
              std::to_string(std::stoi(Card("Akroma, Angel of Wrath", "id")) + 16777216));
    EXPECT_EQ(QueryText(m_db, "select card_key from catalogue_ids where game_id=99000"), "99000");
    // A game id already in use gives the next free id.
    ASSERT_EQ(Import({"7ED.json", "AllPricesToday.json"}).cardsAdded, 1);
    EXPECT_EQ(Card("Shivan Dragon Deluxe", "id"), "99001"); // its game id 13000 is taken
}

TEST_F(PriceImportTest, AllPricesFillsTheHistoryAndTheLatestDayIsTheValue)
{
    ASSERT_EQ(Import({"7ED.json", "AllPrices.json"}).outcome, Outcome::Imported);
    CADODataBase database;
    ASSERT_TRUE(database.Open(ConnectionString(m_db)));
    std::vector<PricePoint> points;
    ASSERT_TRUE(price_history::Read(database, std::stoi(Card("Ardent Militia", "id")), points));
    ASSERT_EQ(points.size(), 3u);
    EXPECT_EQ(points[0].date, "2026-11-29");
    EXPECT_EQ(points[0].reg_value, 2.0);
    EXPECT_EQ(points[0].foil_value, 2.0); // carried from the card: the file has no foil yet
    EXPECT_EQ(points[1].foil_value, 9.8);
    EXPECT_EQ(points[2].reg_value, 2.35);
    EXPECT_EQ(Card("Ardent Militia", "reg_value||'|'||foil_value"), "2.35|9.8");
}

// The store's buylist goes into the history beside the retail values: a change of it alone is
// stored, and a later file without it keeps it.
TEST_F(PriceImportTest, BuylistPricesGoIntoTheHistory)
{
    const auto prices = [this](const std::string& day, const std::string& buylist) {
        return Write("AllPricesToday.json",
                     R"({"meta": {"date": ")" + day + R"("}, "data": {"u-7ed-2": {"mtgo": )"
                         R"({"cardhoarder": {"retail": {"normal": {")" + day + R"(": 2.5}},)"
                         R"( "buylist": {"normal": {")" + day + R"(": )" + buylist +
                         R"(}, "foil": {")" + day + R"(": 7.25}}}}}}})");
    };
    ASSERT_EQ(Import({"7ED.json", prices("2026-12-01", "1.75")}).outcome, Outcome::Imported);
    EXPECT_EQ(Import({"7ED.json", prices("2026-12-02", "1.8")}).historyWritten, 1);
    // The retail price stayed: only the card's date moved.
    EXPECT_EQ(Card("Ardent Militia", "reg_value||'|'||update_date"), "2.5|2026-12-02 00:00:00");
    ASSERT_EQ(Import({Write("day.csv", "Name,Set,Number,Regular,Date\n"
                                       "Ardent Militia,7ED,2,3.0,2026-12-04\n")})
                  .outcome,
              Outcome::Imported);
    CADODataBase database;
    ASSERT_TRUE(database.Open(ConnectionString(m_db)));
    std::vector<PricePoint> points;
    ASSERT_TRUE(price_history::Read(database, std::stoi(Card("Ardent Militia", "id")), points));
    ASSERT_EQ(points.size(), 3u);
    EXPECT_EQ(points[0].buy_value, 1.75);
    EXPECT_EQ(points[1].buy_value, 1.8);
    EXPECT_EQ(points[2].reg_value, 3.0);
    EXPECT_EQ(points[2].buy_value, 1.8);
    EXPECT_EQ(points.back().buy_foil_value, 7.25);
}

TEST_F(PriceImportTest, ASecondImportOfTheSameFilesChangesNothing)
{
    for (const std::vector<std::string>& files :
         {std::vector<std::string>{"AllPrintings.json", "AllPricesToday.json", "7ED.json"},
          {"prices.csv"},
          {"default-cards.json"}}) {
        SCOPED_TRACE(files.front());
        ASSERT_EQ(Import(files).outcome, Outcome::Imported);
        const std::string before = ReadWholeFile(m_db);
        const PriceImportSummary again = Import(files);
        EXPECT_EQ(again.outcome, Outcome::NothingChanged) << again.Text();
        EXPECT_THAT(again.Text(), HasSubstr("Nothing changed"));
        EXPECT_EQ(again.ExitStatus(), 0);
        EXPECT_TRUE(ReadWholeFile(m_db) == before) << "the database changed";
    }
}

TEST_F(PriceImportTest, PricesSetByHandAreKeptUnlessOverwritten)
{
    RunSql(m_db, "update cardslist set manual_modify=1 where name='Akroma, Angel of Wrath'");
    PriceImportSummary summary = Import({"prices.tsv"});
    EXPECT_EQ(summary.outcome, Outcome::NothingChanged);
    EXPECT_EQ(summary.keptManual, 1);
    EXPECT_EQ(
        summary.Text(),
        "Nothing changed: every price is already as the files give it, 1 kept (set by hand).");
    EXPECT_EQ(Card("Akroma, Angel of Wrath", "reg_value"), "1.0");

    PriceImportOptions overwrite;
    overwrite.overwriteManual = true;
    summary = Import({"prices.tsv"}, overwrite);
    EXPECT_EQ(summary.pricesUpdated, 1);
    EXPECT_EQ(Card("Akroma, Angel of Wrath", "reg_value||'|'||manual_modify"), "4.5|0");
}

TEST_F(PriceImportTest, DryRunCountsButWritesNothing)
{
    const std::string before = ReadWholeFile(m_db);
    PriceImportOptions dry;
    dry.dryRun = true;
    const PriceImportSummary summary = Import({"prices.csv"}, dry);
    EXPECT_EQ(summary.outcome, Outcome::Imported);
    EXPECT_THAT(summary.Text(),
                HasSubstr("Dry run, nothing written: 1 price updated, 1 card added"));
    EXPECT_TRUE(ReadWholeFile(m_db) == before) << "the database changed";
}

TEST_F(PriceImportTest, BadRowsAreSkippedAndNamed)
{
    const PriceImportSummary summary = Import({"prices.csv"});
    ASSERT_EQ(summary.rowsSkipped, 3);
    EXPECT_THAT(summary.Text(), HasSubstr("prices.csv line 4: implausible price \"-1\""));
    EXPECT_THAT(summary.Text(), HasSubstr("prices.csv line 5: not a number price \"free\""));
    EXPECT_THAT(summary.Text(),
                HasSubstr("prices.csv line 2: the same card again at prices.csv line 6"));
    EXPECT_EQ(Card("Card, With \"Quotes\"", "reg_value"), "1.25");
}

// Files that cannot be read: a message naming the file and the place, exit 2, the database
// byte for byte as it was.
TEST_F(PriceImportTest, BadFilesChangeNothing)
{
    struct Case {
        std::string name;
        std::string text;
        std::string message;
    };
    const Case cases[] = {
        {"cut.json", ReadWholeFile(Example("AllPricesToday.json")).substr(0, 300),
         "cut.json byte "},
        {"invalid.json", "{\"data\": {\"u\" {\"mtgo\": {}}}}", "invalid.json byte "},
        {"other.json", "{\"cards\": []}", "other.json is a JSON object without \"data\""},
        {"list.json", "{\"meta\": {}, \"data\": [1]}", "\"data\" is not an object"},
        {"array.json", "[1, 2, {\"x\": 3}]", "array.json is a JSON array but holds no Scryfall"},
        {"columns.csv", "card,price\nAngelic Page,1\n", "columns.csv line 1: the header row"},
        {"quote.csv", "name,set,price\n\"Angelic Page,7ED,1\n", "quote.csv line 2: a quoted"},
        {"empty.csv", "  \n", "empty.csv is empty"},
        {"prices-only.json", ReadWholeFile(Example("AllPricesToday.json")),
         "has no card file beside it"},
        {"packed.json.gz", std::string("\x1F\x8B\x08\x00\x00\x00\x00\x00\x00\x03\xAB\xAE", 12),
         "packed.json.gz: compressed file: unpack it first"},
        {"packed.csv.xz", std::string("\xFD\x37zXZ\0\0\x04\xE6\xD6\xB4\x46", 12),
         "packed.csv.xz: compressed file: unpack it first"},
    };
    const std::string before = ReadWholeFile(m_db);
    for (const auto& [c, pieces] : Pieces(cases)) {
        SCOPED_TRACE(c.name + (pieces ? " in pieces" : ""));
        const PriceImportSummary summary =
            Import({"prices.tsv", Write(c.name, c.text)}, InPieces(pieces));
        EXPECT_EQ(summary.outcome, Outcome::Failed);
        EXPECT_EQ(summary.ExitStatus(), 2);
        EXPECT_THAT(summary.Text(), HasSubstr(c.message));
        EXPECT_THAT(summary.Text(), HasSubstr("Nothing was changed."));
        EXPECT_EQ(summary.Text().find_first_of(std::string("\x1F\x8B\xFD\0", 4)), std::string::npos)
            << "the message quotes the file's bytes";
        EXPECT_TRUE(ReadWholeFile(m_db) == before) << "the database changed";
    }
}

// One rule for a price in every format: finite, at least 0 and at most 1,000,000 Tix. Any
// other price is skipped as implausible, and the card keeps its value.
TEST_F(PriceImportTest, ImplausiblePricesAreSkippedInEveryFormat)
{
    const std::string mtgjson = R"({"meta": {"date": "2026-12-01", "version": "5.2.2"}, "data": {
        "u-7ed-1": {"mtgo": {"cardhoarder": {"retail": {"normal": {"2026-12-01": 1e308}}}}},
        "u-7ed-2": {"mtgo": {"cardhoarder": {"retail": {"normal": {"2026-12-01": -2}}}}}}})";
    const std::string scryfall = R"([
        {"object": "card", "name": "Angelic Page", "mtgo_id": 13000, "set": "7ed",
         "collector_number": "1", "rarity": "common", "prices": {"tix": "1e308"}},
        {"object": "card", "name": "Ardent Militia", "mtgo_id": 13002, "set": "7ed",
         "collector_number": "2", "rarity": "uncommon", "prices": {"tix": "1000000.5"}}])";
    const std::string csv = "name,set,number,regular\nAngelic Page,7ED,1,1e308\n"
                            "Ardent Militia,7ED,2,-2\n";
    const std::vector<std::vector<std::string>> imports = {
        {"7ED.json", Write("prices.json", mtgjson)},
        {Write("default-cards.json", scryfall)},
        {Write("prices.csv", csv)}};
    for (const auto& files : imports) {
        SCOPED_TRACE(files.back());
        const PriceImportSummary summary = Import(files);
        EXPECT_EQ(summary.rowsSkipped, 2);
        EXPECT_THAT(summary.Text(), HasSubstr("implausible price"));
        EXPECT_THAT(summary.Text(), Not(HasSubstr("not a number")));
        EXPECT_EQ(Card("Angelic Page", "reg_value"), "1.0");
        EXPECT_EQ(Card("Ardent Militia", "reg_value"), "1.0");
    }
}

TEST_F(PriceImportTest, LockedReadOnlyOrMissingDatabaseIsReported)
{
    const std::string before = ReadWholeFile(m_db);
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(m_db.c_str(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    PriceImportSummary summary = Import({"prices.tsv"});
    EXPECT_EQ(summary.ExitStatus(), 2);
    EXPECT_THAT(summary.Text(), HasSubstr("Another program is writing to it"));
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);

    EXPECT_TRUE(ReadWholeFile(m_db) == before) << "the database changed";

    {
        namespace fs = std::filesystem;
        const fs::perms readable =
            fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
        fs::permissions(m_db, readable);
        const auto [status, text] = ImportAsAnyUser({"prices.tsv"});
        fs::permissions(m_db, readable | fs::perms::owner_write);
        EXPECT_EQ(status, 2);
        EXPECT_THAT(text, HasSubstr("is read-only"));
        EXPECT_TRUE(ReadWholeFile(m_db) == before) << "the database changed";
    }

    summary = PriceImport(m_dir.File("none.mdb")).Run({Example("prices.tsv")}, {});
    EXPECT_THAT(summary.Text(), HasSubstr("none.mdb does not exist"));
    EXPECT_FALSE(std::filesystem::exists(m_dir.File("none.mdb")));
}

// A cancel at any report, the last one included, leaves the database as it was.
TEST_F(PriceImportTest, CancellingLeavesTheDatabaseAsItWas)
{
    const std::vector<std::string> files{"AllPrintings.json", "AllPricesToday.json", "prices.csv"};
    const std::string before = ReadWholeFile(m_db);
    int reports = 0;
    PriceImportOptions counting;
    counting.dryRun = true;
    Import(files, counting, [&](double) { return ++reports > 0; });
    ASSERT_GT(reports, 3);
    for (int cancelAt = 1; cancelAt <= reports; ++cancelAt) {
        SCOPED_TRACE(cancelAt);
        int calls = 0;
        double last = -1;
        bool ordered = true;
        const auto progress = [&](double fraction) {
            ordered = ordered && fraction >= last && fraction <= 1.0;
            last = fraction;
            return ++calls < cancelAt;
        };
        const PriceImportSummary summary = Import(files, {}, progress);
        EXPECT_EQ(summary.outcome, Outcome::Cancelled);
        EXPECT_EQ(summary.ExitStatus(), 2);
        EXPECT_TRUE(ordered);
        EXPECT_TRUE(ReadWholeFile(m_db) == before) << "the database changed";
    }
}

// A database made before set codes and the history: it loads, knows the sample codes by name,
// and the import adds the tables.
TEST_F(PriceImportTest, OlderDatabasesGainCodesAndHistory)
{
    RunSql(m_db, "drop table expansion_code; drop table price_days;");
    CADODataBase database;
    ASSERT_TRUE(database.Open(ConnectionString(m_db)));
    CardCatalogue catalogue;
    ASSERT_TRUE(catalogue.LoadCatalogue(database));
    EXPECT_EQ(catalogue.SetCode(90), "LGN");
    EXPECT_EQ(catalogue.SetCode(12345), "");
    std::vector<PricePoint> points{{"x", 1, 1}};
    EXPECT_TRUE(price_history::Read(database, 1, points));
    EXPECT_TRUE(points.empty());
    database.Close();

    const PriceImportSummary summary = Import({"prices.tsv"});
    EXPECT_EQ(summary.codesLearnt, 9);
    EXPECT_EQ(QueryText(m_db, "select count(*) from price_days"), "1");
    EXPECT_EQ(QueryText(m_db, "select group_concat(code) from (select code from expansion_code "
                              "order by expansion_id)"),
              "7ED,INV,PLS,APC,ODY,TOR,JUD,ONS,LGN");
}

TEST(PriceImportSummaryTest, TextCountsWithThousands)
{
    PriceImportSummary summary;
    summary.outcome = Outcome::Imported;
    summary.pricesUpdated = 12345;
    summary.cardsAdded = 410;
    summary.setsAdded = 3;
    summary.historyWritten = 12755;
    summary.keptManual = 17;
    summary.rowsSkipped = 2;
    summary.skipReasons = {"a.csv line 4: negative price \"-1\""};
    EXPECT_EQ(summary.Text(), "12,345 prices updated, 410 cards added in 3 new sets, 17 kept (set "
                              "by hand), 2 rows skipped: a.csv line 4: negative price \"-1\"; ...");
    summary = PriceImportSummary();
    EXPECT_EQ(summary.ExitStatus(), 1);
    EXPECT_EQ(summary.Text(), "Nothing imported: the files hold no game price that could be used.");
}

} // namespace
