// quorvel-import: reads public price files into the price database (mtgo.mdb of the working
// directory, as the program and quorvel-lookup use it) and prints what changed.

#include "data/PriceMovers.h"
#include "lookup/Utf8.h"
#include "prices/PriceImport.h"
#include "update/PriceUpdate.h"

#include "QuorvelVersion.h"

#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <sqlite3.h>
#include <unistd.h>

namespace {

constexpr int kError = 2;
constexpr const char* kPriceDatabase = "./mtgo.mdb";

constexpr const char* kUsage =
    "Usage: quorvel-import [--dry-run] [--overwrite-manual] [--date YYYY-MM-DD] FILE...\n"
    "       quorvel-import --update [--source mtgjson|scryfall] [--url BASE] [--offline]\n"
    "                      [--movers N]\n"
    "\n"
    "--update brings the prices up to date from the public files: it downloads what changed\n"
    "since the last update (MTGJSON by default: Meta.json, then AllPricesToday.json.xz, and\n"
    "AllPrintings.json.xz only when the card data changed; Scryfall: its \"Default Cards\"),\n"
    "checks each file, keeps it in ~/.cache/quorvel and imports it:\n"
    "  --source NAME        mtgjson (default) or scryfall\n"
    "  --url BASE           another address of the same files (a mirror, a local copy)\n"
    "  --offline            import again what the cache holds, without the network\n"
    "SSL_CERT_FILE names a certificate file trusted besides the system's; proxies come from\n"
    "http_proxy, https_proxy and no_proxy.\n"
    "\n"
    "Reads the prices of FILE... into mtgo.mdb of the working directory, in one step: an\n"
    "error or a cancel leaves the database as it was. The kind of each file is found from its\n"
    "content:\n"
    "  MTGJSON      a card file (AllPrintings.json, a set file such as 7ED.json, or\n"
    "               AllIdentifiers.json) together with a price file (AllPricesToday.json or\n"
    "               AllPrices.json, whose every day goes into the price history)\n"
    "  Scryfall     the bulk data \"Default Cards\" (the regular price in tix)\n"
    "  CSV or TSV   a header row naming the columns name, set, number, rarity, regular, foil\n"
    "               and optionally date; comma, semicolon or tab separated\n"
    "\n"
    "Cards are matched by set and collector number, else by set and name; cards and sets not\n"
    "in the database are added. Prices set by hand (Correct Price) are kept.\n"
    "\n"
    "  --movers N           then print the N largest risers and fallers of the latest day\n"
    "                       (regular and foil), against each card's previous price\n"
    "  --dry-run            report what would change, write nothing\n"
    "  --overwrite-manual   also replace prices set by hand\n"
    "  --date YYYY-MM-DD    the date of prices the file gives none (default: today)\n"
    "  --help               show this text\n"
    "  --version            show the version\n"
    "\n"
    "Exit status: 0 prices imported (or already up to date), 1 nothing could be imported,\n"
    "2 error (nothing changed).\n";

std::atomic<bool> g_interrupted{false};

void OnInterrupt(int)
{
    g_interrupted = true;
}

// Shows the step and the bytes on a terminal, on one line that keeps being rewritten.
bool ShowProgress(const UpdateStatus& status)
{
    if (g_interrupted) {
        return false;
    }
    if (isatty(fileno(stderr)) == 0) {
        return true;
    }
    std::string line = status.step;
    if (status.total > 0) {
        line += ": " + PriceUpdate::Size(status.done) + " of " + PriceUpdate::Size(status.total);
    } else if (status.done > 0) {
        line += ": " + PriceUpdate::Size(status.done);
    } else if (status.fraction >= 0) {
        line += ": " + std::to_string(static_cast<int>(status.fraction * 100)) + " %";
    }
    if (status.bytesPerSecond > 0) {
        line += ", " + PriceUpdate::Size(static_cast<std::uint64_t>(status.bytesPerSecond)) + "/s";
    }
    if (status.secondsLeft >= 0) {
        line += ", " + std::to_string(static_cast<long>(status.secondsLeft + 0.5)) + " s left";
    }
    std::fprintf(stderr, "\r%-78.78s", line.c_str());
    return true;
}

int Update(const PriceUpdateOptions& options)
{
    std::signal(SIGINT, OnInterrupt);
    std::signal(SIGTERM, OnInterrupt);
    const PriceUpdateResult result = PriceUpdate(kPriceDatabase, options).Run(ShowProgress);
    if (isatty(fileno(stderr)) != 0) {
        std::fprintf(stderr, "\r%-78s\r", "");
    }
    // Messages may quote what a server sent: never to the terminal as it is.
    for (const std::string& line : result.fetched) {
        std::printf("Fetched %s\n", utf8::Printable(line, true).c_str());
    }
    if (result.imported && result.summary.outcome != PriceImportSummary::Outcome::Failed) {
        std::printf("%s\n", utf8::Printable(result.summary.Text(), true).c_str());
    }
    const int status = result.ExitStatus();
    std::fprintf(status == kError ? stderr : stdout, "%s%s\n",
                 status == kError ? "quorvel-import: " : "",
                 utf8::Printable(result.Closing(), true).c_str());
    return status;
}

// The largest moves of the latest day of the price history.
void PrintMovers(long count)
{
    sqlite3* db = nullptr;
    PriceMovers movers;
    std::string error;
    if (sqlite3_open_v2(kPriceDatabase, &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK ||
        !PriceMovers::Read(db, static_cast<std::size_t>(count), movers, &error)) {
        std::fprintf(stderr, "quorvel-import: %s\n",
                     error.empty() ? sqlite3_errmsg(db) : error.c_str());
    } else if (!movers.day.empty()) {
        std::fputs(movers.Text().c_str(), stdout);
    }
    sqlite3_close(db);
}

} // namespace

int main(int argc, char** argv)
{
    PriceImportOptions options;
    PriceUpdateOptions update;
    bool updating = false;
    long movers = 0;
    std::vector<std::string> files;
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (optionsEnded || !arg.starts_with("-") || arg == "-") {
            files.push_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        } else if (arg == "--version") {
            std::printf("quorvel-import (Quorvel) %s\n", quorvel_version::kText);
            return 0;
        } else if (arg == "--update") {
            updating = true;
        } else if (arg == "--offline") {
            update.offline = true;
        } else if (arg == "--source" || arg == "--url") {
            if (i + 1 >= argc) {
                std::fprintf(stderr, "quorvel-import: %s needs a value (see --help)\n",
                             arg.c_str());
                return kError;
            }
            (arg == "--source" ? update.source : update.baseUrl) = argv[++i];
        } else if (arg == "--movers") {
            char* end = nullptr;
            movers = i + 1 < argc ? std::strtol(argv[i + 1], &end, 10) : 0;
            if (movers <= 0 || end == nullptr || *end != '\0') {
                std::fputs("quorvel-import: --movers needs a count above 0 (see --help)\n", stderr);
                return kError;
            }
            ++i;
        } else if (arg == "--dry-run") {
            options.dryRun = true;
        } else if (arg == "--overwrite-manual") {
            options.overwriteManual = true;
        } else if (arg == "--date" || arg.starts_with("--date=")) {
            if (arg == "--date") {
                if (i + 1 >= argc) {
                    std::fputs("quorvel-import: --date needs a day, YYYY-MM-DD\n", stderr);
                    return kError;
                }
                options.date = argv[++i];
            } else {
                options.date = arg.substr(7);
            }
        } else {
            std::fprintf(stderr, "quorvel-import: unknown option %s (see --help)\n", arg.c_str());
            return kError;
        }
    }
    if (updating) {
        if (!files.empty() || options.dryRun || !options.date.empty()) {
            std::fputs(
                "quorvel-import: --update takes no files, --dry-run or --date (see --help)\n",
                stderr);
            return kError;
        }
        if (update.source != "mtgjson" && update.source != "scryfall") {
            std::fprintf(stderr, "quorvel-import: unknown source %s: choose mtgjson or scryfall\n",
                         update.source.c_str());
            return kError;
        }
        if (const char* certificates = std::getenv("SSL_CERT_FILE")) {
            update.http.extraCaFile = certificates;
        }
        update.overwriteManual = options.overwriteManual;
        const int status = Update(update);
        if (movers > 0 && status != kError) {
            PrintMovers(movers);
        }
        return status;
    }
    if (update.offline || update.source != "mtgjson" || !update.baseUrl.empty()) {
        std::fputs("quorvel-import: --source, --url and --offline go with --update\n", stderr);
        return kError;
    }
    if (files.empty()) {
        std::fputs("quorvel-import: no price file given (see --help)\n", stderr);
        return kError;
    }
    const PriceImportSummary summary = PriceImport(kPriceDatabase).Run(files, options);
    const int status = summary.ExitStatus();
    // Messages quote what a file holds (a header row, a price): a binary file or escape
    // sequences in it must not reach the terminal as they are.
    const std::string text = utf8::Printable(summary.Text(), true);
    std::fprintf(status == kError ? stderr : stdout, "%s%s\n",
                 status == kError ? "quorvel-import: " : "", text.c_str());
    if (movers > 0 && status != kError && !options.dryRun) {
        PrintMovers(movers);
    }
    return status;
}
