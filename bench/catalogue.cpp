// LoadCatalogue on the sample price database and on 100,000 synthetic cards (whole, and only
// what a lookup needs): time per load, and the heap the loaded catalogue holds and the peak
// heap while loading. Also the part of a load that tells sample prices from imported ones, on
// 100,000 cards after 30 days of imports.

#include "data/CADODataBase.h"
#include "data/CardCatalogue.h"
#include "data/SampleCatalogue.h"
#include "data/SamplePriceMarks.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <new>
#include <string>

namespace {

// Heap use of every C++ allocation of the program (the catalogue is all C++ containers).
std::size_t g_live = 0;
std::size_t g_peak = 0;

} // namespace

void* operator new(std::size_t size)
{
    // The size is kept in front of the block so delete can count it back.
    auto* block = static_cast<std::size_t*>(std::malloc(size + sizeof(std::max_align_t)));
    if (block == nullptr) {
        throw std::bad_alloc();
    }
    *block = size;
    g_live += size;
    g_peak = std::max(g_peak, g_live);
    return reinterpret_cast<char*>(block) + sizeof(std::max_align_t);
}

void operator delete(void* pointer) noexcept
{
    if (pointer == nullptr) {
        return;
    }
    auto* block =
        reinterpret_cast<std::size_t*>(static_cast<char*>(pointer) - sizeof(std::max_align_t));
    g_live -= *block;
    std::free(block);
}

void operator delete(void* pointer, std::size_t) noexcept
{
    operator delete(pointer);
}

namespace {

// A price database written once per process into a temporary folder.
class PriceFile {
public:
    explicit PriceFile(std::size_t syntheticCards)
    {
        m_dir =
            std::filesystem::temp_directory_path() /
            ("quorvel-bench-" + std::to_string(::getpid()) + "-" + std::to_string(syntheticCards));
        std::filesystem::create_directories(m_dir);
        m_path = (m_dir / "mtgo.mdb").string();
        std::filesystem::remove(m_path);
        std::vector<CardSet> sets;
        std::vector<CardRecord> cards;
        std::string error;
        if (syntheticCards == 0) {
            sample_catalogue::ReadSetsTsv(std::string(QUORVEL_SOURCE_DIR) + "/data/sets-2003.tsv",
                                          sets, cards, &error);
            sample_catalogue::ApplyIllustrativePrices(cards, DateTime(2026, 12, 1));
        } else {
            sets = sample_catalogue::NineSets();
            cards = sample_catalogue::MakeSyntheticCards(syntheticCards, 2003);
        }
        if (!sample_catalogue::WritePriceDatabase(m_path, sets, cards, &error)) {
            throw std::runtime_error(error);
        }
    }
    ~PriceFile()
    {
        std::error_code ec;
        std::filesystem::remove_all(m_dir, ec);
    }
    const std::string& Path() const { return m_path; }

private:
    std::filesystem::path m_dir;
    std::string m_path;
};

void LoadCatalogue(benchmark::State& state, std::size_t syntheticCards, bool forLookupOnly = false)
{
    const PriceFile file(syntheticCards);
    CADODataBase db;
    if (!db.Open("Data Source=" + file.Path() + ";")) {
        state.SkipWithError(db.GetLastErrorText().c_str());
        return;
    }
    // One measured load into a fresh catalogue gives its memory figures.
    std::size_t catalogueBytes = 0;
    std::size_t peakBytes = 0;
    std::size_t cards = 0;
    {
        const std::size_t before = g_live;
        g_peak = g_live;
        sqlite3_memory_highwater(1);
        auto catalogue = std::make_unique<CardCatalogue>();
        if (!catalogue->LoadCatalogue(db, nullptr, forLookupOnly)) {
            state.SkipWithError("the catalogue did not load");
            return;
        }
        catalogueBytes = g_live - before;
        peakBytes = g_peak - before + static_cast<std::size_t>(sqlite3_memory_highwater(0));
        cards = catalogue->Cards().size();
    }
    for (auto _ : state) {
        CardCatalogue catalogue;
        catalogue.LoadCatalogue(db, nullptr, forLookupOnly);
        benchmark::DoNotOptimize(catalogue.Cards().data());
    }
    state.counters["cards"] = static_cast<double>(cards);
    state.counters["catalogue_MB"] = static_cast<double>(catalogueBytes) / 1e6;
    state.counters["peak_MB"] = static_cast<double>(peakBytes) / 1e6;
}

void BM_LoadCatalogueSample(benchmark::State& state)
{
    LoadCatalogue(state, 0);
}

void BM_LoadCatalogueSynthetic(benchmark::State& state)
{
    LoadCatalogue(state, static_cast<std::size_t>(state.range(0)));
}

// What quorvel-lookup loads: no HOT marks, set numbers, dates, set codes or id index.
void BM_LoadCatalogueForLookup(benchmark::State& state)
{
    LoadCatalogue(state, static_cast<std::size_t>(state.range(0)), true);
}

// The search a load makes once prices were imported: Arg days of history per card.
void BM_SamplePriceMarks(benchmark::State& state)
{
    const PriceFile file(100000);
    sqlite3* db = nullptr;
    if (sqlite3_open(file.Path().c_str(), &db) != SQLITE_OK) {
        state.SkipWithError("the price database did not open");
        return;
    }
    const std::string days = std::to_string(state.range(0));
    const std::string fill = "WITH RECURSIVE d(n) AS (SELECT 0 UNION ALL SELECT n + 1 FROM d "
                             "WHERE n + 1 < " + days + ") INSERT INTO price_days (card_id, day, "
                             "reg, foil) SELECT c.id, 20400 + d.n, d.n, d.n FROM cardslist c, d";
    if (sqlite3_exec(db, fill.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK) {
        state.SkipWithError(sqlite3_errmsg(db));
        sqlite3_close(db);
        return;
    }
    std::size_t samples = 0;
    for (auto _ : state) {
        const sample_price_marks::Marks marks = sample_price_marks::Read(db);
        samples = marks.sampleIds.size();
        benchmark::DoNotOptimize(marks.imported);
    }
    state.counters["sample_prices"] = static_cast<double>(samples);
    sqlite3_close(db);
}

void BM_MakeSyntheticCards(benchmark::State& state)
{
    for (auto _ : state) {
        auto cards =
            sample_catalogue::MakeSyntheticCards(static_cast<std::size_t>(state.range(0)), 1);
        benchmark::DoNotOptimize(cards.data());
    }
}

} // namespace

BENCHMARK(BM_LoadCatalogueSample)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadCatalogueSynthetic)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadCatalogueForLookup)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SamplePriceMarks)->Arg(30)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MakeSyntheticCards)->Arg(100000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
