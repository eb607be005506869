// quorvel-lookup: looks card names up in the price database without the window, for scripts
// and quick price checks. It reads mtgo.mdb and filter.ini from the working directory, as the
// program does, and prints the cards found or the value report.

#include "data/CADOConnection.h"
#include "data/CADODataBase.h"
#include "data/CardCatalogue.h"
#include "data/GameCatalogueIds.h"
#include "data/PriceHistory.h"
#include "data/PriceText.h"
#include "data/SamplePriceMarks.h"
#include "decks/CollectionImport.h"
#include "decks/CopiedDeckText.h"
#include "decks/DeckCost.h"
#include "decks/DeckCostText.h"
#include "decks/DeckFileReader.h"
#include "lookup/BestMatchOrder.h"
#include "lookup/CardLookup.h"
#include "lookup/FilterList.h"
#include "lookup/MatchScorer.h"
#include "lookup/OfferReport.h"
#include "lookup/ShownCardsTable.h"
#include "lookup/TextCleaning.h"
#include "lookup/Utf8.h"
#include "lookup/ValueReport.h"

#include "QuorvelVersion.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace {

constexpr int kFound = 0;
constexpr int kNothingFound = 1;
constexpr int kError = 2;

constexpr const char* kPriceDatabase = "Data Source=.\\mtgo.mdb;";
constexpr const char* kProvider = "Microsoft.JET.OLEDB.4.0";

constexpr const char* kUsage =
    "Usage: quorvel-lookup [--clipboard] [--level 1|2] [--no-filters] [--best] [--report]\n"
    "                      [--buylist] [--] [TEXT ...]\n"
    "       quorvel-lookup --deck FILE|- [--tsv]\n"
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
    "  --buylist     also list what the store's bots pay for each card (its latest buylist\n"
    "                price, regular and foil, from imported MTGJSON prices; - when unknown)\n"
    "  --deck FILE   price a deck (a .dek file, a deck text or a collection .csv; - reads\n"
    "                standard input): each line's version, value, copies owned (collection.mdb\n"
    "                of the working directory, when there is one), copies missing and their\n"
    "                cost, then the totals; lines naming no card go to standard error\n"
    "  --tsv         with --deck: tab-separated, with a header row\n"
    "  -h, --help    show this text\n"
    "  --version     show the version\n"
    "  --            the rest is TEXT, even where it starts with a dash\n"
    "\n"
    "Prints one line per card, most valuable first, tab-separated: card id, name, set name,\n"
    "rarity, regular value, foil value (then, with --buylist, the buylist prices); a made-up\n"
    "sample value is followed by \"*\", with a footnote (on standard error, or at the end of\n"
    "the report). Exit status: 0 cards found (listed in the report with --best --report), 1\n"
    "none found, 2 error. With --deck: 0 every line priced, 1 a line could not be priced\n"
    "(named on standard error), 2 error.\n"
    "Quorvel started from the menu keeps its mtgo.mdb in ~/.local/share/quorvel.\n";

