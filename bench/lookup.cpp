// The lookup on 100,000 cards (the 2,117 sample cards among synthetic ones), CPU time: the
// worked example, twenty typical trade lines and a copied 30-line trade chat as clipboard
// texts, the typo 'lightming bolt' at match level 2, and a 64 KiB text of random words,
// copied and typed. Then the patterns those lookups test, one by one, against three matchers
// side by side: the indexed matcher, the scanning matcher it replaced (no index), and SQLite's
// FTS5 with the trigram tokenizer and GLOB; the index build; and quorvel-lookup as a whole
// process. A table after the runs gives the time per pattern and the two ratios.

#include "data/SampleCatalogue.h"
#include "lookup/CardLookup.h"
#include "lookup/CardMatcher.h"
#include "lookup/FilterList.h"
#include "lookup/ShownCardsTable.h"
#include "lookup/Utf8.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace {

const std::vector<std::string> kTradeLines = {
    "WTS: 4x Wrath of God, 2 Counterspell 3tix",
    "WTB Psychatog 4 tix each, pm me",
    "H: Exalted Angel, Mirari's Wake W: tix",
    "Selling playsets of Nantuko Shade and Call of the Herd cheap!!",
    "LF 2x Cabal Therapy 1x Upheaval",
    "[WTS] Birds of Paradise x4 | Llanowar Elves x4 | Fires of Yavimaya",
    "Buying foil Shadowmage Infiltrator 12 tix",
    "wts fact or fiction 3 tix, flametongue kavu 2tix",
    "Goblin Piledriver 8 tix each - message me",
    "WTT my Rorix Bladewing for your Exalted Angel",
    "4x Deep Analysis, 4x Mesmeric Fiend, 2x Cunning Wish",
    "Burning Wish 5 tix, Pernicious Deed 4 tix, Spiritmonger 1 tix",
    "WTS complete set of Onslaught commons",
    "need 3 Meddling Mage and 1 Opposition",
    "Lightning Rift + Ravenous Baloth + Wonder = 6 tix",
    "selling: mirari, upheaval, psychatog (nm)",
    "WTB Counterspel x4",
    "anyone got Exalted Angle?",
    "H: 40 tix W: Call of the Herd foils",
    "Trading 2 Wrath of God for 1 Cunning Wish + 2 tix",
};

const std::string kWorkedExample = "WTS: 4x Lightning Bolt, 2 Counterspell 3tix";
const std::string kTypo = "lightming bolt";
const std::string kOneWord = "Counterspell";

// Words of trade talk that name no card, for the chat and the random text.
const std::vector<std::string> kTalk = {
    "anyone", "got",   "looking", "for",   "cheap", "playset", "still",  "need",  "my",
    "your",   "trade", "offers",  "bulk",  "rares", "deals",   "today",  "have",  "want",
    "price",  "check", "please",  "thanks", "buy",  "sell",    "good",   "deck",  "mono",
    "red",    "blue",  "tourney", "ready", "hit",   "me",      "up",     "bot",   "open"};

struct Setup {
    std::vector<CardRecord> cards;
    FilterList filters;
    std::string chat;      // 30 lines of trade chat, about 2.5 KB
    std::string randomText;  // 64 KiB of random words
};

