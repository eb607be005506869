// quorvel-import: reads public price files into the price database (mtgo.mdb of the working
// directory, as the program and quorvel-lookup use it) and prints what changed.

#include "lookup/Utf8.h"
#include "prices/PriceImport.h"

#include "QuorvelVersion.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kError = 2;
constexpr const char* kPriceDatabase = "./mtgo.mdb";

constexpr const char* kUsage =
    "Usage: quorvel-import [--dry-run] [--overwrite-manual] [--date YYYY-MM-DD] FILE...\n"
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
    "  --dry-run            report what would change, write nothing\n"
    "  --overwrite-manual   also replace prices set by hand\n"
    "  --date YYYY-MM-DD    the date of prices the file gives none (default: today)\n"
    "  --help               show this text\n"
    "  --version            show the version\n"
    "\n"
    "Exit status: 0 prices imported (or already up to date), 1 nothing could be imported,\n"
    "2 error (nothing changed).\n";

} // namespace

int main(int argc, char** argv)
{
    PriceImportOptions options;
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
    return status;
}
