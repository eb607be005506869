// Price imports of generated files of the real shapes into the sample price database:
// 100,000 cards from MTGJSON card and price files, a 100,000-row CSV, and a second, unchanged
// import of each. CPU time per import; the peak resident memory of the command doing the
// MTGJSON import is reported as a counter (a separate process, so nothing of the benchmark
// itself is counted).

#include "PriceFileWriter.h"

#include "data/SampleCatalogue.h"
#include "prices/PriceImport.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kCards = 100000;

// The generated files and a pristine sample database, made once per process.
class Files {
public:
    Files()
    {
        m_dir = fs::temp_directory_path() / ("quorvel-bench-import-" + std::to_string(getpid()));
        fs::create_directories(m_dir);
        std::vector<CardSet> sets;
        std::vector<CardRecord> cards;
        if (!sample_catalogue::ReadSetsTsv(std::string(QUORVEL_SOURCE_DIR) + "/data/sets-2003.tsv",
                                           sets, cards) ||
            !sample_catalogue::WritePriceDatabase(Path("sample.mdb"), sets, cards) ||
            !price_files::WriteAllPrintings(Path("AllPrintings.json"), kCards) ||
            !price_files::WriteAllPricesToday(Path("AllPricesToday.json"), kCards) ||
            !price_files::WriteCsv(Path("prices.csv"), kCards)) {
            std::abort();
        }
    }
    ~Files()
    {
        std::error_code ec;
        fs::remove_all(m_dir, ec);
    }
    std::string Path(const std::string& name) const { return (m_dir / name).string(); }
    // A fresh copy of the sample database as mtgo.mdb.
    std::string FreshDatabase() const
    {
        fs::copy_file(Path("sample.mdb"), Path("mtgo.mdb"), fs::copy_options::overwrite_existing);
        return Path("mtgo.mdb");
    }

private:
    fs::path m_dir;
};

const Files& GetFiles()
{
    static const Files files;
    return files;
}

void Import(benchmark::State& state, const std::vector<std::string>& names, bool second)
{
    const Files& files = GetFiles();
    std::vector<std::string> paths;
    for (const std::string& name : names) {
        paths.push_back(files.Path(name));
    }
    PriceImportSummary summary;
    for (auto _ : state) {
        state.PauseTiming();
        const std::string db = files.FreshDatabase();
        if (second) {
            PriceImport(db).Run(paths, {});
        }
        state.ResumeTiming();
        summary = PriceImport(db).Run(paths, {});
        benchmark::DoNotOptimize(summary);
    }
    state.counters["cards_added"] = static_cast<double>(summary.cardsAdded);
    state.counters["prices_updated"] = static_cast<double>(summary.pricesUpdated);
    if (summary.outcome == PriceImportSummary::Outcome::Failed) {
        state.SkipWithError(summary.Text().c_str());
    }
}

void BM_MtgjsonImport(benchmark::State& state)
{
    Import(state, {"AllPrintings.json", "AllPricesToday.json"}, false);
    // Peak memory of the command-line import of the same files, in its own process.
    const Files& files = GetFiles();
    files.FreshDatabase();
    const pid_t child = fork();
    if (child == 0) {
        // The command's summary would only clutter the benchmark's output.
        if (chdir(files.Path("").c_str()) == 0 && freopen("/dev/null", "w", stdout) != nullptr) {
            const std::string command =
                std::string(QUORVEL_BINARY_DIR) + "/tools/quorvel-import/quorvel-import";
            execl(command.c_str(), command.c_str(), "AllPrintings.json", "AllPricesToday.json",
                  static_cast<char*>(nullptr));
        }
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (child > 0 && wait4(child, &status, 0, &usage) == child && WIFEXITED(status) &&
        WEXITSTATUS(status) == 0) {
        state.counters["command_peak_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
    }
}
BENCHMARK(BM_MtgjsonImport)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_MtgjsonImportAgain(benchmark::State& state)
{
    Import(state, {"AllPrintings.json", "AllPricesToday.json"}, true);
}
BENCHMARK(BM_MtgjsonImportAgain)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_CsvImport(benchmark::State& state)
{
    Import(state, {"prices.csv"}, false);
}
BENCHMARK(BM_CsvImport)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_CsvImportAgain(benchmark::State& state)
{
    Import(state, {"prices.csv"}, true);
}
BENCHMARK(BM_CsvImportAgain)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