const Setup& Data()
{
    static const Setup setup = [] {
        Setup s;
        std::vector<CardSet> sets;
        std::vector<CardRecord> sample;
        std::string error;
        if (!sample_catalogue::ReadSetsTsv(QUORVEL_SOURCE_DIR "/data/sets-2003.tsv", sets, sample,
                                           &error)) {
            std::fprintf(stderr, "bench_lookup: %s\n", error.c_str());
            std::exit(2);
        }
        sample_catalogue::ApplyIllustrativePrices(sample, DateTime(2026, 12, 1));
        s.cards = sample_catalogue::MakeSyntheticCards(100000 - sample.size(), 42);
        for (CardRecord card : sample) {
            card.id += 100000;
            s.cards.push_back(card);
        }
        s.filters = LoadFilters(QUORVEL_SOURCE_DIR "/data/filter.ini").filters;
        std::mt19937 random(2026);
        const auto pick = [&](std::size_t n) {
            return std::uniform_int_distribution<std::size_t>(0, n - 1)(random);
        };
        // "[14:48] trader: WTS Card, Card 2 tix each, pm me": a name, a verb, one to three
        // cards among a few words of talk.
        const std::vector<std::string> verbs = {"WTS", "WTB", "selling", "buying", "H:", "LF"};
        for (int line = 0; s.chat.size() < 2400 || line < 30; ++line) {
            if (line == 30) {
                break;
            }
            std::string text = "[14:" + std::to_string(10 + line) + "] trader" +
                               std::to_string(pick(90)) + ": " + verbs[pick(verbs.size())];
            for (std::size_t n = 1 + pick(3); n > 0; --n) {
                text += " " + kTalk[pick(kTalk.size())];
                text += " " + std::to_string(1 + pick(4)) + "x " + sample[pick(sample.size())].name;
            }
            text += " " + std::to_string(1 + pick(9)) + " tix each, pm me\n";
            s.chat += text;
        }
        // Random words, some of them from card names, with a line break every few words and
        // no separator: one token of about ten thousand words.
        std::vector<std::string> vocabulary = kTalk;
        for (std::size_t i = 0; i < 400; ++i) {
            const std::string& name = sample[pick(sample.size())].name;
            vocabulary.push_back(name.substr(0, name.find(' ')));
        }
        while (s.randomText.size() < 65536) {
            s.randomText += vocabulary[pick(vocabulary.size())];
            s.randomText += pick(10) == 0 ? "\n" : " ";
        }
        s.randomText.resize(65536);
        return s;
    }();
    return setup;
}

struct Case {
    std::string text;
    bool fromClipboard;
    int level;
};

void RunLookup(benchmark::State& state, Case c)
{
    const Setup& data = Data();
    CardLookup lookup(data.cards);
    lookup.SetFilters(data.filters);
    lookup.Options() = {true, c.level};
    ShownCardsTable shown;
    LookupStats stats;
    for (auto _ : state) {
        stats = lookup.LookUp(c.text, c.fromClipboard, shown);
    }
    state.counters["cards"] = static_cast<double>(shown.Size());
    state.counters["patterns"] = static_cast<double>(stats.patterns);
    state.counters["cut"] = stats.textCut || stats.outOfTime ? 1 : 0;
}

// The patterns the rules make for the chat, the trade lines and the typo, each once.
const std::vector<std::string>& Patterns()
{
    static const std::vector<std::string> patterns = [] {
        const Setup& data = Data();
        std::vector<std::string> list;
        std::set<std::string> seen;
        CardLookup lookup(data.cards);
        lookup.SetFilters(data.filters);
        lookup.SetPatternObserver([&](const std::string& p) {
            if (seen.insert(p).second) {
                list.push_back(p);
            }
        });
        ShownCardsTable shown;
        lookup.LookUp(data.chat, true, shown);
        for (const std::string& line : kTradeLines) {
            lookup.LookUp(line, true, shown);
        }
        lookup.Options().matchLevel = 2;
        lookup.LookUp(kTypo, false, shown);
        return list;
    }();
    return patterns;
}

void RunMatcher(benchmark::State& state, bool index)
{
    CardMatcher matcher;
    matcher.Prepare(Data().cards, index);
    std::size_t found = 0;
    for (auto _ : state) {
        found = 0;
        for (const std::string& pattern : Patterns()) {
            found += matcher.Matches(pattern).size();
        }
    }
    state.counters["found"] = static_cast<double>(found);
}

