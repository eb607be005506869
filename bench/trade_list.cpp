// Trade list benchmarks: the plain logic behind a refresh, an advertisement and a file, and
// the trade list window's refresh of its grid.
#include "trade/AdvertComposer.h"
#include "trade/TradeList.h"
#include "trade/TradeListFile.h"
#include "trade/TradeListRules.h"
#include "trade/view/CDlgCardsList.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

TradeList MakeList(int lines)
{
    TradeList list;
    for (int i = 0; i < lines; ++i) {
        TradeListEntry entry;
        entry.card_id = i + 1;
        entry.quantity = 1 + i % 4;
        SetEntryName(entry, "Card number " + std::to_string(i));
        entry.foil = i % 5 == 0 ? 1 : 0;
        entry.buy_value = 0.5f + float(i % 40) * 0.25f;
        entry.sell_value = entry.buy_value + 1.0f;
        entry.buying_mark = i % 2;
        entry.selling_mark = i % 3 == 0 ? 1 : 0;
        list.Set(entry.foil ? entry.card_id + 16777216 : entry.card_id, entry);
    }
    return list;
}

std::vector<TradeGridRow> RowsOf(const TradeList& list)
{
    std::vector<TradeGridRow> rows;
    for (const auto& [key, entry] : list) {
        rows.push_back({key, entry.buying_mark != 0, entry.selling_mark != 0});
    }
    return rows;
}

void BM_RefreshTradeListRows(benchmark::State& state)
{
    TradeList list = MakeList(int(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(RefreshTradeList(list));
    }
}
BENCHMARK(BM_RefreshTradeListRows)->Arg(100)->Arg(1000);

void BM_ComposeTradePost(benchmark::State& state)
{
    const TradeList list = MakeList(int(state.range(0)));
    const auto rows = RowsOf(list);
    for (auto _ : state) {
        benchmark::DoNotOptimize(ComposeTradePost(rows, list));
    }
}
BENCHMARK(BM_ComposeTradePost)->Arg(100)->Arg(1000);

void BM_TradeListFileRoundTrip(benchmark::State& state)
{
    const TradeList list = MakeList(int(state.range(0)));
    for (auto _ : state) {
        const std::string bytes = SerializeTradeList(list);
        benchmark::DoNotOptimize(ParseTradeList(bytes));
    }
}
BENCHMARK(BM_TradeListFileRoundTrip)->Arg(100)->Arg(1000);

void BM_TradeListWindowRefresh(benchmark::State& state)
{
    CDlgCardsList dialog;
    dialog.List() = MakeList(int(state.range(0)));
    for (auto _ : state) {
        dialog.RefreshList();
    }
}
BENCHMARK(BM_TradeListWindowRefresh)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
