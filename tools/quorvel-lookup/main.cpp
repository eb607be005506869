// quorvel-lookup: looks card names up in the price database without the window, for scripts
// and quick price checks. It reads mtgo.mdb and filter.ini from the working directory, as the
// program does, and prints the cards found or the value report.

#include "data/CADOConnection.h"
#include "data/CADODataBase.h"
#include "data/CardCatalogue.h"
#include "data/PriceText.h"
#include "lookup/BestMatchOrder.h"
#include "lookup/CardLookup.h"
#include "lookup/FilterList.h"
#include "lookup/MatchScorer.h"
#include "lookup/ShownCardsTable.h"
#include "lookup/TextCleaning.h"
#include "lookup/Utf8.h"
#include "lookup/ValueReport.h"

#include "QuorvelVersion.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

namespace {

constexpr int kFound = 0;
constexpr int kNothingFound = 1;
constexpr int kError = 2;

constexpr const char* kPriceDatabase = "Data Source=.\\mtgo.mdb;";
constexpr const char* kProvider = "Microsoft.JET.OLEDB.4.0";

constexpr const char* kUsage =
    "Usage: quorvel-lookup [--clipboard] [--level 1|2] [--no-filters] [--best] [--report]\n"
    "                      [--] [TEXT ...]\n"
    "\n"
    "Looks TEXT up like the search box of Quorvel (the arguments joined with one space; with\n"
    "no TEXT, all of standard input) in mtgo.mdb of the working directory, with the word\n"
    "filters of filter.ini there.\n"
    "\n"
    "  --clipboard   look up as a copied text: at most 100 cards, names of two letters or\n"
    "                fewer find nothing, the text is read up to its first 65,536 characters\n"
    "                and the lookup stops after 250 ms of work (a cut is told on standard\n"
    "                error, or as the last line of the report)\n"
    "  --level 2     also try one-letter wildcards (\"Match Level Low\"); default 1\n"
    "  --no-filters  do not apply the word filters\n"
    "  --best        Best Match First: list the cards by match score, best first, with the\n"
    "                score as a last field; the report keeps only those scoring at least %d\n"
    "                (with --clipboard: the 100 best of all the text finds are listed)\n"
    "  --report      print the value report the popup would show instead of the list\n"
    "  -h, --help    show this text\n"
    "  --version     show the version\n"
    "  --            the rest is TEXT, even where it starts with a dash\n"
    "\n"
    "Prints one line per card, most valuable first, tab-separated: card id, name, set name,\n"
    "rarity, regular value, foil value. Exit status: 0 cards found (listed in the report\n"
    "with --best --report), 1 none found, 2 error.\n"
    "Quorvel started from the menu keeps its mtgo.mdb in ~/.local/share/quorvel.\n";

struct Options {
    bool fromClipboard = false;
    int level = 1;
    bool filters = true;
    bool report = false;
    bool best = false;
    bool help = false;
    bool version = false;
    bool haveText = false;
    std::string text;
};

// "-h" and "--level" are options; "-" alone, "-5" or "- Shock" are text. Text that starts
// like an option follows "--".
bool IsOption(const std::string& arg)
{
    return arg.size() > 1 && arg[0] == '-' &&
           (arg[1] == '-' || std::isalpha(static_cast<unsigned char>(arg[1])));
}

bool ParseOptions(int argc, char** argv, Options& options, std::string& error)
{
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (!optionsEnded && IsOption(arg)) {
            if (arg == "--") {
                optionsEnded = true;
            } else if (arg == "--clipboard") {
                options.fromClipboard = true;
            } else if (arg == "--no-filters") {
                options.filters = false;
            } else if (arg == "--best") {
                options.best = true;
            } else if (arg == "--report") {
                options.report = true;
            } else if (arg == "--help" || arg == "-h") {
                options.help = true;
            } else if (arg == "--version") {
                options.version = true;
            } else if (arg == "--level" || arg.starts_with("--level=")) {
                std::string value;
                if (arg == "--level") {
                    if (i + 1 >= argc) {
                        error = "--level needs a value, 1 or 2";
                        return false;
                    }
                    value = argv[++i];
                } else {
                    value = arg.substr(8);
                }
                if (value != "1" && value != "2") {
                    error = "--level must be 1 or 2, not '" + value + "'";
                    return false;
                }
                options.level = value == "2" ? 2 : 1;
            } else {
                error = "unknown option '" + arg + "'";
                return false;
            }
            continue;
        }
        if (options.haveText) {
            options.text += ' ';
        }
        options.text += arg;
        options.haveText = true;
    }
    return true;
}

// A tab or line break inside a name would break the line-per-card output; any other control
// character (a price file's escape sequences) or broken UTF-8 must not reach a terminal.
std::string Field(const std::string& text)
{
    std::string field = text;
    for (char& c : field) {
        if (c == '\t' || c == '\n' || c == '\r') {
            c = ' ';
        }
    }
    return utf8::Printable(field, false);
}

// Texts of several lines (the report, messages that quote the database or filter.ini).
std::string Lines(const std::string& text)
{
    return utf8::Printable(text, true);
}