// The names folded as the matcher folds them, in an FTS5 table with the trigram tokenizer;
// every pattern is one GLOB query (GLOB compares case-sensitively, hence the folding).
void RunFts5(benchmark::State& state)
{
    sqlite3* db = nullptr;
    sqlite3_open(":memory:", &db);
    sqlite3_exec(db, "CREATE VIRTUAL TABLE names USING fts5(name, tokenize='trigram')", nullptr,
                 nullptr, nullptr);
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO names(rowid, name) VALUES(?1, ?2)", -1, &insert, nullptr);
    const auto fold = [](std::string text) {
        for (char& c : text) {
            c = utf8::FoldAscii(c);
        }
        return text;
    };
    const std::vector<CardRecord>& cards = Data().cards;
    for (std::size_t i = 0; i < cards.size(); ++i) {
        const std::string name = fold(cards[i].name);
        sqlite3_bind_int64(insert, 1, static_cast<sqlite3_int64>(i));
        sqlite3_bind_text(insert, 2, name.c_str(), static_cast<int>(name.size()), SQLITE_TRANSIENT);
        sqlite3_step(insert);
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    std::vector<std::string> patterns;
    for (const std::string& pattern : Patterns()) {
        patterns.push_back(fold(pattern));
    }
    sqlite3_stmt* query = nullptr;
    sqlite3_prepare_v2(db, "SELECT rowid FROM names WHERE name GLOB ?1 ORDER BY rowid", -1,
                       &query, nullptr);
    std::size_t found = 0;
    for (auto _ : state) {
        found = 0;
        for (const std::string& pattern : patterns) {
            sqlite3_bind_text(query, 1, pattern.c_str(), static_cast<int>(pattern.size()),
                              SQLITE_STATIC);
            while (sqlite3_step(query) == SQLITE_ROW) {
                ++found;
            }
            sqlite3_reset(query);
        }
    }
    sqlite3_finalize(query);
    sqlite3_close(db);
    state.counters["found"] = static_cast<double>(found);
}

void RunPrepare(benchmark::State& state, bool index)
{
    CardMatcher matcher;
    for (auto _ : state) {
        matcher.Prepare(Data().cards, index);
    }
    state.counters["MB"] = static_cast<double>(matcher.MemoryBytes()) / 1e6;
}

// quorvel-lookup started on a price database of the same 100,000 cards, the text on standard
// input; the time is the processor time of the child processes.
void RunProcess(benchmark::State& state, std::string text)
{
    namespace fs = std::filesystem;
    static const fs::path dir = [] {
        const fs::path path = fs::temp_directory_path() /
                              ("bench-lookup-" + std::to_string(::getpid()));
        fs::create_directories(path);
        std::string error;
        if (!sample_catalogue::WritePriceDatabase((path / "mtgo.mdb").string(),
                                                  sample_catalogue::NineSets(), Data().cards,
                                                  &error)) {
            std::fprintf(stderr, "bench_lookup: %s\n", error.c_str());
            std::exit(2);
        }
        fs::copy_file(QUORVEL_SOURCE_DIR "/data/filter.ini", path / "filter.ini");
        return path;
    }();
    std::ofstream(dir / "text.txt") << text;
    const std::string command = "cd '" + dir.string() +
                                "' && '" QUORVEL_BINARY_DIR
                                "/tools/quorvel-lookup/quorvel-lookup' --clipboard "
                                "<text.txt >/dev/null 2>&1";
    for (auto _ : state) {
        rusage before{};
        rusage after{};
        getrusage(RUSAGE_CHILDREN, &before);
        if (std::system(command.c_str()) == -1) {
            state.SkipWithError("cannot run quorvel-lookup");
            return;
        }
        getrusage(RUSAGE_CHILDREN, &after);
        const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
        state.SetIterationTime(seconds(after.ru_utime) - seconds(before.ru_utime) +
                               seconds(after.ru_stime) - seconds(before.ru_stime));
    }
}

void Register(const std::string& name, const Case& c)
{
    benchmark::RegisterBenchmark(("Lookup/100k/" + name).c_str(), RunLookup, c)
        ->Unit(benchmark::kMillisecond)
        ->Repetitions(5)
        ->ReportAggregatesOnly(true);
}

// Keeps the median CPU time of every case for the table after the runs.
class SideBySideReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            if (run.aggregate_name == "median") {
                // A whole process is timed by hand, as the processor time of the children.
                const bool process = run.run_name.function_name.starts_with("Process/");
                m_medians[run.run_name.function_name] =
                    process ? run.GetAdjustedRealTime() : run.GetAdjustedCPUTime();
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }

    void PrintTable(std::size_t patterns) const
    {
        const auto at = [this](const std::string& name) {
            const auto found = m_medians.find(name);
            return found == m_medians.end() ? 0.0 : found->second;
        };
        const double indexed = at("Patterns/indexed");
        const double scan = at("Patterns/scan");
        const double fts5 = at("Patterns/fts5");
        std::printf("\n%zu patterns, CPU time per pattern (median run):\n", patterns);
        std::printf("  indexed matcher  %9.4f ms\n", indexed / patterns);
        std::printf("  scanning matcher %9.4f ms  (%.0fx the indexed)\n", scan / patterns,
                    scan / indexed);
        std::printf("  FTS5 trigram GLOB%9.4f ms  (%.0fx the indexed)\n", fts5 / patterns,
                    fts5 / indexed);
        std::printf("quorvel-lookup, 30-line chat minus one word: %.1f ms\n",
                    at("Process/100k/chat") - at("Process/100k/one-word"));
    }

private:
    std::map<std::string, double> m_medians;
};

}  // namespace

