// Price updates against a local server holding a copy of the public layout.

#include "UpdateTestSupport.h"

#include "data/PriceMovers.h"
#include "support/SamplePrices.h"
#include "support/SqlProbe.h"
#include "update/PriceUpdate.h"

#include <gmock/gmock.h>
#include <sqlite3.h>

namespace {

using testing::ElementsAre;
using testing::HasSubstr;
using testing::IsEmpty;
using testing::StartsWith;
using Outcome = PriceUpdateResult::Outcome;

std::string Replace(std::string text, const std::string& from, const std::string& to)
{
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at)) {
        text.replace(at, from.size(), to);
        at += to.size();
    }
    return text;
}

class PriceUpdateTest : public testing::Test {
protected:
    void SetUp() override
    {
        WriteSamplePriceDatabase(Database());
        PublishMtgjson(m_www, "2026-12-01", "5.2.2+20261201", Example("AllPrintings.json"),
                       Example("AllPricesToday.json"));
    }

    PriceUpdateResult Update(const std::string& source = "mtgjson", bool offline = false,
                             const UpdateProgressCallback& progress = {})
    {
        PriceUpdateOptions options;
        options.source = source;
        options.baseUrl = m_server.Base();
        options.offline = offline;
        options.cacheFolder = m_dir.File("cache");
        options.http.attempts = 3;
        options.http.firstBackoff = 0.05;
        options.http.stallSeconds = 1;
        return PriceUpdate(Database(), options).Run(progress);
    }
    std::string Database() const { return m_dir.File("mtgo.mdb"); }
    double Regular(const std::string& name)
    {
        return QueryValue(Database(), "select reg_value from cardslist where name='" + name + "'");
    }
    bool Cached(const std::string& name) const
    {
        return std::filesystem::exists(m_dir.File("cache/mtgjson/" + name));
    }

    TempDir m_dir;
    std::string m_www = m_dir.File("www");
    PriceServer m_server{(std::filesystem::create_directories(m_www), m_www)};
};

