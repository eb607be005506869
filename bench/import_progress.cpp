// How often a price import reports its progress, which is what the window's progress dialog
// can show: the longest stretch between two reports, in wall time and in the worker thread's
// CPU time, for 100,000 cards from MTGJSON card and price files and for a 100,000-row CSV.
// The window redraws its progress bar every 50 ms from the last report; a stretch near or
// above 100 ms would leave the bar standing still.

#include "BenchClock.h"
#include "PriceFileWriter.h"

#include "data/SampleCatalogue.h"
#include "prices/PriceImport.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kCards = 100000;

using bench_clock::ThreadCpuMs;
using bench_clock::WallMs;

// The generated files and a pristine sample database, made once and removed at exit.
struct GeneratedFiles {
    GeneratedFiles()
    {
        fs::create_directories(dir);
        std::vector<CardSet> sets;
        std::vector<CardRecord> cards;
        const auto at = [this](const char* name) { return (dir / name).string(); };
        if (!sample_catalogue::ReadSetsTsv(std::string(QUORVEL_SOURCE_DIR) + "/data/sets-2003.tsv",
                                           sets, cards) ||
            !sample_catalogue::WritePriceDatabase(at("sample.mdb"), sets, cards) ||
            !price_files::WriteAllPrintings(at("AllPrintings.json"), kCards) ||
            !price_files::WriteAllPricesToday(at("AllPricesToday.json"), kCards) ||
            !price_files::WriteCsv(at("prices.csv"), kCards)) {
            std::abort();
        }
    }
    ~GeneratedFiles()
    {
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
    const fs::path dir =
        fs::temp_directory_path() / ("quorvel-bench-progress-" + std::to_string(getpid()));
};

const fs::path& Folder()
{
    static const GeneratedFiles files;
    return files.dir;
}

void LongestGap(benchmark::State& state, const std::vector<std::string>& names)
{
    std::vector<std::string> paths;
    for (const std::string& name : names)
        paths.push_back((Folder() / name).string());
    double longestWall = 0.0;
    double longestCpu = 0.0;
    double reports = 0.0;
    for (auto _ : state) {
        state.PauseTiming();
        fs::copy_file(Folder() / "sample.mdb", Folder() / "mtgo.mdb",
                      fs::copy_options::overwrite_existing);
        state.ResumeTiming();
        double lastWall = WallMs();
        double lastCpu = ThreadCpuMs();
        reports = 0.0;
        const PriceImportSummary summary =
            PriceImport((Folder() / "mtgo.mdb").string()).Run(paths, {}, [&](double) {
                const double wall = WallMs();
                const double cpu = ThreadCpuMs();
                longestWall = std::max(longestWall, wall - lastWall);
                longestCpu = std::max(longestCpu, cpu - lastCpu);
                lastWall = wall;
                lastCpu = cpu;
                ++reports;
                return true;
            });
        // The stretch after the last report, up to the end, counts too.
        longestWall = std::max(longestWall, WallMs() - lastWall);
        longestCpu = std::max(longestCpu, ThreadCpuMs() - lastCpu);
        if (summary.outcome == PriceImportSummary::Outcome::Failed)
            state.SkipWithError(summary.Text().c_str());
    }
    state.counters["longest_gap_wall_ms"] = longestWall;
    state.counters["longest_gap_cpu_ms"] = longestCpu;
    state.counters["reports"] = reports;
}

void BM_ProgressMtgjson(benchmark::State& state)
{
    LongestGap(state, {"AllPrintings.json", "AllPricesToday.json"});
}
BENCHMARK(BM_ProgressMtgjson)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ProgressCsv(benchmark::State& state)
{
    LongestGap(state, {"prices.csv"});
}
BENCHMARK(BM_ProgressCsv)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
