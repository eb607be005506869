#pragma once

// A plain, obviously correct lookup written straight from the rules of the lookup, sharing
// no lookup code with the program (only the character model of Utf8.h): its own cleaning,
// tokens, word filters, patterns and wildcard test; every pattern is tested against every card
// name on fresh copies, with a search table built per call and recursion on rests. The tests
// compare the program's lookup with it, and the lookup benchmarks time both side by side.
// Header-only so that bench/ can include it.

#include "data/CardRecord.h"
#include "lookup/FilterList.h"
#include "lookup/ShownCardsSink.h"
#include "lookup/Utf8.h"

#include <string>
#include <vector>

namespace reference {

inline const std::string kBlanks = " \t\n\v\f\r";

inline std::string Trim(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string::npos) {
        return "";
    }
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

inline std::string TrimLeft(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(kBlanks);
    return first == std::string::npos ? "" : text.substr(first);
}

inline void ReplaceUntilGone(std::string& text, const std::string& from, const std::string& to)
{
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from)) {
        text.replace(at, from.size(), to);
    }
}

inline std::string Lower(std::string text)
{
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return text;
}

inline bool IsMarker(char c)
{
    return c == 'x' || c == 'X' || c == '-';
}

inline std::string StripQuantities(std::string text)
{
    for (std::size_t d = text.find_first_of("0123456789"); d != std::string::npos;
         d = text.find_first_of("0123456789")) {
        text[d] = ' ';
        if (d + 1 < text.size() && IsMarker(text[d + 1])) {
            text[d + 1] = ' ';
        }
        if (d > 0 && IsMarker(text[d - 1])) {
            text[d - 1] = ' ';
        }
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '-' &&
            (i + 1 == text.size() || text[i + 1] == ' ' || (i > 0 && text[i - 1] == ' '))) {
            text[i] = ' ';
        }
    }
    for (char& c : text) {
        if (c == '\n' || c == '\a' || c == '\t' || c == '\r') {
            c = ' ';
        }
    }
    return text;
}

inline std::string SplitAt(std::string& text, const std::string& separator, bool fromEnd)
{
    const std::size_t at = fromEnd ? text.rfind(separator) : text.find(separator);
    if (at == std::string::npos) {
        std::string whole = text;
        text.clear();
        return whole;
    }
    std::string head = text.substr(0, at);
    text = text.substr(at + separator.size());
    return head;
}

inline std::string NormalisePunctuation(std::string text)
{
    text = Trim(text);
    ReplaceUntilGone(text, "  ", " ");
    for (char& c : text) {
        if (std::string("!@#$%^&*()_=+{}[]|\\/<>.?;").find(c) != std::string::npos) {
            c = ',';
        }
    }
    ReplaceUntilGone(text, ",,", ",");
    if (text.empty()) {
        return text;
    }
    if (text.front() == ',') {
        text.erase(0, 1);
    }
    if (!text.empty() && text.back() == ',') {
        text.pop_back();
    }
    std::string joined;
    bool firstPiece = true;
    while (true) {
        const bool last = text.find(',') == std::string::npos;
        joined += (firstPiece ? "" : ",") + Trim(SplitAt(text, ",", false));
        firstPiece = false;
        if (last) {
            return joined;
        }
    }
}

