#include "lookup/Wildcard.h"

#include "lookup/Utf8.h"

namespace wildcard {

std::vector<long> FindTable(std::u32string_view segment)
{
    const long length = static_cast<long>(segment.size());
    std::vector<long> next(segment.empty() ? 1 : segment.size());
    next[0] = -1;
    long i = -1;
    long j = 0;
    while (j < length - 1) {
        if (i == -1 || segment[i] == U'?' || segment[j] == segment[i]) {
            ++j;
            ++i;
            next[j] = i;
        } else {
            i = next[i];
        }
    }
    return next;
}

long FindWithTable(std::u32string_view text, std::u32string_view segment,
                   const std::vector<long>& next, long start)
{
    const long textLength = static_cast<long>(text.size());
    const long length = static_cast<long>(segment.size());
    if (start < 0 || start + length > textLength) {
        return -1;
    }
    if (length == 0) {
        return start;
    }
    long t = start;
    long k = 0;
    while (t < textLength && k < length) {
        if (k == -1 || segment[k] == U'?' || text[t] == segment[k]) {
            ++t;
            ++k;
        } else {
            k = next[k];
        }
    }
    return k == length ? t - length : -1;
}

long FindChars(std::u32string_view text, std::u32string_view segment, long start)
{
    return FindWithTable(text, segment, FindTable(segment), start);
}

bool MatchChars(std::u32string_view name, std::u32string_view pattern)
{
    if (pattern.empty()) {
        return name.empty();
    }
    const std::size_t patternLength = pattern.size();
    const std::size_t nameLength = name.size();
    std::size_t p = 0;
    std::size_t n = 0;
    while (p < patternLength) {
        if (pattern[p] != U'*') {
            if (n >= nameLength || (pattern[p] != U'?' && pattern[p] != name[n])) {
                return false;
            }
            if (p + 1 == patternLength) {
                return n + 1 == nameLength;
            }
            ++p;
            ++n;
            continue;
        }
        if (p + 1 == patternLength) {
            return true;
        }
        const std::size_t segmentEnd = pattern.find(U'*', p + 1);
        const std::u32string_view segment = pattern.substr(
            p + 1, segmentEnd == std::u32string_view::npos ? std::u32string_view::npos
                                                           : segmentEnd - p - 1);
        if (nameLength - n < segment.size()) {
            return false;
        }
        if (segmentEnd == std::u32string_view::npos) {
            for (std::size_t i = 0; i < segment.size(); ++i) {
                const char32_t want = segment[segment.size() - 1 - i];
                if (want != U'?' && want != name[nameLength - 1 - i]) {
                    return false;
                }
            }
            return true;
        }
        const long found = FindChars(name.substr(n), segment, 0);
        if (found < 0) {
            return false;
        }
        n += static_cast<std::size_t>(found) + segment.size();
        p = segmentEnd;
    }
    return true;
}

std::u32string PreparePattern(std::string_view pattern, bool caseSensitive)
{
    std::u32string chars = utf8::Decode(pattern);
    std::u32string result;
    result.reserve(chars.size());
    for (char32_t c : chars) {
        if (c == U'*' && !result.empty() && result.back() == U'*') {
            continue;
        }
        result.push_back(caseSensitive ? c : utf8::FoldAscii(c));
    }
    return result;
}

}  // namespace wildcard

bool WildcardMatch(std::string_view name, std::string_view pattern, bool caseSensitive)
{
    std::u32string chars = utf8::Decode(name);
    if (!caseSensitive) {
        for (char32_t& c : chars) {
            c = utf8::FoldAscii(c);
        }
    }
    return wildcard::MatchChars(chars, wildcard::PreparePattern(pattern, caseSensitive));
}

long WildcardFind(std::string_view text, std::string_view segment, long start)
{
    return wildcard::FindChars(utf8::Decode(text), utf8::Decode(segment), start);
}
