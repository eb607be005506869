// Price imports and updates on files of the real public size and shape (RealPriceFiles.h):
// MTGJSON AllPrintings.json (about 450 MB for 100,000 printings) with AllPricesToday.json, and
// a Scryfall default-cards file of the same cards. Each import and update runs as the
// quorvel-import command in a process of its own, so its CPU time (user and system) and peak
// resident memory are the command's alone; the longest stretch without a progress report is
// measured in this process. The updates go to a local server (tests/update/price_server.py)
// publishing the MTGJSON layout: the first update, a day on which only prices changed (the
// card file cached), and a run with nothing new. Unpacking a 100 MB .xz is measured in a
// child process too, for the memory it adds. Every file is written under /tmp and removed at
// the end.

#include "BenchClock.h"
#include "PriceFileWriter.h"
#include "RealPriceFiles.h"

#include "data/SampleCatalogue.h"
#include "prices/PriceImport.h"
#include "update/StreamUnpacker.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kCards = 100000;

double Mb(std::uintmax_t bytes)
{
    return static_cast<double>(bytes) / 1e6;
}

// What a child process used: CPU seconds (user and system) and peak resident MB.
struct Usage {
    bool ok = false;
    double cpu = 0.0;
    double peakMb = 0.0;
};

Usage Waited(pid_t child)
{
    int status = 0;
    rusage usage{};
    Usage result;
    if (child > 0 && wait4(child, &status, 0, &usage) == child) {
        result.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
        result.cpu = double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                     double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
        result.peakMb = static_cast<double>(usage.ru_maxrss) / 1024.0;
    }
    return result;
}

// quorvel-import with `args` in `dir` (which holds mtgo.mdb), its cache under `dir`/cache.
Usage Command(const fs::path& dir, const std::vector<std::string>& args)
{
    const std::string command =
        std::string(QUORVEL_BINARY_DIR) + "/tools/quorvel-import/quorvel-import";
    const pid_t child = fork();
    if (child == 0) {
        const std::string log = (dir / "command.log").string();
        const std::string cache = (dir / "cache").string();
        std::vector<char*> argv = {const_cast<char*>(command.c_str())};
        for (const std::string& arg : args) {
            argv.push_back(const_cast<char*>(arg.c_str()));
        }
        argv.push_back(nullptr);
        if (chdir(dir.c_str()) == 0 && setenv("XDG_CACHE_HOME", cache.c_str(), 1) == 0 &&
            std::freopen(log.c_str(), "a", stdout) != nullptr) {
            execv(command.c_str(), argv.data());
        }
        _exit(127);
    }
    return Waited(child);
}

// The generated files, a pristine sample database, and the MTGJSON layout for the updates.
class RealFiles {
public:
    RealFiles()
        : m_dir(fs::temp_directory_path() / ("quorvel-bench-real-" + std::to_string(getpid())))
    {
        fs::create_directories(m_dir / "server");
        std::vector<CardSet> sets;
        std::vector<CardRecord> cards;
        if (!sample_catalogue::ReadSetsTsv(std::string(QUORVEL_SOURCE_DIR) + "/data/sets-2003.tsv",
                                           sets, cards) ||
            !sample_catalogue::WritePriceDatabase(Path("sample.mdb"), sets, cards) ||
            !real_files::WriteAllPrintings(Path("AllPrintings.json"), kCards) ||
            !real_files::WriteAllPricesToday(Path("AllPricesToday.json"), kCards, 1) ||
            !real_files::WriteDefaultCards(Path("default-cards.json"), kCards)) {
            std::abort();
        }
    }
    ~RealFiles()
    {
        std::error_code ec;
        fs::remove_all(m_dir, ec);
    }
    const fs::path& Dir() const { return m_dir; }
    std::string Path(const std::string& name) const { return (m_dir / name).string(); }
    // A fresh copy of the sample database as mtgo.mdb, in a folder of its own.
    fs::path FreshFolder(const std::string& name) const
    {
        const fs::path folder = m_dir / name;
        fs::remove_all(folder);
        fs::create_directories(folder);
        fs::copy_file(Path("sample.mdb"), folder / "mtgo.mdb");
        return folder;
    }

private:
    fs::path m_dir;
};