int main(int argc, char** argv)
{
    const Setup& data = Data();
    Register("worked-example/L1", {kWorkedExample, true, 1});
    for (std::size_t i = 0; i < kTradeLines.size(); ++i) {
        char name[64];
        std::snprintf(name, sizeof name, "trade-line-%02zu/L1", i + 1);
        Register(name, {kTradeLines[i], true, 1});
    }
    Register("chat-30-lines/L1", {data.chat, true, 1});
    Register("chat-30-lines-typed/L1", {data.chat, false, 1});
    Register("lightming-bolt/L2", {kTypo, false, 2});
    Register("random-64KiB/L1", {data.randomText, true, 1});
    Register("random-64KiB-typed/L1", {data.randomText, false, 1});
    Register("random-64KiB/L2", {data.randomText, true, 2});
    Register("random-64KiB-typed/L2", {data.randomText, false, 2});
    for (const bool index : {true, false}) {
        benchmark::RegisterBenchmark(index ? "Prepare/100k/with-index" : "Prepare/100k/no-index",
                                     RunPrepare, index)
            ->Unit(benchmark::kMillisecond)
            ->Repetitions(5)
            ->ReportAggregatesOnly(true);
    }
    benchmark::RegisterBenchmark("Patterns/indexed", RunMatcher, true)
        ->Unit(benchmark::kMillisecond)
        ->Repetitions(5)
        ->ReportAggregatesOnly(true);
    benchmark::RegisterBenchmark("Patterns/scan", RunMatcher, false)
        ->Unit(benchmark::kMillisecond)
        ->Repetitions(3)
        ->ReportAggregatesOnly(true);
    benchmark::RegisterBenchmark("Patterns/fts5", RunFts5)
        ->Unit(benchmark::kMillisecond)
        ->Repetitions(3)
        ->ReportAggregatesOnly(true);
    for (const auto& [name, text] : {std::pair<const char*, std::string>{"one-word", kOneWord},
                                     {"chat", data.chat}}) {
        benchmark::RegisterBenchmark((std::string("Process/100k/") + name).c_str(), RunProcess,
                                     text)
            ->UseManualTime()
            ->Iterations(5)
            ->Unit(benchmark::kMillisecond)
            ->Repetitions(3)
            ->ReportAggregatesOnly(true);
    }

    benchmark::Initialize(&argc, argv);
    std::fprintf(stderr, "chat: %zu bytes, random text: %zu bytes, %zu patterns\n",
                 data.chat.size(), data.randomText.size(), Patterns().size());
    SideBySideReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintTable(Patterns().size());
    benchmark::Shutdown();
    return 0;
}
