#include "lookup/FilterList.h"

#include "lookup/IniReader.h"
#include "lookup/TextCleaning.h"

#include <string>

namespace {

constexpr std::string_view kMissing = "hehe not found!";
constexpr std::size_t kValueBuffer = 128;
constexpr std::string_view kForbidden = "*?,";
// Replacements made between two looks at the clock.
constexpr std::size_t kReplacementsPerClock = 16;

// Shrinks runs of spaces to one and trims the token; returns where the byte that was at mark
// now stands (the count of kept bytes before it).
std::size_t CollapseAndTrim(std::string& token, std::size_t mark)
{
    std::string collapsed;
    collapsed.reserve(token.size());
    std::size_t markAt = std::string::npos;
    for (std::size_t i = 0; i < token.size(); ++i) {
        if (i == mark) {
            markAt = collapsed.size();
        }
        if (token[i] == ' ' && !collapsed.empty() && collapsed.back() == ' ') {
            continue;
        }
        collapsed.push_back(token[i]);
    }
    if (markAt == std::string::npos) {
        markAt = collapsed.size();
    }
    const std::string_view trimmed = TrimBlanks(collapsed);
    const std::size_t leading = trimmed.empty() ? collapsed.size() : trimmed.data() - collapsed.data();
    markAt = markAt > leading ? markAt - leading : 0;
    token = std::string(trimmed);
    return markAt > token.size() ? token.size() : markAt;
}

}  // namespace

FilterLoadResult LoadFilters(const std::string& path)
{
    return LoadFilters(IniReader::FromFile(path));
}

FilterLoadResult LoadFilters(const IniReader& ini)
{
    FilterLoadResult result;
    for (int n = 1;; ++n) {
        const std::string key = "f" + std::to_string(n);
        std::string value = ini.GetString("filters", key, kMissing, kValueBuffer);
        if (value == kMissing) {
            break;
        }
        std::string word = SplitAt(value, ",", false);
        std::string replacement = value.empty() ? std::string("*") : value;
        word = AsciiLower(TrimBlanks(word));
        replacement = std::string(TrimBlanks(replacement));
        const bool badWord = word.find_first_of(kForbidden) != std::string::npos;
        const bool badReplacement =
            replacement.size() > 1 &&
            replacement.find_first_of(kForbidden, 1) != std::string::npos;
        if (badWord || badReplacement) {
            result.errors.push_back("filter " + key + " contain invalidate char!");
            continue;
        }
        result.filters.push_back({std::move(word), std::move(replacement)});
    }
    return result;
}

std::string FilterErrorsText(const std::vector<std::string>& errors)
{
    std::string text;
    for (std::size_t i = 0; i < errors.size() && i < kShownFilterErrors; ++i) {
        text += (i == 0 ? "" : "\n") + errors[i];
    }
    if (errors.size() > kShownFilterErrors) {
        const std::size_t more = errors.size() - kShownFilterErrors;
        text += "\n... and " + std::to_string(more) + " more faulty filter" +
                (more == 1 ? "" : "s") + ".";
    }
    return text;
}

bool IsWholeWordAt(std::string_view token, std::string_view word, std::size_t index)
{
    if (index > token.size() || word.size() > token.size() - index) {
        return false;
    }
    const bool startsWord = index == 0 || token[index - 1] == ' ';
    const std::size_t end = index + word.size();
    const bool endsWord = end == token.size() || token[end] == ' ';
    return startsWord && endsWord;
}

void ReplaceAt(std::string& token, std::size_t index, std::size_t wordLength,
               std::string_view replacement)
{
    token.replace(index, wordLength, replacement);
}

bool ApplyFilters(std::string& token, const FilterList& filters, bool allowGrowth,
                  const std::function<bool()>& outOfTime)
{
    token = AsciiLower(token);
    const std::size_t longest = token.size() + kFilterGrowthLimit;
    std::size_t replaced = 0;
    bool whole = true;
    for (const FilterEntry& filter : filters) {
        // An empty filter word names no word of any token.
        if (filter.word.empty()) {
            continue;
        }
        const std::string_view text =
            !filter.replacement.empty() && filter.replacement.front() == '*'
                ? std::string_view(" ")
                : std::string_view(filter.replacement);
        const bool grows = text.size() > filter.word.size();
        if (!allowGrowth && grows) {
            continue;
        }
        std::size_t index = token.find(filter.word);
        while (index != std::string::npos) {
            std::size_t resume = index + 1;
            if (IsWholeWordAt(token, filter.word, index)) {
                if (grows && token.size() - filter.word.size() + text.size() > longest) {
                    whole = false;
                } else {
                    if (outOfTime && ++replaced % kReplacementsPerClock == 0 && outOfTime()) {
                        return false;
                    }
                    ReplaceAt(token, index, filter.word.size(), text);
                    const std::size_t insertedEnd = CollapseAndTrim(token, index + text.size());
                    resume = insertedEnd > resume ? insertedEnd : resume;
                }
            }
            index = resume > token.size() ? std::string::npos : token.find(filter.word, resume);
        }
    }
    return whole;
}
