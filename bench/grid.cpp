// Filling, sorting and fitting a grid the size of a whole catalogue.
#include "grid/CGridCellBase.h"
#include "grid/CGridCtrl.h"

#include <QApplication>
#include <QImage>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <malloc.h>
#include <map>
#include <memory>
#include <random>
#include <vector>

namespace {

constexpr int kColumns = 7;

struct CatalogueRows {
    std::vector<double> values;
    std::vector<QString> names;
};

const CatalogueRows& Rows(int count)
{
    static std::map<int, CatalogueRows> cache;
    CatalogueRows& rows = cache[count];
    if (rows.values.empty()) {
        std::mt19937 random(42);
        std::uniform_real_distribution<double> value(0.0, 80.0);
        for (int i = 0; i < count; ++i) {
            rows.values.push_back(value(random));
            rows.names.push_back(QString("Card name number %1").arg(random() % 1000000));
        }
    }
    return rows;
}

// The catalogue grid's set-up: a header row, whole-row selection, sorting on a header click.
std::unique_ptr<CGridCtrl> MakeGrid()
{
    auto grid = std::make_unique<CGridCtrl>();
    grid->resize(800, 600);
    grid->SetColumns(kColumns);
    grid->SetFixedRows(1);
    grid->SetListMode(true);
    grid->SetSortOnClick(true);
    for (int c = 0; c < kColumns; ++c) {
        grid->SetCellText(0, c, QString("Column %1").arg(c));
    }
    return grid;
}

// One row as the catalogue grid adds it: seven texts, three check cells, item data everywhere.
void Fill(CGridCtrl& grid, const CatalogueRows& rows)
{
    char value[32];
    for (size_t i = 0; i < rows.values.size(); ++i) {
        const int row = grid.InsertRowAt(QString());
        grid.SetCellKind(row, 1, "CGridCellCheck");
        grid.SetCellKind(row, 3, "CGridCellCheck");
        grid.SetCellKind(row, 4, "CGridCellCheck");
        std::snprintf(value, sizeof value, "%4.1f", rows.values[i]);
        grid.SetCellText(row, 0, QString());
        grid.SetCellText(row, 1, rows.names[i]);
        grid.SetCellText(row, 2, QString());
        grid.SetCellText(row, 3, QString::fromLatin1(value));
        grid.SetCellText(row, 4, QString::fromLatin1(value));
        grid.SetCellText(row, 5, QString("http://example.org/showcard.asp?id=7EWR%1").arg(i));
        grid.SetCellText(row, 6, QStringLiteral("12-07-2026"));
        for (int c = 0; c < kColumns; ++c) {
            grid.SetCellData(row, c, c * 16777216 + int(i));
        }
        grid.SetRowHeightAt(row, 25);
    }
}

// Compares by the value filed under the cell's item data, as the catalogue grid does.
void SetValueComparison(CGridCtrl& grid, const CatalogueRows& rows)
{
    grid.SetCompareCallback([&rows](const CGridCellBase* a, const CGridCellBase* b, std::intptr_t) {
        const double x = rows.values[size_t(a->GetData() & 0xFFFFFF)];
        const double y = rows.values[size_t(b->GetData() & 0xFFFFFF)];
        return x < y ? -1 : (x > y ? 1 : 0);
    });
}

// Bytes the heap hands out, so memory freed by earlier benchmarks does not hide the growth.
long HeapBytes()
{
    const struct mallinfo2 info = mallinfo2();
    return long(info.uordblks + info.hblkhd);
}

void BM_GridFill(benchmark::State& state)
{
    const CatalogueRows& rows = Rows(int(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        auto grid = MakeGrid();
        state.ResumeTiming();
        Fill(*grid, rows);
        state.PauseTiming();
        grid.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_GridSortByValue(benchmark::State& state)
{
    const CatalogueRows& rows = Rows(int(state.range(0)));
    auto grid = MakeGrid();
    Fill(*grid, rows);
    SetValueComparison(*grid, rows);
    bool ascending = false;
    for (auto _ : state) {
        state.PauseTiming();
        grid->SortByColumn(1, true); // shuffles the value order back to name order
        state.ResumeTiming();
        grid->SortByColumn(3, ascending);
        ascending = !ascending;
    }
}

void BM_GridFitAllColumns(benchmark::State& state)
{
    const CatalogueRows& rows = Rows(int(state.range(0)));
    auto grid = MakeGrid();
    Fill(*grid, rows);
    for (auto _ : state) {
        grid->FitAllColumns();
    }
}

// What one lookup listing a whole catalogue costs: fill, sort by value, fit.
void BM_GridFillSortFit(benchmark::State& state)
{
    const CatalogueRows& rows = Rows(int(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        auto grid = MakeGrid();
        SetValueComparison(*grid, rows);
        state.ResumeTiming();
        Fill(*grid, rows);
        grid->SortByColumn(3, false);
        grid->FitAllColumns();
        state.PauseTiming();
        grid.reset();
        state.ResumeTiming();
    }
}

void BM_GridMemoryPerRow(benchmark::State& state)
{
    const CatalogueRows& rows = Rows(int(state.range(0)));
    long grown = 0;
    for (auto _ : state) {
        auto grid = MakeGrid();
        const long before = HeapBytes();
        Fill(*grid, rows);
        grown = HeapBytes() - before;
        benchmark::DoNotOptimize(grid->GetRowCount());
    }
    state.counters["bytes_per_row"] = double(grown) / double(state.range(0));
    state.counters["MB"] = double(grown) / (1024.0 * 1024.0);
}

// One paint of a screenful of rows (the grid of a main window at its first size), check boxes
// outlined and grid lines coloured from the palette.
void BM_GridPaintScreenful(benchmark::State& state)
{
    auto grid = MakeGrid();
    grid->resize(920, 450);
    Fill(*grid, Rows(1000));
    grid->FitAllColumns();
    QImage image(grid->size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        grid->render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
}

} // namespace

BENCHMARK(BM_GridPaintScreenful)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GridFill)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GridSortByValue)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GridFitAllColumns)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GridFillSortFit)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GridMemoryPerRow)->Arg(100000)->Iterations(1)->Unit(benchmark::kMillisecond);

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