std::string Usage()
{
    char text[4096];
    std::snprintf(text, sizeof text, kUsage, MatchScorer::kReportThreshold);
    return text;
}

// The folder the menu entry's launcher gives Quorvel, where a user's mtgo.mdb usually is.
std::string LauncherDataFolder()
{
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    if (dataHome && *dataHome) {
        return std::string(dataHome) + "/quorvel";
    }
    return "~/.local/share/quorvel";
}

void ExplainWhereItLooked()
{
    std::error_code ec;
    const std::filesystem::path looked = std::filesystem::current_path(ec) / "mtgo.mdb";
    std::cerr << "quorvel-lookup: looked for " << (ec ? "./mtgo.mdb" : Lines(looked.string()))
              << "\n";
    if (!ec && !std::filesystem::exists(looked, ec)) {
        std::cerr << "Run quorvel-lookup in the folder that holds mtgo.mdb: Quorvel started from "
                     "the menu keeps it in "
                  << LauncherDataFolder() << " (or make one with makedb --out DIR).\n";
    }
}

}  // namespace

int main(int argc, char** argv)
{
    Options options;
    std::string error;
    if (!ParseOptions(argc, argv, options, error)) {
        std::cerr << "quorvel-lookup: " << Lines(error) << " (see --help)\n";
        return kError;
    }
    if (options.help) {
        std::cout << Usage();
        return kFound;
    }
    if (options.version) {
        std::cout << "quorvel-lookup (Quorvel) " << quorvel_version::kText << "\n";
        return kFound;
    }
    if (!options.haveText) {
        options.text.assign(std::istreambuf_iterator<char>(std::cin),
                            std::istreambuf_iterator<char>());
    }

    CADODataBase database;
    database.GetActiveConnection()->SetProvider(kProvider);
    if (!database.Open(kPriceDatabase)) {
        std::cerr << "quorvel-lookup: cannot open the price database mtgo.mdb in the working "
                     "directory.\n"
                  << Lines(database.GetLastErrorText()) << "\n";
        ExplainWhereItLooked();
        return kError;
    }
    CardCatalogue catalogue;
    if (!catalogue.LoadCatalogue(database, &error, true)) {
        std::cerr << "quorvel-lookup: cannot read the price database mtgo.mdb.\n"
                  << Lines(error) << "\n";
        ExplainWhereItLooked();
        return kError;
    }
    database.Close();

    const FilterLoadResult filters = LoadFilters(kFilterFileName);
    for (const std::string& message : filters.errors) {
        std::cerr << "quorvel-lookup: " << Lines(message) << "\n";
    }

    CardLookup lookup;
    // One lookup: a pass over the names costs less than indexing them first.
    lookup.Prepare(catalogue.Cards(), false);
    lookup.SetFilters(filters.filters);
    lookup.Options().userFilter = options.filters;
    lookup.Options().matchLevel = options.level;
    lookup.Options().bestMatch = options.best;
    ShownCardsTable shown;
    const LookupStats stats = lookup.LookUp(TrimBlanks(options.text), options.fromClipboard, shown);
    const std::string cutNote = LookupCutNote(stats, lookup.Limits());

    std::vector<ScoredCard> listed;
    for (CardRecord& card : shown.CardsInGridOrder()) {
        listed.push_back(ScoredCard{std::move(card), 0});
    }
    if (options.best) {
        std::vector<CardRecord> cards;
        for (ScoredCard& scored : listed) {
            cards.push_back(std::move(scored.card));
        }
        const MatchScorer scorer(TrimBlanks(options.text), filters.filters, lookup.Options(),
                                 options.fromClipboard, lookup.Limits());
        listed = OrderByMatch(cards, scorer);
    }
    std::size_t found = listed.size();
    if (options.report) {
        std::vector<CardRecord> reported;
        if (options.best) {
            reported = ReportedCards(listed);
        } else {
            for (const ScoredCard& scored : listed) {
                reported.push_back(scored.card);
            }
        }
        found = reported.size();
        std::cout << Lines(BuildValueReport(
            reported.size(), reported,
            [&catalogue](std::int32_t id) { return catalogue.SetName(id); }, cutNote));
    } else {
        for (const ScoredCard& scored : listed) {
            const CardRecord& card = scored.card;
            std::cout << card.id << '\t' << Field(card.name) << '\t'
                      << Field(catalogue.SetName(card.expansion)) << '\t'
                      << RarityWord(card.rarity) << '\t' << PriceText(card.reg_value) << '\t'
                      << PriceText(card.foil_value);
            if (options.best) {
                std::cout << '\t' << scored.rank.score;
            }
            std::cout << '\n';
        }
        if (!cutNote.empty()) {
            std::cerr << "quorvel-lookup: " << Lines(cutNote) << "\n";
        }
    }
    std::cout.flush();
    if (!std::cout) {
        std::cerr << "quorvel-lookup: cannot write the output\n";
        return kError;
    }
    return found == 0 ? kNothingFound : kFound;
}
