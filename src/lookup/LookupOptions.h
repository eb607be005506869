#pragma once

#include <chrono>
#include <cstddef>

/// The options a lookup reads (the main window's option flags).
struct LookupOptions {
    bool userFilter = true;  ///< rewrite every token with the user's word filters
    int matchLevel = 1;      ///< highest match mode tried: 1 normal, 2 "Match Level Low"
    /// "Best Match First": a clipboard lookup reads the whole text and keeps the 100 cards of
    /// all it finds that match it best, instead of the first 100 found.
    bool bestMatch = false;
};

/// What bounds a clipboard lookup besides its 100 cards, so that no copied text can hold the
/// program up; typed searches are never bounded. Ordinary texts meet neither bound.
struct ClipboardLimits {
    std::size_t maxChars = 65536;               ///< characters of the copied text that are read
    std::chrono::milliseconds budget{250};      ///< processor time the lookup may spend
};

/// What a lookup did, for the caller's information.
struct LookupStats {
    std::size_t patterns = 0;     ///< patterns tested against the names
    std::size_t cardsAdded = 0;   ///< cards the sink accepted
    bool textCut = false;         ///< the clipboard text was longer than maxChars
    bool stoppedAtLimit = false;  ///< the clipboard lookup ended at its 100 cards (with
                                  ///< bestMatch: found more and kept the 100 best)
    bool outOfTime = false;       ///< the clipboard lookup ended when its budget was spent
    bool filtersCut = false;      ///< the word filters would have lengthened a token beyond
                                  ///< their bound (kFilterGrowthLimit) and were cut there
};