struct Options {
    bool fromClipboard = false;
    int level = 1;
    bool filters = true;
    bool report = false;
    bool best = false;
    bool buylist = false;
    bool help = false;
    bool version = false;
    bool haveText = false;
    std::string text;
    bool haveDeck = false;
    std::string deck;
    bool tsv = false;
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
            } else if (arg == "--buylist") {
                options.buylist = true;
            } else if (arg == "--tsv") {
                options.tsv = true;
            } else if (arg == "--deck" || arg.starts_with("--deck=")) {
                if (arg == "--deck" && i + 1 >= argc) {
                    error = "--deck needs a file name, or - for standard input";
                    return false;
                }
                options.deck = arg == "--deck" ? argv[++i] : arg.substr(7);
                options.haveDeck = true;
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

// Prices a deck file against the full catalogue and the collection of the working directory.
int RunDeck(const Options& options, CADODataBase& database)
{
    CardCatalogue catalogue;
    std::string error;
    GameCatalogueIds ids;
    if (!catalogue.LoadCatalogue(database, &error) ||
        !ids.Load(database.GetActiveConnection()->Handle(), &error)) {
        std::cerr << "quorvel-lookup: cannot read the price database mtgo.mdb.\n" << error << "\n";
        return kError;
    }
    DeckFile file;
    if (options.deck == "-") {
        const std::string bytes{std::istreambuf_iterator<char>(std::cin),
                                std::istreambuf_iterator<char>()};
        file = DeckFileReader::ReadBytes(bytes);
    } else {
        file = DeckFileReader::ReadFile(options.deck);
    }
    const std::string shownName = options.deck == "-" ? "standard input" : options.deck;
    if (file.Failed()) {
        std::cerr << "quorvel-lookup: " << shownName << ": " << file.error << "\n";
        return kError;
    }
    OwnedCounts owned;
    std::error_code ec;
    if (std::filesystem::exists("collection.mdb", ec)) {
        CADODataBase collection;
        collection.GetActiveConnection()->SetProvider(kProvider);
        if (!collection.Open("Data Source=.\\collection.mdb;") ||
            !LoadOwnedCounts(collection, owned, &error)) {
            std::cerr << "quorvel-lookup: cannot read collection.mdb: "
                      << (error.empty() ? collection.GetLastErrorText() : error) << "\n";
            return kError;
        }
    } else {
        std::cerr << "quorvel-lookup: no collection.mdb in the working directory; every copy "
                     "counts as missing\n";
    }
    const DeckCatalogueIndex index(catalogue, ids);
    const DeckCost cost = DeckCostCalculator(index, owned).Price(file);
    std::vector<std::string> setCodes;
    for (const DeckCostRow& row : cost.rows) {
        setCodes.push_back(index.SetCode(row.cardKey));
    }
    std::cout << deck_cost_text::Table(cost, setCodes, options.tsv);
    std::cout.flush();
    for (const DeckUnmatched& unmatched : cost.unmatched) {
        std::cerr << "quorvel-lookup: " << shownName << ": not priced: "
                  << deck_cost_text::UnmatchedLine(unmatched) << "\n";
    }
    if (!std::cout) {
        std::cerr << "quorvel-lookup: cannot write the output\n";
        return kError;
    }
    return cost.unmatched.empty() ? kFound : kNothingFound;
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
    if (options.haveDeck && (options.haveText || options.fromClipboard || options.report ||
                             options.best)) {
        std::cerr << "quorvel-lookup: --deck takes no TEXT and no lookup options (see --help)\n";
        return kError;
    }
    if (options.buylist && (options.haveDeck || options.report)) {
        std::cerr << "quorvel-lookup: --buylist goes with the list of cards, not with --deck or "
                     "--report (see --help)\n";
        return kError;
    }
    if (options.tsv && !options.haveDeck) {
        std::cerr << "quorvel-lookup: --tsv goes with --deck (see --help)\n";
        return kError;
    }
    if (!options.haveText && !options.haveDeck) {
        options.text.assign(std::istreambuf_iterator<char>(std::cin),
                            std::istreambuf_iterator<char>());
    }
    if (options.fromClipboard) {
        // A copied piece of a deck or collection file is looked up by the names it holds.
        options.text = copied_deck::LookupText(options.text);
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
    if (options.haveDeck) {
        return RunDeck(options, database);
    }
    CardCatalogue catalogue;
    if (!catalogue.LoadCatalogue(database, &error, true)) {
        std::cerr << "quorvel-lookup: cannot read the price database mtgo.mdb.\n"
                  << Lines(error) << "\n";
        ExplainWhereItLooked();
        return kError;
    }
    std::unordered_map<std::int32_t, price_history::Buylist> buylists;
    if (options.buylist &&
        !price_history::ReadBuylists(database.GetActiveConnection()->Handle(), buylists, &error)) {
        std::cerr << "quorvel-lookup: " << Lines(error) << "\n";
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
        // Best Match First reads the quantities and asked prices of the offer, as the popup.
        std::optional<OfferAdditions> additions;
        if (options.best) {
            std::vector<std::string> names;
            for (const CardRecord& card : reported) {
                names.push_back(card.name);
            }
            additions = MakeOfferAdditions(
                reported, ReadOffer(TrimBlanks(options.text), names, filters.filters));
        }
        std::cout << Lines(BuildValueReport(
            reported.size(), reported,
            [&catalogue](std::int32_t id) { return catalogue.SetName(id); }, cutNote,
            additions ? &*additions : nullptr, true));
        const std::size_t inReport = std::min(reported.size(), kReportedCards);
        if (std::any_of(reported.begin(), reported.begin() + std::ptrdiff_t(inReport),
                        [](const CardRecord& card) { return card.sample_price; })) {
            std::cout << "\n" << sample_price_marks::kFootnote << "\n";
        }
    } else {
        bool marked = false;
        for (const ScoredCard& scored : listed) {
            const CardRecord& card = scored.card;
            const char* mark = card.sample_price ? "*" : "";
            marked = marked || card.sample_price;
            std::cout << card.id << '\t' << Field(card.name) << '\t'
                      << Field(catalogue.SetName(card.expansion)) << '\t'
                      << RarityWord(card.rarity) << '\t' << PriceText(card.reg_value) << mark
                      << '\t' << PriceText(card.foil_value) << mark;
            if (options.buylist) {
                const auto found = buylists.find(card.id);
                const price_history::Buylist buylist =
                    found != buylists.end() ? found->second : price_history::Buylist();
                for (const std::optional<double>& value : {buylist.regular, buylist.foil}) {
                    std::cout << '\t' << (value ? PriceText(*value) : "-");
                }
            }
            if (options.best) {
                std::cout << '\t' << scored.rank.score;
            }
            std::cout << '\n';
        }
        if (!cutNote.empty()) {
            std::cerr << "quorvel-lookup: " << Lines(cutNote) << "\n";
        }
        // Beside the cut note: standard output keeps one line per card for scripts.
        if (marked) {
            std::cerr << sample_price_marks::kFootnote << "\n";
        }
    }
    std::cout.flush();
    if (!std::cout) {
        std::cerr << "quorvel-lookup: cannot write the output\n";
        return kError;
    }
    return found == 0 ? kNothingFound : kFound;
}
