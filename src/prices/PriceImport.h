#pragma once

#include "prices/PriceImportSummary.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct sqlite3;

/// Choices of one price import.
struct PriceImportOptions {
    bool dryRun = false;          ///< read and compare everything, write nothing
    bool overwriteManual = false; ///< also replace values set by hand (manual_modify = 1)
    std::string date;             ///< "YYYY-MM-DD" for prices a file gives no date; empty: today
    /// Written with the prices, in their transaction, even when no price changed (an update's
    /// record of what it read). False, with the engine's message, fails the whole import.
    std::function<bool(sqlite3* db, std::string& error)> alsoStore;
    /// A JSON file larger than this is read in pieces of a few megabytes (see JsonPieces)
    /// rather than whole, so that memory does not grow with the file.
    std::uint64_t piecesFrom = 64ull << 20;
    /// The size of those pieces.
    std::size_t pieceBytes = 4u << 20;
};

/// Called while importing with the share done (0 to 1), often (at least every few
/// milliseconds of work). Returning false cancels: the database is left as it was.
using PriceImportProgress = std::function<bool(double fraction)>;

/// Reads price files (MTGJSON card and price files, Scryfall default cards, CSV/TSV with a
/// header row; the kind is found from the content) into the price database in one
/// transaction. It opens its own connection to the database file and touches no shared state,
/// so it may run on any thread; a failure, a cancel or a killed process leaves the file exactly
/// as it was.
class PriceImport {
public:
    /// `databasePath` is the price database file (mtgo.mdb); it is never created.
    explicit PriceImport(std::string databasePath);

    PriceImportSummary Run(const std::vector<std::string>& files, const PriceImportOptions& options,
                           const PriceImportProgress& progress = {}) const;

private:
    std::string m_databasePath;
};
