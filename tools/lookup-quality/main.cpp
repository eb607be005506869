// lookup-quality: looks every line of the labelled lookup corpus up as a copied text, in the
// sample catalogue, the real printings list and both padded to 100,000 cards, with "Best Match
// First" off and on, and prints what the value report popup showed as a Markdown table (and,
// with --misses, the lines that missed).

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
                f.fewNamedAllShown, f.fewNamedLines, f.NothingShown(), f.plainNothing, f.plainLines,
                f.plainLines == 0
                    ? 0.0
                    : static_cast<double>(f.plainCardsShown) / static_cast<double>(f.plainLines));
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
    const std::vector<QualityCatalogue> catalogues = QualityCatalogues(QUORVEL_SOURCE_DIR);
    if (catalogues.empty()) {
        std::fprintf(stderr, "lookup-quality: cannot read the sample or the real card list\n");
        return 2;
    }
    const FilterList filters = LoadFilters(QUORVEL_SOURCE_DIR "/data/filter.ini").filters;

    std::printf("%zu lines\n\n", corpus.size());
    std::printf("| catalogue | Best Match First | named: a named card in the first three | "
                "named (1-3 cards): all in the first three | no card: \"0 cards found!\" | "
                "no card: cards counted per line |\n|---|---|---|---|---|---|\n");
    bool met = true;
    std::vector<QualityFigures> on;
    for (const QualityCatalogue& catalogue : catalogues) {
        PrintRow(catalogue.title.c_str(), "off", MeasureQuality(corpus, catalogue, filters, false));
        on.push_back(MeasureQuality(corpus, catalogue, filters, true));
        PrintRow(catalogue.title.c_str(), "on", on.back());
        met = met && MeetsGoals(on.back());
    }
    // A catalogue padded to 100,000 cards stays within five points of the one it pads.
    for (std::size_t i = 1; i < on.size(); i += 2) {
        met = met && StaysNear(on[i], on[i - 1]);
        }
    const PriceFigures prices = MeasurePrices(corpus, filters);
    std::printf("\nAsked prices read right: %.1f %% (%zu/%zu lines stating one); invented on "
                "%zu of %zu naming lines stating none\n",
                prices.RightShare(), prices.readRight, prices.statingLines, prices.invented,
                prices.silentLines);
    met = met && prices.RightShare() >= kPricesReadGoal && prices.invented == 0;
        if (misses) {
        std::printf("\nPrices read wrong:\n");
        for (const std::string& line : prices.misses) {
            std::printf("  %s\n", line.c_str());
        }
        for (std::size_t i = 0; i < on.size(); ++i) {
            std::printf("\nMissed with %s:\n", catalogues[i].title.c_str());
            for (const std::string& line : on[i].misses) {
                std::printf("  %s\n", line.c_str());
            }
        }
        std::printf("\n");
    }
    return met ? 0 : 1;
}