// The filters as the program settles what the rules leave open: the search for the next
// occurrence goes on after the inserted text (never before the next character), and a token
// filtered once before is filtered again only with replacements no longer than their word.
inline void ApplyFilters(std::string& token, const FilterList& filters, bool allowGrowth)
{
    token = Lower(token);
    for (const FilterEntry& filter : filters) {
        const std::string& word = filter.word;
        const std::string text = !filter.replacement.empty() && filter.replacement[0] == '*'
                                     ? std::string(" ")
                                     : filter.replacement;
        if (word.empty() || (!allowGrowth && text.size() > word.size())) {
            continue;
        }
        for (std::size_t at = token.find(word); at != std::string::npos;) {
            std::size_t resume = at + 1;
            const bool starts = at == 0 || token[at - 1] == ' ';
            const bool ends = at + word.size() == token.size() || token[at + word.size()] == ' ';
            if (starts && ends) {
                std::string left = token.substr(0, at) + text;
                std::string right = token.substr(at + word.size());
                // Where the end of the inserted text lands once the spaces are collapsed and
                // the token trimmed.
                std::string collapsed;
                std::size_t mark = 0;
                for (std::size_t i = 0; i < left.size() + right.size(); ++i) {
                    const char c = i < left.size() ? left[i] : right[i - left.size()];
                    if (!(c == ' ' && !collapsed.empty() && collapsed.back() == ' ')) {
                        collapsed += c;
                    }
                    if (i + 1 == left.size()) {
                        mark = collapsed.size();
                    }
                }
                const std::size_t leading = collapsed.find_first_not_of(kBlanks) ==
                                                    std::string::npos
                                                ? collapsed.size()
                                                : collapsed.find_first_not_of(kBlanks);
                token = Trim(collapsed);
                mark = mark > leading ? std::min(mark - leading, token.size()) : 0;
                resume = std::max(resume, mark);
            }
            at = resume > token.size() ? std::string::npos : token.find(word, resume);
        }
    }
}

inline std::string BuildPattern(std::string token, int mode, long& position, std::string& rest)
{
    rest.clear();
    if (mode == 0) {
        position = -1;
        return "*" + token + "*";
    }
    if (mode == 1) {
        long cut = 0;
        for (long i = 0; i <= position; ++i) {
            if (token.find(' ') == std::string::npos) {
                cut = -1;
                break;
            }
            std::string word = token;
            token = SplitAt(word, " ", true);
            rest = " " + word + rest;
            ++cut;
        }
        position = cut;
        rest = TrimLeft(rest);
        return "*" + token + "*";
    }
    if (mode == 2) {
        if (token.empty()) {
            position = -1;
            return "?";
        }
        // The position is a byte index kept on the start of a character; filters may have
        // shortened the token since the last pattern.
        std::size_t at = std::min<std::size_t>(static_cast<std::size_t>(position), token.size() - 1);
        std::size_t start = 0;
        while (start + utf8::CharLength(token, start) <= at) {
            start += utf8::CharLength(token, start);
        }
        at = start;
        if (token[at] == ' ' && at + 1 < token.size()) {
            ++at;
        }
        const std::size_t length = utf8::CharLength(token, at);
        std::string marked = token.substr(0, at) + "?" + token.substr(at + length);
        std::size_t wordStart = at;
        while (wordStart > 0 && marked[wordStart - 1] != ' ') {
            --wordStart;
        }
        std::size_t wordEnd = at;
        while (wordEnd < marked.size() && marked[wordEnd] != ' ') {
            ++wordEnd;
        }
        position = at + length >= token.size() ? -1 : static_cast<long>(at + length);
        return "*" + marked.substr(wordStart, wordEnd - wordStart) + "*";
    }
    return {};
}

inline long Find(const std::u32string& text, const std::u32string& segment, long start)
{
    const long n = static_cast<long>(text.size());
    const long m = static_cast<long>(segment.size());
    if (start < 0 || start + m > n) {
        return -1;
    }
    if (m == 0) {
        return start;
    }
    std::vector<long> next(segment.size());
    next[0] = -1;
    long i = -1;
    long j = 0;
    while (j < m - 1) {
        if (i == -1 || segment[i] == U'?' || segment[j] == segment[i]) {
            next[++j] = ++i;
        } else {
            i = next[i];
        }
    }
    long t = start;
    long k = 0;
    while (t < n && k < m) {
        if (k == -1 || segment[k] == U'?' || text[t] == segment[k]) {
            ++t;
            ++k;
        } else {
            k = next[k];
        }
    }
    return k == m ? t - m : -1;
}