const RealFiles& Files()
{
    static const RealFiles files;
    return files;
}

void Import(benchmark::State& state, const std::vector<std::string>& names)
{
    const RealFiles& files = Files();
    std::vector<std::string> paths;
    std::uintmax_t bytes = 0;
    for (const std::string& name : names) {
        paths.push_back(files.Path(name));
        bytes += fs::file_size(paths.back());
    }
    Usage usage;
    for (auto _ : state) {
        usage = Command(files.FreshFolder("import"), paths);
    }
    if (!usage.ok) {
        state.SkipWithError("the import failed");
    }
    state.counters["files_MB"] = Mb(bytes);
    state.counters["cpu_s"] = usage.cpu;
    state.counters["peak_MB"] = usage.peakMb;
}

// The same import in a child of this process with every file read whole, as before files
// were read in pieces (the child's peak includes the few MB this process held when it forked).
void ImportWhole(benchmark::State& state, const std::vector<std::string>& names)
{
    const RealFiles& files = Files();
    std::vector<std::string> paths;
    for (const std::string& name : names) {
        paths.push_back(files.Path(name));
    }
    Usage usage;
    for (auto _ : state) {
        const std::string db = (files.FreshFolder("whole") / "mtgo.mdb").string();
        const pid_t child = fork();
        if (child == 0) {
            PriceImportOptions options;
            options.piecesFrom = UINT64_MAX;
            const PriceImportSummary summary = PriceImport(db).Run(paths, options);
            _exit(summary.outcome == PriceImportSummary::Outcome::Imported ? 0 : 1);
        }
        usage = Waited(child);
    }
    if (!usage.ok) {
        state.SkipWithError("the import failed");
    }
    state.counters["cpu_s"] = usage.cpu;
    state.counters["peak_MB"] = usage.peakMb;
}

void BM_RealMtgjsonImport(benchmark::State& state)
{
    Import(state, {"AllPrintings.json", "AllPricesToday.json"});
    state.counters["prices_MB"] = Mb(fs::file_size(Files().Path("AllPricesToday.json")));
}
BENCHMARK(BM_RealMtgjsonImport)->Unit(benchmark::kSecond)->Iterations(1);

void BM_RealMtgjsonImportWhole(benchmark::State& state)
{
    ImportWhole(state, {"AllPrintings.json", "AllPricesToday.json"});
}
BENCHMARK(BM_RealMtgjsonImportWhole)->Unit(benchmark::kSecond)->Iterations(1);

void BM_RealScryfallImport(benchmark::State& state)
{
    Import(state, {"default-cards.json"});
}
BENCHMARK(BM_RealScryfallImport)->Unit(benchmark::kSecond)->Iterations(1);

void BM_RealScryfallImportWhole(benchmark::State& state)
{
    ImportWhole(state, {"default-cards.json"});
}
BENCHMARK(BM_RealScryfallImportWhole)->Unit(benchmark::kSecond)->Iterations(1);

using bench_clock::ThreadCpuMs;
using bench_clock::WallMs;

// The longest stretch between two progress reports of an import in this process.
void Progress(benchmark::State& state, const std::vector<std::string>& names)
{
    const RealFiles& files = Files();
    std::vector<std::string> paths;
    for (const std::string& name : names) {
        paths.push_back(files.Path(name));
    }
    double longestCpu = 0.0;
    double longestWall = 0.0;
    double reports = 0.0;
    for (auto _ : state) {
        const std::string db = (files.FreshFolder("progress") / "mtgo.mdb").string();
        double lastCpu = ThreadCpuMs();
        double lastWall = WallMs();
        const PriceImportSummary summary = PriceImport(db).Run(paths, {}, [&](double) {
            const double cpu = ThreadCpuMs();
            const double wall = WallMs();
            longestCpu = std::max(longestCpu, cpu - lastCpu);
            longestWall = std::max(longestWall, wall - lastWall);
            lastCpu = cpu;
            lastWall = wall;
            reports += 1.0;
            return true;
        });
        if (summary.outcome == PriceImportSummary::Outcome::Failed) {
            state.SkipWithError(summary.error.c_str());
        }
    }
    state.counters["longest_cpu_ms"] = longestCpu;
    state.counters["longest_wall_ms"] = longestWall;
    state.counters["reports"] = reports;
}

