#pragma once

#include <cstddef>

/// The options a lookup reads (the main window's option flags).
struct LookupOptions {
    bool userFilter = true;  ///< rewrite every token with the user's word filters
    int matchLevel = 1;      ///< highest match mode tried: 1 normal, 2 "Match Level Low"
};

/// What bounds a clipboard lookup, so that no copied text can hold the program up; typed
/// searches are never bounded.
struct ClipboardLimits {
    std::size_t maxChars = 4000;    ///< characters of the copied text that are read
    std::size_t maxPatterns = 500;  ///< patterns tested, over all tokens
};

/// What a lookup did, for the caller's information.
struct LookupStats {
    std::size_t patterns = 0;     ///< patterns built and tested
    std::size_t cardsAdded = 0;   ///< cards the sink accepted
    bool textCut = false;         ///< the clipboard text was longer than maxChars
    bool stoppedAtLimit = false;  ///< the clipboard card limit or pattern limit ended it
};
