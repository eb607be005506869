// lookup-quality: looks every line of the labelled lookup corpus up as a copied text, with the
// sample catalogue and with 100,000 cards, with "Best Match First" off and on, and prints what
// the value report popup showed as a Markdown table (and, with --misses, the lines that missed).

#include "LookupQuality.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

constexpr const char* kUsage =
    "Usage: lookup-quality [--misses] [CORPUS]\n"
    "\n"
    "Reads CORPUS (default: the corpus of the tests), the sample catalogue and filter.ini\n"
    "of the source tree, and prints the popup figures; exit status 1 when a goal is missed.\n";

void PrintRow(const char* catalogue, const char* mode, const QualityFigures& f)
{
    std::printf("| %s | %s | %.1f %% (%zu/%zu) | %.1f %% (%zu/%zu) | %.1f %% (%zu/%zu) | %.1f |\n",
                catalogue, mode, f.TopThree(), f.namedInTopThree, f.namedLines, f.AllShown(),
                f.fewNamedAllShown, f.fewNamedLines, f.NothingShown(), f.plainNothing,
                f.plainLines,
                f.plainLines == 0 ? 0.0
                                  : static_cast<double>(f.plainCardsShown) /
                                        static_cast<double>(f.plainLines));
}

}  // namespace

int main(int argc, char** argv)
{
    bool misses = false;
    std::string path = QUORVEL_SOURCE_DIR "/tests/lookup/data/best-match-corpus.tsv";
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--misses") == 0) {
            misses = true;
        } else if (std::strcmp(argv[i], "--help") == 0 || argv[i][0] == '-') {
            std::fputs(kUsage, argv[i][2] == 'h' ? stdout : stderr);
            return argv[i][2] == 'h' ? 0 : 2;
        } else {
            path = argv[i];
        }
    }
    std::vector<CorpusLine> corpus;
    std::string error;
    if (!ReadCorpus(path, corpus, error)) {
        std::fprintf(stderr, "lookup-quality: %s\n", error.c_str());
        return 2;
    }
    const std::vector<CardRecord> sample = SampleCards(QUORVEL_SOURCE_DIR "/data/sets-2003.tsv");
    if (sample.empty()) {
        std::fprintf(stderr, "lookup-quality: cannot read the sample catalogue\n");
        return 2;
    }
    const std::vector<CardRecord> large = LargeCatalogue(sample, 100000);
    const FilterList filters = LoadFilters(QUORVEL_SOURCE_DIR "/data/filter.ini").filters;

    std::printf("%zu lines\n\n", corpus.size());
    std::printf("| catalogue | Best Match First | named: a named card in the first three | "
                "named (1-3 cards): all in the first three | no card: \"0 cards found!\" | "
                "no card: cards counted per line |\n|---|---|---|---|---|---|\n");
    bool met = true;
    QualityFigures best;
    QualityFigures sampleOn;
    for (const auto* cards : {&sample, &large}) {
        const char* name = cards == &sample ? "2,117 sample cards" : "100,000 cards";
        PrintRow(name, "off", MeasureQuality(corpus, *cards, filters, false));
        const QualityFigures on = MeasureQuality(corpus, *cards, filters, true);
        PrintRow(name, "on", on);
        const double drop = cards == &sample ? 0.0 : kLargeCatalogueDrop;
        met = met && on.TopThree() >= kTopThreeGoal - drop &&
              on.AllShown() >= kAllShownGoal - drop && on.NothingShown() >= kNothingShownGoal - drop;
        // With 100,000 cards each figure may also fall at most that far below the sample's.
        if (cards == &sample) {
            sampleOn = on;
        } else {
            met = met && on.TopThree() >= sampleOn.TopThree() - drop &&
                  on.AllShown() >= sampleOn.AllShown() - drop &&
                  on.NothingShown() >= sampleOn.NothingShown() - drop;
        }
        if (misses) {
            best = on;
            std::printf("\nMissed with %s:\n", name);
            for (const std::string& line : best.misses) {
                std::printf("  %s\n", line.c_str());
            }
            std::printf("\n");
        }
    }
    return met ? 0 : 1;
}
