#pragma once

#include <functional>
#include <string>

/// Shrinks MTGJSON's AllPrintings.json (about 450 MB: every card's text, rulings, foreign
/// names...) to the few keys a price import reads, for the cards on the game's servers: a
/// file of the same shape, a few MB, that the daily update imports with each day's prices
/// instead of the whole card file.
class CardFileDigest {
public:
    /// Share of `from` read (0 to 1); false cancels.
    using Progress = std::function<bool(double share)>;

    struct Result {
        bool ok = false;
        bool cancelled = false;
        std::string error;
        std::size_t cards = 0; ///< cards written
    };

    /// Reads `from` and writes `to` (on failure `to` is removed).
    static Result Write(const std::string& from, const std::string& to, const Progress& progress);
};
