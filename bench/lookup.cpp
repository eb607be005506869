// The lookup on the sample catalogue (2,117 cards) and on 100,000 cards (the sample cards
// among synthetic ones): the worked example, twenty typical trade lines, the typo
// 'lightming bolt' at match level 2 and a 1 MB clipboard text, each run through the fast
// lookup and through the plain reference of the tests. After the runs a table puts the two
// medians side by side with their ratio.

#include "../tests/lookup/ReferenceLookup.h"

#include "data/SampleCatalogue.h"
#include "lookup/CardLookup.h"
#include "lookup/FilterList.h"
#include "lookup/ShownCardsTable.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
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

struct Setup {
    std::vector<CardRecord> sample;
    std::vector<CardRecord> large;
    FilterList filters;
    std::string megabyte;
};

const Setup& Data()
{
    static const Setup setup = [] {
        Setup s;
        std::vector<CardSet> sets;
        std::string error;
        if (!sample_catalogue::ReadSetsTsv(QUORVEL_SOURCE_DIR "/data/sets-2003.tsv", sets,
                                           s.sample, &error)) {
            std::fprintf(stderr, "bench_lookup: %s\n", error.c_str());
            std::exit(2);
        }
        sample_catalogue::ApplyIllustrativePrices(s.sample, DateTime(2026, 12, 1));
        s.large = sample_catalogue::MakeSyntheticCards(100000 - s.sample.size(), 42);
        for (CardRecord card : s.sample) {
            card.id += 100000;
            s.large.push_back(card);
        }
        s.filters = LoadFilters(QUORVEL_SOURCE_DIR "/data/filter.ini").filters;
        // A long price list, as copied from a web page: real names, quantities and prices.
        std::size_t i = 0;
        while (s.megabyte.size() < (1u << 20)) {
            s.megabyte += std::to_string(i % 4 + 1) + "x " + s.sample[(i * 37) % s.sample.size()].name +
                          " .... " + std::to_string(i % 13) + " tix\n";
            ++i;
        }
        return s;
    }();
    return setup;
}

struct Case {
    std::string text;
    bool fromClipboard;
    int level;
    bool filters;
};

void RunFast(benchmark::State& state, bool large, Case c)
{
    const Setup& data = Data();
    const auto& cards = large ? data.large : data.sample;
    CardLookup lookup(cards);
    lookup.SetFilters(data.filters);
    lookup.Options() = {c.filters, c.level};
    ShownCardsTable shown;
    for (auto _ : state) {
        benchmark::DoNotOptimize(lookup.LookUp(c.text, c.fromClipboard, shown));
    }
    state.counters["cards"] = static_cast<double>(shown.Size());
}

void RunReference(benchmark::State& state, bool large, Case c)
{
    const Setup& data = Data();
    const auto& cards = large ? data.large : data.sample;
    reference::Lookup lookup{cards, data.filters, c.filters, c.level};
    ShownCardsTable shown;
    for (auto _ : state) {
        lookup.LookUp(c.text, c.fromClipboard, shown);
        benchmark::ClobberMemory();
    }
    state.counters["cards"] = static_cast<double>(shown.Size());
}

void BM_Prepare(benchmark::State& state)
{
    const auto& cards = Data().large;
    CardMatcher matcher;
    for (auto _ : state) {
        matcher.Prepare(cards);
    }
    state.counters["bytes"] = static_cast<double>(matcher.MemoryBytes());
}

void Register(const std::string& name, const Case& c, bool referenceToo = true)
{
    for (const bool large : {false, true}) {
        const std::string size = large ? "100k/" : "sample/";
        benchmark::RegisterBenchmark(("Fast/" + size + name).c_str(), RunFast, large, c)
            ->Unit(benchmark::kMillisecond)
            ->Repetitions(5)
            ->ReportAggregatesOnly(true);
        if (referenceToo) {
            auto* reference =
                benchmark::RegisterBenchmark(("Reference/" + size + name).c_str(), RunReference,
                                             large, c)
                    ->Unit(benchmark::kMillisecond)
                    ->Repetitions(3)
                    ->ReportAggregatesOnly(true);
            if (large) {
                reference->Iterations(1)->Repetitions(1);
            }
        }
    }
}

// Keeps the median of every case so the two implementations can be printed side by side.
class SideBySideReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            if (run.aggregate_name == "median") {
                m_medians[run.run_name.function_name] = run.GetAdjustedRealTime();
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }

    void PrintTable() const
    {
        std::printf("\n%-40s %12s %14s %8s\n", "case", "fast (ms)", "reference (ms)", "ratio");
        for (const auto& [name, fast] : m_medians) {
            if (!name.starts_with("Fast/")) {
                continue;
            }
            const std::string rest = name.substr(5);
            const auto reference = m_medians.find("Reference/" + rest);
            if (reference == m_medians.end()) {
                std::printf("%-40s %12.3f\n", rest.c_str(), fast);
                continue;
            }
            std::printf("%-40s %12.3f %14.3f %7.0fx\n", rest.c_str(), fast, reference->second,
                        reference->second / fast);
        }
    }

private:
    std::map<std::string, double> m_medians;
};

}  // namespace

int main(int argc, char** argv)
{
    benchmark::RegisterBenchmark("Prepare/100k", BM_Prepare)->Unit(benchmark::kMillisecond);
    Register("worked-example/L1", {kWorkedExample, false, 1, false});
    for (std::size_t i = 0; i < kTradeLines.size(); ++i) {
        char name[64];
        std::snprintf(name, sizeof name, "trade-line-%02zu/L1", i + 1);
        // Trade lines come from the trade chat through the clipboard.
        Register(name, {kTradeLines[i], true, 1, true});
    }
    Register("lightming-bolt/L2", {kTypo, false, 2, true});
    Register("clipboard-1MB/L1", {Data().megabyte, true, 1, true});
    Register("clipboard-1MB/L2", {Data().megabyte, true, 2, true});

    benchmark::Initialize(&argc, argv);
    SideBySideReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintTable();
    benchmark::Shutdown();
    return 0;
}