void BM_RealMtgjsonProgress(benchmark::State& state)
{
    Progress(state, {"AllPrintings.json", "AllPricesToday.json"});
}
BENCHMARK(BM_RealMtgjsonProgress)->Unit(benchmark::kSecond)->Iterations(1);

void BM_RealScryfallProgress(benchmark::State& state)
{
    Progress(state, {"default-cards.json"});
}
BENCHMARK(BM_RealScryfallProgress)->Unit(benchmark::kSecond)->Iterations(1);

int System(const std::string& command)
{
    return std::system(command.c_str());
}

// Publishes Meta.json and the packed files with their digests in the server's folder.
bool Publish(const fs::path& root, int day, bool cards)
{
    char date[16];
    std::snprintf(date, sizeof date, "2026-12-%02d", day);
    std::ofstream(root / "Meta.json") << "{\"meta\": {\"date\": \"" << date
                                      << "\", \"version\": \"5.2.2+20261201\"}, \"data\": "
                                         "{\"date\": \""
                                      << date << "\", \"version\": \"5.2.2+20261201\"}}";
    // A day's prices: about 15 % of the game prices move.
    const std::string prices = (root / "AllPricesToday.json").string();
    if (!real_files::WriteAllPricesToday(prices, kCards, day, day == 1 ? 1.0 : 0.15)) {
        return false;
    }
    std::string command = "cd '" + root.string() + "' && xz -f -T2 AllPricesToday.json";
    if (cards) {
        command += " && cp ../AllPrintings.json . && xz -f -T2 AllPrintings.json";
    }
    command += " && for f in *.xz; do sha256sum $f > $f.sha256; done";
    return System(command) == 0;
}

// The local price server on `root`; stopped when destroyed.
class Server {
public:
    explicit Server(const fs::path& root)
    {
        const std::string command = "sh -c 'echo $$; exec python3 \"" QUORVEL_SOURCE_DIR
                                    "/tests/update/price_server.py\" \"" +
                                    root.string() + "\"'";
        m_pipe = popen(command.c_str(), "r");
        char line[64];
        if (m_pipe != nullptr && std::fgets(line, sizeof line, m_pipe) != nullptr) {
            m_pid = std::atoi(line);
        }
        if (m_pipe != nullptr && std::fgets(line, sizeof line, m_pipe) != nullptr) {
            m_port = std::atoi(line);
        }
    }
    ~Server()
    {
        if (m_pid > 0) {
            kill(m_pid, SIGTERM);
        }
        if (m_pipe != nullptr) {
            pclose(m_pipe);
        }
    }
    std::string Base() const { return "http://127.0.0.1:" + std::to_string(m_port) + "/"; }
    bool Running() const { return m_pid > 0 && m_port > 0; }

private:
    std::FILE* m_pipe = nullptr;
    pid_t m_pid = 0;
    int m_port = 0;
};

std::string Bytes(const fs::path& path)
{
    std::ostringstream bytes;
    bytes << std::ifstream(path, std::ios::binary).rdbuf();
    return bytes.str();
}

