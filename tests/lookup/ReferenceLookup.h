#pragma once

// A plain, obviously correct lookup written straight from the algorithm: every pattern is
// tested against every card name with a wildcard test that works on fresh copies, a search
// table built per call and recursion on rests. The tests compare the fast lookup with it, and
// the lookup benchmarks time both side by side. Header-only so that bench/ can include it.

#include "data/CardRecord.h"
#include "lookup/BuildPattern.h"
#include "lookup/FilterList.h"
#include "lookup/ShownCardsSink.h"
#include "lookup/TextCleaning.h"
#include "lookup/Utf8.h"

#include <string>
#include <vector>

namespace reference {

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
        c = utf8::FoldAscii(c);
        if (!(c == U'*' && !pattern.empty() && pattern.back() == U'*')) {
            pattern.push_back(c);
        }
    }
    for (char32_t& c : name) {
        c = utf8::FoldAscii(c);
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

struct Lookup {
    const std::vector<CardRecord>& cards;
    const FilterList& filters;
    bool userFilter = true;
    int matchLevel = 1;
    std::size_t maxClipboardChars = 4000;

    void MatchToken(std::string token, bool fromClipboard, ShownCardsSink& sink,
                    bool firstFiltering) const
    {
        int mode = 0;
        long position = 0;
        std::string rest;
        while (true) {
            if (userFilter) {
                ApplyFilters(token, filters, firstFiltering);
                firstFiltering = false;
            }
            const std::string pattern = BuildPattern(token, mode, position, rest);
            bool found = false;
            for (const CardRecord& card : cards) {
                if (Match(card.name, pattern)) {
                    if (utf8::CountChars(pattern) > 4 || !fromClipboard) {
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
        std::string text(fromClipboard ? utf8::FirstChars(input, maxClipboardChars) : input);
        text = NormalisePunctuation(StripQuantities(text));
        do {
            MatchToken(SplitAt(text, ",", false), fromClipboard, sink, true);
        } while (!text.empty());
    }
};

}  // namespace reference
