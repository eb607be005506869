// Decks and the client's files at 100,000 catalogue cards and a collection of 20,000 versions:
// building the catalogue's name index, pricing a 75-card deck with owned counts, and
// previewing and importing a 20,000-row collection export.

#include "data/CADODataBase.h"
#include "data/CardCatalogue.h"
#include "data/CardKey.h"
#include "data/DatabaseSchema.h"
#include "data/DateTime.h"
#include "data/GameCatalogueIds.h"
#include "data/SampleCatalogue.h"
#include "decks/CollectionImport.h"
#include "decks/DeckCatalogueIndex.h"
#include "decks/DeckCost.h"
#include "decks/DeckFileReader.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>
#include <string>

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kCards = 100000;
constexpr std::size_t kOwnedVersions = 20000;

std::int64_t GameId(std::int32_t cardKey)
{
    return 200000 + std::int64_t{card_key::CatalogueId(cardKey)} * 2 + card_key::IsFoil(cardKey);
}

// The catalogue, its game ids and a collection database of 20,000 owned versions, made once.
struct World {
    World()
    {
        std::string pattern = (fs::temp_directory_path() / "quorvel-bench-decks-XXXXXX").string();
        if (!mkdtemp(pattern.data())) {
            std::abort();
        }
        dir = pattern;
        const auto cards = sample_catalogue::MakeSyntheticCards(kCards, 2003);
        if (!sample_catalogue::WritePriceDatabase(dir + "/mtgo.mdb", sample_catalogue::NineSets(),
                                                  cards) ||
            !price.Open("Data Source=" + dir + "/mtgo.mdb;") || !catalogue.LoadCatalogue(price)) {
            std::abort();
        }
        for (const CardRecord& card : catalogue.Cards()) {
            ids.Add(GameId(card.id), card.id);
            ids.Add(GameId(card_key::Foil(card.id)), card_key::Foil(card.id));
        }
        std::mt19937 random(2003);
        std::string rows;
        std::string csv = "Card Name,Quantity,ID #,Rarity,Set,Collector #,Premium\n";
        while (owned.size() < kOwnedVersions) {
            const CardRecord& card = catalogue.Cards()[random() % catalogue.Cards().size()];
            const bool foil = random() % 5 == 0;
            const std::int32_t key = foil ? card_key::Foil(card.id) : card.id;
            const auto copies = static_cast<std::int32_t>(1 + random() % 4);
            if (!owned.emplace(key, copies).second) {
                continue;
            }
            rows += (rows.empty() ? "" : ",") + std::string("(") + std::to_string(key) + ",0," +
                    std::to_string(copies) + ")";
            // The file owns one copy more of each version: every count changes.
            csv += "\"" + card.name + "\"," + std::to_string(copies + 1) + "," +
                   std::to_string(GameId(key)) + ",C,,," + (foil ? "Yes" : "No") + "\n";
        }
        collectionFile = csv;
        std::string error;
        if (!database_schema::CreateCollectionDatabase(dir + "/collection.mdb", &error)) {
            std::abort();
        }
        sqlite3* db = nullptr;
        sqlite3_open((dir + "/collection.mdb").c_str(), &db);
        const std::string insert =
            "insert into collections (card_id, collectionName_id, no_owned) values " + rows;
        if (sqlite3_exec(db, insert.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK) {
            std::abort();
        }
        sqlite3_close(db);
        index = std::make_unique<DeckCatalogueIndex>(catalogue, ids);
        // A 75-card deck: 15 main deck lines of 4, a sideboard of 15 single cards.
        for (int i = 0; i < 30; ++i) {
            if (i == 15) {
                deck += "\nSideboard\n";
            }
            deck += std::string(i < 15 ? "4 " : "1 ") +
                    catalogue.Cards()[(i * 7919) % catalogue.Cards().size()].name + "\n";
        }
    }
    ~World()
    {
        index.reset();
        price.Close();
        fs::remove_all(dir);
    }

    std::string dir;
    CADODataBase price;
    CardCatalogue catalogue;
    GameCatalogueIds ids;
    OwnedCounts owned;
    std::unique_ptr<DeckCatalogueIndex> index;
    std::string deck;
    std::string collectionFile;
};

World& TheWorld()
{
    static World world;
    return world;
}

void BM_DeckIndexBuild(benchmark::State& state)
{
    World& world = TheWorld();
    for (auto _ : state) {
        DeckCatalogueIndex index(world.catalogue, world.ids);
        benchmark::DoNotOptimize(index);
    }
}
BENCHMARK(BM_DeckIndexBuild)->Unit(benchmark::kMillisecond);

void BM_PriceDeck75(benchmark::State& state)
{
    World& world = TheWorld();
    for (auto _ : state) {
        const DeckCost cost = DeckCostCalculator(*world.index, world.owned)
                                  .Price(DeckFileReader::ReadBytes(world.deck));
        if (cost.both.cards != 75) {
            state.SkipWithError("the deck did not price 75 cards");
        }
        benchmark::DoNotOptimize(cost);
    }
}
BENCHMARK(BM_PriceDeck75)->Unit(benchmark::kMillisecond);

// What the preview does: read the file, read My Collection, work out the changes.
void BM_CollectionPreview20000(benchmark::State& state)
{
    World& world = TheWorld();
    CADODataBase collection;
    collection.Open("Data Source=" + world.dir + "/collection.mdb;");
    for (auto _ : state) {
        OwnedCounts owned;
        LoadOwnedCounts(collection, owned);
        const CollectionImportPlan plan = CollectionImport::Plan(
            DeckFileReader::ReadBytes(world.collectionFile), "collection.csv", *world.index, owned);
        if (plan.changed.size() != kOwnedVersions) {
            state.SkipWithError("the preview did not change every count");
        }
        benchmark::DoNotOptimize(plan);
    }
}
BENCHMARK(BM_CollectionPreview20000)->Unit(benchmark::kMillisecond);

// Writing the 20,000 changed counts and their history as one deal, into a fresh copy of the
// collection each time.
void BM_CollectionImport20000(benchmark::State& state)
{
    World& world = TheWorld();
    const std::string copy = world.dir + "/import.mdb";
    for (auto _ : state) {
        state.PauseTiming();
        fs::copy_file(world.dir + "/collection.mdb", copy, fs::copy_options::overwrite_existing);
        CADODataBase collection;
        collection.Open("Data Source=" + copy + ";");
        OwnedCounts owned;
        LoadOwnedCounts(collection, owned);
        const CollectionImportPlan plan = CollectionImport::Plan(
            DeckFileReader::ReadBytes(world.collectionFile), "collection.csv", *world.index, owned);
        state.ResumeTiming();
        const CollectionImportResult result =
            CollectionImport::Apply(collection, plan, DateTime(2026, 12, 8, 12, 0, 0));
        if (!result.imported) {
            state.SkipWithError(result.error.c_str());
        }
        state.PauseTiming();
        collection.Close();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_CollectionImport20000)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
