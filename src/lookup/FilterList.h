#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

class IniReader;

/// One user word filter: a whole word of a token and what takes its place.
struct FilterEntry {
    std::string word;         ///< trimmed, lower case; never holds "*", "?" or ","
    std::string replacement;  ///< trimmed; a first character "*" deletes the word
};

/// The user's word filters in file order.
using FilterList = std::vector<FilterEntry>;

/// What loading the filter file gave: the filters and one message per refused entry.
struct FilterLoadResult {
    FilterList filters;
    std::vector<std::string> errors;  ///< "filter f3 contain invalidate char!"
};

/// Name of the filter file, read from the working directory.
inline constexpr const char* kFilterFileName = "filter.ini";

/// The faults of a filter file as one message: the first kShownFilterErrors, one a line, then
/// how many more there are; empty when there are none.
inline constexpr std::size_t kShownFilterErrors = 10;
std::string FilterErrorsText(const std::vector<std::string>& errors);

/// Reads section "filters", keys f1, f2, ... up to the first missing one; values are cut to 127
/// characters. A missing file or section gives no filters and no message.
FilterLoadResult LoadFilters(const std::string& path = kFilterFileName);
FilterLoadResult LoadFilters(const IniReader& ini);

/// True when the occurrence of word at index starts the token or follows a space, and ends
/// the token or precedes a space.
bool IsWholeWordAt(std::string_view token, std::string_view word, std::size_t index);

/// Puts replacement in place of the wordLength bytes at index.
void ReplaceAt(std::string& token, std::size_t index, std::size_t wordLength,
               std::string_view replacement);

/// How many characters the filters may add to one token: self-feeding filters ("a" -> "a a",
/// sixteen times) would otherwise make a copied word millions of words long.
inline constexpr std::size_t kFilterGrowthLimit = 1024;

/// Lower-cases the token (ASCII) and rewrites every whole-word occurrence of each filter word,
/// in filter order; after each replacement runs of spaces shrink to one and the token is
/// trimmed. The search for the next occurrence goes on after the inserted text, so a
/// replacement that holds its own word is not rewritten again within the pass. With
/// allowGrowth false, replacements longer than their word are left out: a token already
/// filtered once is filtered again only to shorten it, so no filter list makes it grow
/// without end. A replacement that would make the token more than kFilterGrowthLimit longer
/// than it came in is left out too, and `outOfTime` (asked every few replacements) stops the
/// filtering where it is. Returns false when either cut the filtering short.
bool ApplyFilters(std::string& token, const FilterList& filters, bool allowGrowth = true,
                  const std::function<bool()>& outOfTime = {});
