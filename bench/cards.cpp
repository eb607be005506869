// A typed empty search listing the whole catalogue into the catalogue grid: the lookup with
// an empty text (the pattern "**" matches every name), the sort by "Reg Value" highest first
// and the fitting of the columns, as the Search command does them. Then sorting the listed
// 100,000 cards by each column and by match score (Best Match First), and the heap the filled
// grid holds beyond the catalogue.
#include "data/CardRecord.h"
#include "data/SampleCatalogue.h"
#include "lookup/BestMatchOrder.h"
#include "lookup/CardGridColumn.h"
#include "lookup/CardLookup.h"
#include "lookup/view/CCardsGridCtrl.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <malloc.h>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

const std::vector<CardRecord>& SampleCards()
{
    static const std::vector<CardRecord> cards = [] {
        std::vector<CardSet> sets;
        std::vector<CardRecord> list;
        std::string error;
        if (!sample_catalogue::ReadSetsTsv(std::string(QUORVEL_SOURCE_DIR) + "/data/sets-2003.tsv",
                                           sets, list, &error)) {
            throw std::runtime_error(error);
        }
        sample_catalogue::ApplyIllustrativePrices(list, DateTime(2026, 12, 1));
        return list;
    }();
    return cards;
}

const std::vector<CardRecord>& SyntheticCards()
{
    static const std::vector<CardRecord> cards = sample_catalogue::MakeSyntheticCards(100000, 2003);
    return cards;
}

void TypedEmptySearch(benchmark::State& state, const std::vector<CardRecord>& cards)
{
    CCardsGridCtrl grid;
    grid.resize(800, 500);
    grid.SetUpColumns();
    CardLookup lookup(cards);
    for (auto _ : state) {
        lookup.LookUp("", false, grid);
        grid.SortByValueAndFit();
        benchmark::DoNotOptimize(grid.GetRowCount());
    }
    if (grid.DataRowCount() != static_cast<int>(cards.size())) {
        state.SkipWithError("the search did not list the whole catalogue");
    }
    state.counters["cards"] = static_cast<double>(grid.DataRowCount());
}

void BM_TypedEmptySearchSample(benchmark::State& state)
{
    TypedEmptySearch(state, SampleCards());
}

void BM_TypedEmptySearch100k(benchmark::State& state)
{
    TypedEmptySearch(state, SyntheticCards());
}

void BM_SortListedCards100k(benchmark::State& state)
{
    CCardsGridCtrl grid;
    grid.resize(800, 500);
    grid.SetUpColumns();
    CardLookup lookup(SyntheticCards());
    lookup.LookUp("", false, grid);
    const int column = static_cast<int>(state.range(0));
    bool ascending = true;
    for (auto _ : state) {
        grid.SortByColumn(column, ascending);
        ascending = !ascending;
    }
}

// Scores as a lookup leaves them: most cards 0, some partly named, a few reported.
void BM_SortByMatch100k(benchmark::State& state)
{
    CCardsGridCtrl grid;
    grid.resize(800, 500);
    grid.SetUpColumns();
    CardLookup lookup(SyntheticCards());
    lookup.LookUp("", false, grid);
    std::vector<ScoredCard> scored;
    for (const CardRecord& card : SyntheticCards()) {
        scored.push_back({card, card.id % 50 == 0 ? 80 : card.id % 7 == 0 ? 30 : 0});
    }
    grid.SetMatchScores(scored);
    for (auto _ : state) {
        grid.SortByMatch();
    }
}

long HeapBytes()
{
    const struct mallinfo2 info = mallinfo2();
    return static_cast<long>(info.uordblks + info.hblkhd);
}

// The grid after an empty search, beyond the catalogue (made before the count starts).
void BM_FilledGridMemory(benchmark::State& state)
{
    const auto& cards = state.range(0) == 100000
                            ? SyntheticCards()
                            : sample_catalogue::MakeSyntheticCards(
                                  static_cast<std::size_t>(state.range(0)), 2003);
    CardLookup lookup(cards);
    long grown = 0;
    for (auto _ : state) {
        CCardsGridCtrl grid;
        grid.resize(800, 500);
        grid.SetUpColumns();
        const long before = HeapBytes();
        lookup.LookUp("", false, grid);
        grid.SortByValueAndFit();
        grown = HeapBytes() - before;
        benchmark::DoNotOptimize(grid.GetRowCount());
    }
    state.counters["MB"] = static_cast<double>(grown) / (1024.0 * 1024.0);
}

} // namespace

BENCHMARK(BM_TypedEmptySearchSample)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TypedEmptySearch100k)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortListedCards100k)
    ->DenseRange(ColumnIndex(CardGridColumn::Hot), ColumnIndex(CardGridColumn::UpdateDate))
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortByMatch100k)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FilledGridMemory)->Arg(100000)->Arg(1000000)->Iterations(1)->Unit(
    benchmark::kMillisecond);

int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM")) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