TEST_F(PriceUpdateTest, FirstUpdateThenNothingThenOnlyThePrices)
{
    PriceUpdateResult first = Update();
    ASSERT_EQ(first.outcome, Outcome::Updated) << first.error;
    EXPECT_EQ(first.Closing(), "Prices are up to date (MTGJSON 2026-12-01)");
    EXPECT_FLOAT_EQ(Regular("Akroma, Angel of Wrath"), 4.07f);
    EXPECT_TRUE(Cached("AllPrintings.cards.json"));
    EXPECT_FALSE(Cached("AllPricesToday.json.unpacked")); // the unpacked prices are not kept
    m_server.Requests();

    const std::string before = ReadWholeFile(Database());
    const PriceUpdateResult second = Update();
    EXPECT_EQ(second.outcome, Outcome::UpToDate) << second.error;
    EXPECT_FALSE(second.imported);
    EXPECT_THAT(m_server.Requests(), ElementsAre("GET /Meta.json 304 0"));
    EXPECT_EQ(ReadWholeFile(Database()), before);

    std::string prices = Replace(Example("AllPricesToday.json"), "2026-12-01", "2026-12-02");
    prices = Replace(prices, "\"2026-12-02\": 4.07", "\"2026-12-02\": 5.5");
    PublishMtgjson(m_www, "2026-12-02", "5.2.2+20261201", {}, prices);
    const PriceUpdateResult third = Update();
    ASSERT_EQ(third.outcome, Outcome::Updated) << third.error;
    EXPECT_FLOAT_EQ(Regular("Akroma, Angel of Wrath"), 5.5f);
    // The day's moves against each card's previous price, as --movers prints them.
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open_v2(Database().c_str(), &db, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
    PriceMovers movers;
    EXPECT_TRUE(PriceMovers::Read(db, 5, movers));
    sqlite3_close(db);
    EXPECT_EQ(movers.day, "2026-12-02");
    EXPECT_THAT(movers.Text(), HasSubstr("Risers on 2026-12-02:\n  +1.43 (+35.1 %)  Akroma, "
                                         "Angel of Wrath (LGN)  4.07 -> 5.5 Tix\n"));
    for (const std::string& request : m_server.Requests()) {
        EXPECT_THAT(request, testing::Not(HasSubstr("AllPrintings"))); // the cards are known
    }
}

TEST_F(PriceUpdateTest, AChecksumMismatchImportsNothingAndKeepsNoFile)
{
    Spill(m_www + "/AllPrintings.json.xz.sha256",
          std::string(64, 'a') + "  AllPrintings.json.xz\n");
    const std::string before = ReadWholeFile(Database());
    const PriceUpdateResult result = Update();
    EXPECT_EQ(result.outcome, Outcome::Failed);
    EXPECT_THAT(result.error, HasSubstr("does not match its published checksum"));
    EXPECT_EQ(result.ExitStatus(), 2);
    EXPECT_EQ(ReadWholeFile(Database()), before);
    EXPECT_FALSE(Cached("AllPrintings.json.xz"));
    EXPECT_FALSE(Cached("AllPrintings.json.xz.part"));
}

TEST_F(PriceUpdateTest, ABrokenTransferIsResumedWhereItStopped)
{
    m_server.Control(R"({"cut": {"/AllPrintings.json.xz": 200}})");
    const PriceUpdateResult result = Update();
    ASSERT_EQ(result.outcome, Outcome::Updated) << result.error;
    std::vector<std::string> printings;
    for (const std::string& request : m_server.Requests()) {
        if (request.starts_with("GET /AllPrintings.json.xz ")) {
            printings.push_back(request.substr(0, request.rfind(' ')));
        }
    }
    EXPECT_THAT(printings,
                ElementsAre("GET /AllPrintings.json.xz 200", "GET /AllPrintings.json.xz 206"));
}

TEST_F(PriceUpdateTest, ACancelledDownloadGoesOnAtTheNextUpdate)
{
    m_server.Control(R"({"cut": {"/AllPrintings.json.xz": 200}})");
    // Cancel once the first bytes arrived: the part stays for the next run.
    const auto cancelAfterBytes = [](const UpdateStatus& status) {
        return !(status.step == "Downloading AllPrintings.json.xz" && status.done > 0);
    };
    const std::string before = ReadWholeFile(Database());
    EXPECT_EQ(Update("mtgjson", false, cancelAfterBytes).outcome, Outcome::Cancelled);
    EXPECT_EQ(ReadWholeFile(Database()), before);
    EXPECT_TRUE(Cached("AllPrintings.json.xz.part"));
    m_server.Requests();
    ASSERT_EQ(Update().outcome, Outcome::Updated);
    EXPECT_THAT(m_server.Requests(),
                testing::Contains(StartsWith("GET /AllPrintings.json.xz 206")));
    EXPECT_FALSE(Cached("AllPrintings.json.xz.part"));
}

TEST_F(PriceUpdateTest, ServerErrorsAreRetriedAFewTimesThenReported)
{
    m_server.Control(R"({"fail": {"/Meta.json": [503, 429]}, "retry_after": "0"})");
    EXPECT_EQ(Update().outcome, Outcome::Updated);
    m_server.Control(R"({"fail": {"/Meta.json": [503, 503, 503, 503]}})");
    const PriceUpdateResult result = Update();
    EXPECT_EQ(result.outcome, Outcome::Failed);
    EXPECT_THAT(result.error, HasSubstr("HTTP 503 (a server error). Try again later."));
}

TEST_F(PriceUpdateTest, AStalledServerIsGivenUp)
{
    m_server.Control(R"({"stall": {"/Meta.json": 2}})");
    const PriceUpdateResult result = Update();
    EXPECT_EQ(result.outcome, Outcome::Failed);
    EXPECT_THAT(result.error, HasSubstr("no answer within the time allowed"));
}

TEST_F(PriceUpdateTest, OfflineImportsTheCacheAgainWithoutTheNetwork)
{
    EXPECT_EQ(Update("mtgjson", true).outcome, Outcome::Failed); // nothing cached yet
    ASSERT_EQ(Update().outcome, Outcome::Updated);
    RunSql(Database(), "update cardslist set reg_value=0 where name='Akroma, Angel of Wrath';"
                       "delete from price_source;");
    m_server.Requests();
    const PriceUpdateResult result = Update("mtgjson", true);
    ASSERT_EQ(result.outcome, Outcome::Updated) << result.error;
    EXPECT_FLOAT_EQ(Regular("Akroma, Angel of Wrath"), 4.07f);
    EXPECT_THAT(m_server.Requests(), IsEmpty());
}

TEST_F(PriceUpdateTest, ARedirectToAnotherHostIsFollowedOnlyOverHttps)
{
    m_server.Control(R"({"redirect": {"/Meta.json": "http://localhost:1/Meta.json"}})");
    const PriceUpdateResult result = Update();
    EXPECT_EQ(result.outcome, Outcome::Failed);
    EXPECT_THAT(result.error, HasSubstr("only HTTPS is followed there"));
    m_server.Control(R"({"redirect": {"/Meta.json": "/mirror/Meta.json"}})");
    Spill(m_www + "/mirror/Meta.json", ReadWholeFile(m_www + "/Meta.json"));
    EXPECT_EQ(Update().outcome, Outcome::Updated);
}

TEST_F(PriceUpdateTest, ScryfallIsFetchedOnlyWhenItsFileIsNewer)
{
    Spill(m_www + "/default-cards-20261208.json", Example("default-cards.json"));
    Spill(
        m_www + "/bulk-data/default-cards",
        R"({"object": "bulk_data", "type": "default_cards", "updated_at": "2026-12-08T09:03:11.000+00:00",
              "download_uri": "@BASE@default-cards-20261208.json", "size": 4000})");
    const PriceUpdateResult first = Update("scryfall");
    ASSERT_EQ(first.outcome, Outcome::Updated) << first.error;
    EXPECT_EQ(first.Closing(), "Prices are up to date (Scryfall 2026-12-08)");
    EXPECT_FLOAT_EQ(Regular("Angelic Page"), 0.04f);
    m_server.Requests();
    EXPECT_EQ(Update("scryfall").outcome, Outcome::UpToDate);
    EXPECT_THAT(m_server.Requests(), ElementsAre("GET /bulk-data/default-cards 304 0"));
}

} // namespace
