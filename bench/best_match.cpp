// What "Best Match First" adds to a copied trade line's lookup on 100,000 cards (the sample
// cards among synthetic ones): the lookup alone (the option off: it stops at 100 cards), the
// lookup with the option on (it reads the whole line and scores every card it finds, keeping
// the 100 best) followed by ordering and cutting the kept cards for the value report and
// reading the offer (quantities, asked prices, the total and the deal check), and that last
// step alone.

#include "data/SampleCatalogue.h"
#include "lookup/BestMatchOrder.h"
#include "lookup/CardLookup.h"
#include "lookup/FilterList.h"
#include "lookup/MatchScorer.h"
#include "lookup/OfferReport.h"
#include "lookup/ShownCardsTable.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

const std::vector<std::string> kLines = {
    "WTS: 4x Wrath of God, 2 Counterspell 3tix",
    "WTB Psychatog 4 tix each, pm me",
    "Selling playsets of Nantuko Shade and Call of the Herd cheap!!",
    "WTT my Rorix Bladewing for your Exalted Angel",
    "anyone going to the prerelease this weekend",
    "I've been running Psychatog in my deck for a month and it's great",
    "[BOT] SELLING: Wrath of God 1.2 | Psychatog 4 | Upheaval 2.5 | Counterspell 0.1 | Duress 0.05",
    "4;Counterspell;7ED;0,35",
    "don't lay waste to your collection by selling it cheap, the price of progress is slow",
};

// The value report's cards and what the offer adds to them.
std::size_t ReadTheOffer(const std::string& line, const std::vector<CardRecord>& reported,
                         const FilterList& filters)
{
    std::vector<std::string> names;
    for (const CardRecord& card : reported) {
        names.push_back(card.name);
    }
    const OfferAdditions additions = MakeOfferAdditions(reported, ReadOffer(line, names, filters));
    return additions.total.size();
}

struct Setup {
    std::vector<CardRecord> cards;
    FilterList filters;
};

const Setup& Data()
{
    static const Setup setup = [] {
        Setup s;
        std::vector<CardSet> sets;
        std::vector<CardRecord> sample;
        if (!sample_catalogue::ReadSetsTsv(QUORVEL_SOURCE_DIR "/data/sets-2003.tsv", sets,
                                           sample)) {
            std::fprintf(stderr, "bench_best_match: cannot read the sample catalogue\n");
            std::exit(2);
        }
        sample_catalogue::ApplyIllustrativePrices(sample, DateTime(2026, 12, 1));
        s.cards = sample_catalogue::MakeSyntheticCards(100000 - sample.size(), 42);
        for (CardRecord card : sample) {
            card.id += 100000;
            s.cards.push_back(card);
        }
        s.filters = LoadFilters(QUORVEL_SOURCE_DIR "/data/filter.ini").filters;
        return s;
    }();
    return setup;
}

void Run(benchmark::State& state, bool score)
{
    const Setup& data = Data();
    CardLookup lookup(data.cards);
    lookup.SetFilters(data.filters);
    lookup.Options().bestMatch = score;
    const std::string& line = kLines[static_cast<std::size_t>(state.range(0))];
    std::size_t found = 0;
    std::size_t reported = 0;
    LookupStats stats;
    for (auto _ : state) {
        ShownCardsTable shown;
        stats = lookup.LookUp(line, true, shown);
        std::vector<CardRecord> cards = shown.CardsInGridOrder();
        found = cards.size();
        if (score) {
            const MatchScorer scorer(line, data.filters, lookup.Options(), true);
            cards = ReportedCards(OrderByMatch(cards, scorer));
            reported = cards.size();
            benchmark::DoNotOptimize(ReadTheOffer(line, cards, data.filters));
        }
        benchmark::DoNotOptimize(cards.data());
    }
    state.SetLabel(std::to_string(found) + (stats.stoppedAtLimit ? " listed of more" : " found") +
                   (score ? ", " + std::to_string(reported) + " reported" : ""));
}

void BM_LookUp(benchmark::State& state)
{
    Run(state, false);
}

void BM_LookUpAndScore(benchmark::State& state)
{
    Run(state, true);
}

// Ordering alone: the cards the line's lookup kept, scored again, ordered and cut for the
// report, as the window and quorvel-lookup --best do after the lookup.
void BM_ScoreOnly(benchmark::State& state)
{
    const Setup& data = Data();
    CardLookup lookup(data.cards);
    lookup.SetFilters(data.filters);
    lookup.Options().bestMatch = true;
    const std::string& line = kLines[static_cast<std::size_t>(state.range(0))];
    ShownCardsTable shown;
    lookup.LookUp(line, true, shown);
    const std::vector<CardRecord> found = shown.CardsInGridOrder();
    for (auto _ : state) {
        const MatchScorer scorer(line, data.filters, lookup.Options(), true);
        std::vector<CardRecord> reported = ReportedCards(OrderByMatch(found, scorer));
        benchmark::DoNotOptimize(ReadTheOffer(line, reported, data.filters));
    }
    state.SetLabel(std::to_string(found.size()) + " found");
}

}  // namespace

BENCHMARK(BM_ScoreOnly)->DenseRange(0, 8)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LookUp)->DenseRange(0, 8)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LookUpAndScore)->DenseRange(0, 8)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