void BM_RealMtgjsonUpdates(benchmark::State& state)
{
    const RealFiles& files = Files();
    const fs::path root = files.Dir() / "server";
    for (auto _ : state) {
        state.PauseTiming();
        const fs::path folder = files.FreshFolder("update");
        if (!Publish(root, 1, true)) {
            state.SkipWithError("cannot publish the files");
            return;
        }
        const Server server(root);
        if (!server.Running()) {
            state.SkipWithError("the price server did not start");
            return;
        }
        state.ResumeTiming();
        const std::vector<std::string> update = {"--update", "--url", server.Base()};
        const Usage first = Command(folder, update);
        state.PauseTiming();
        Publish(root, 2, false);
        state.ResumeTiming();
        const Usage prices = Command(folder, update);
        const std::string before = Bytes(folder / "mtgo.mdb");
        struct stat was {};
        stat((folder / "mtgo.mdb").c_str(), &was);
        const Usage unchanged = Command(folder, update);
        struct stat now {};
        stat((folder / "mtgo.mdb").c_str(), &now);
        if (!first.ok || !prices.ok || !unchanged.ok) {
            state.SkipWithError("an update failed (see command.log)");
        }
        state.counters["first_cpu_s"] = first.cpu;
        state.counters["first_peak_MB"] = first.peakMb;
        state.counters["prices_only_cpu_s"] = prices.cpu;
        state.counters["prices_only_peak_MB"] = prices.peakMb;
        state.counters["unchanged_cpu_ms"] = unchanged.cpu * 1e3;
        state.counters["unchanged_wrote"] = Bytes(folder / "mtgo.mdb") != before ||
                                                    now.st_mtim.tv_sec != was.st_mtim.tv_sec ||
                                                    now.st_mtim.tv_nsec != was.st_mtim.tv_nsec
                                                ? 1
                                                : 0;
        state.counters["packed_cards_MB"] = Mb(fs::file_size(root / "AllPrintings.json.xz"));
        state.counters["packed_prices_MB"] = Mb(fs::file_size(root / "AllPricesToday.json.xz"));
    }
}
BENCHMARK(BM_RealMtgjsonUpdates)->Unit(benchmark::kSecond)->Iterations(1);

// Resident memory of this process now, in kB (VmRSS).
long ResidentKb()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with("VmRSS:")) {
            return std::atol(line.c_str() + 6);
        }
    }
    return 0;
}

// Unpacking a .xz file of about 100 MB (text that packs as badly as the real files' does,
// xz's default preset) in a child process: how much its resident memory grew meanwhile.
void BM_XzUnpack(benchmark::State& state)
{
    const RealFiles& files = Files();
    const std::string packed = files.Path("random.txt.xz");
    if (!fs::exists(packed) &&
        System("cd '" + files.Dir().string() +
               "' && head -c 100000000 /dev/urandom | base64 > random.txt && xz -T2 -6 "
               "random.txt") != 0) {
        state.SkipWithError("cannot make the packed file");
        return;
    }
    for (auto _ : state) {
        int pipeEnds[2];
        if (pipe(pipeEnds) != 0) {
            state.SkipWithError("no pipe");
            return;
        }
        const pid_t child = fork();
        if (child == 0) {
            close(pipeEnds[0]);
            const long before = ResidentKb();
            const StreamUnpacker::Result result = StreamUnpacker::Unpack(
                packed, files.Path("unpacked.json"), StreamUnpacker::kDefaultBound);
            rusage usage{};
            getrusage(RUSAGE_SELF, &usage);
            const long grown = result.ok ? usage.ru_maxrss - before : -1;
            const bool sent = write(pipeEnds[1], &grown, sizeof grown) == sizeof grown;
            _exit(sent && result.ok ? 0 : 1);
        }
        close(pipeEnds[1]);
        long grown = -1;
        const bool got = read(pipeEnds[0], &grown, sizeof grown) == sizeof grown;
        close(pipeEnds[0]);
        const Usage usage = Waited(child);
        if (!got || !usage.ok || grown < 0) {
            state.SkipWithError("the unpacking failed");
            return;
        }
        state.counters["packed_MB"] = Mb(fs::file_size(packed));
        state.counters["unpacked_MB"] = Mb(fs::file_size(files.Path("unpacked.json")));
        state.counters["cpu_s"] = usage.cpu;
        state.counters["memory_grown_MB"] = static_cast<double>(grown) / 1024.0;
        fs::remove(files.Path("unpacked.json"));
    }
}
BENCHMARK(BM_XzUnpack)->Unit(benchmark::kSecond)->Iterations(1);

} // namespace

BENCHMARK_MAIN();