inline bool Match(const std::string& nameText, const std::string& patternText)
{
    std::u32string name = utf8::Decode(nameText);
    std::u32string raw = utf8::Decode(patternText);
    if (raw.empty()) {
        return name.empty();
    }
    std::u32string pattern;
    for (char32_t c : raw) {
        c = c >= U'A' && c <= U'Z' ? c - U'A' + U'a' : c;
        if (!(c == U'*' && !pattern.empty() && pattern.back() == U'*')) {
            pattern.push_back(c);
        }
    }
    for (char32_t& c : name) {
        c = c >= U'A' && c <= U'Z' ? c - U'A' + U'a' : c;
    }
    std::size_t p = 0;
    std::size_t n = 0;
    while (p < pattern.size()) {
        if (pattern[p] != U'*') {
            if (n >= name.size() || (pattern[p] != U'?' && pattern[p] != name[n])) {
                return false;
            }
            if (p == pattern.size() - 1) {
                return n + 1 == name.size();
            }
            ++p;
            ++n;
        } else if (p == pattern.size() - 1) {
            return true;
        } else {
            std::size_t end = p + 1;
            while (end < pattern.size() && pattern[end] != U'*') {
                ++end;
            }
            const std::u32string segment = pattern.substr(p + 1, end - p - 1);
            if (name.size() - n < segment.size()) {
                return false;
            }
            if (end == pattern.size()) {
                for (std::size_t i = 1; i <= segment.size(); ++i) {
                    const char32_t want = segment[segment.size() - i];
                    if (want != U'?' && want != name[name.size() - i]) {
                        return false;
                    }
                }
                return true;
            }
            const long at = Find(name.substr(n), segment, 0);
            if (at < 0) {
                return false;
            }
            n += static_cast<std::size_t>(at) + segment.size();
            p = end;
        }
    }
    return true;
}

inline std::size_t CountChars(const std::string& text)
{
    std::size_t count = 0;
    for (std::size_t at = 0; at < text.size(); at += utf8::CharLength(text, at)) {
        ++count;
    }
    return count;
}

struct Lookup {
    const std::vector<CardRecord>& cards;
    const FilterList& filters;
    bool userFilter = true;
    int matchLevel = 1;
    std::size_t maxClipboardChars = 65536;

    void MatchToken(std::string token, bool fromClipboard, ShownCardsSink& sink,
                    bool firstFiltering) const
    {
        int mode = 0;
        long position = 0;
        std::string rest;
        while (true) {
            if (userFilter) {
                reference::ApplyFilters(token, filters, firstFiltering);
                firstFiltering = false;
            }
            const std::string pattern = BuildPattern(token, mode, position, rest);
            bool found = false;
            for (const CardRecord& card : cards) {
                if (Match(card.name, pattern)) {
                    if (CountChars(pattern) > 4 || !fromClipboard) {
                        sink.AddShownCard(card, fromClipboard);
                    }
                    found = true;
                }
            }
            if (found) {
                if (!rest.empty()) {
                    MatchToken(rest, fromClipboard, sink, false);
                }
                if (mode == 0 || mode == 1 || position == -1) {
                    return;
                }
                continue;
            }
            if (position != -1) {
                continue;
            }
            if (!rest.empty()) {
                MatchToken(rest, fromClipboard, sink, false);
            }
            mode += 1;
            position = 0;
            if (mode > matchLevel) {
                return;
            }
        }
    }

    void LookUp(const std::string& input, bool fromClipboard, ShownCardsSink& sink) const
    {
        sink.ClearShownCards();
        std::string text = input;
        if (fromClipboard) {
            std::size_t end = 0;
            for (std::size_t n = 0; n < maxClipboardChars && end < text.size(); ++n) {
                end += utf8::CharLength(text, end);
            }
            text.resize(end);
        }
        text = NormalisePunctuation(StripQuantities(text));
        do {
            MatchToken(SplitAt(text, ",", false), fromClipboard, sink, true);
        } while (!text.empty());
    }
};

}  // namespace reference
