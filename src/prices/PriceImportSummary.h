#pragma once

#include <cstdint>
#include <string>
#include <vector>

/// What a price import did (or, in a dry run, would do).
struct PriceImportSummary {
    enum class Outcome {
        Imported,        ///< prices or cards were written (or would be, in a dry run)
        NothingChanged,  ///< the files were read and every price was already as they give it
        NothingImported, ///< the files held no price that could be used
        Cancelled,       ///< stopped by the caller; the database is as it was
        Failed,          ///< an error (see `error`); the database is as it was
    };

    Outcome outcome = Outcome::NothingImported;
    bool dryRun = false;
    std::string error; ///< names the file and the line or byte offset, and what to do

    std::int64_t pricesUpdated = 0; ///< catalogue cards whose values or date changed
    std::int64_t cardsAdded = 0;
    std::int64_t setsAdded = 0;
    std::int64_t keptManual = 0;     ///< cards set by hand whose file price was not applied
    std::int64_t historyWritten = 0; ///< price history days stored
    std::int64_t codesLearnt = 0;    ///< set codes stored for known sets
    std::int64_t idsLearnt = 0;      ///< the game's catalogue ids stored for cards already known
    std::int64_t rowsSkipped = 0;    ///< rows of the files not used (bad price, duplicate, ...)
    std::int64_t notOnGame = 0;      ///< cards of the files without a game id or game price
    std::vector<std::string> skipReasons; ///< the first few skipped rows: "file line 4: why"

    /// True when something was (or would be) written.
    bool Changed() const;

    /// The text shown to the user, for example "12,345 prices updated, 410 cards added in 3
    /// new sets, 17 kept (set by hand), 2 rows skipped: prices.csv line 4: negative price;
    /// ...", "Nothing changed: ..." or the error.
    std::string Text() const;

    /// The exit status of the command: 0 success, 1 nothing could be imported, 2 error.
    int ExitStatus() const;

    /// 12345 -> "12,345".
    static std::string Thousands(std::int64_t value);
};
