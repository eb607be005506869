#include "data/SelectStatement.h"

#include "data/AsciiText.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace select_statement {
namespace {

bool IsSpace(char c)
{
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

bool IsWordChar(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_';
}

// Consumes `word` (any case) at `pos` when a non-word character or the end follows it.
bool TakeWord(std::string_view text, std::size_t& pos, std::string_view word)
{
    if (text.size() - pos < word.size() || AsciiLower(text.substr(pos, word.size())) != word) {
        return false;
    }
    if (pos + word.size() < text.size() && IsWordChar(text[pos + word.size()])) {
        return false;
    }
    pos += word.size();
    return true;
}

bool SkipSpace(std::string_view text, std::size_t& pos)
{
    const std::size_t start = pos;
    while (pos < text.size() && IsSpace(text[pos])) {
        ++pos;
    }
    return pos > start;
}

// Reads a plain, "quoted", [bracketed] or `quoted` identifier; returns its bare name.
bool TakeIdentifier(std::string_view text, std::size_t& pos, std::string& name)
{
    if (pos >= text.size()) {
        return false;
    }
    const char open = text[pos];
    if (open == '"' || open == '`' || open == '[') {
        const char close = open == '[' ? ']' : open;
        std::string out;
        for (std::size_t i = pos + 1; i < text.size(); ++i) {
            if (text[i] != close) {
                out += text[i];
                continue;
            }
            if (close != ']' && i + 1 < text.size() && text[i + 1] == close) {
                out += close;
                ++i;
                continue;
            }
            pos = i + 1;
            name = out;
            return !name.empty();
        }
        return false;
    }
    if (std::isdigit(static_cast<unsigned char>(open)) || !IsWordChar(open)) {
        return false;
    }
    const std::size_t start = pos;
    while (pos < text.size() && IsWordChar(text[pos])) {
        ++pos;
    }
    name = std::string(text.substr(start, pos - start));
    return true;
}

// True when the clause text after the table holds, outside parentheses and quotes, a word that
// makes rows stop being table rows (a second table, a join, a compound or grouped select).
// `firstOk` tells whether the clauses start as a plain filter or order would; ',' counts as a
// word there, so a second table after a comma is seen.
bool HasTopLevelWord(std::string_view text, std::string_view first, bool& firstOk)
{
    static constexpr std::array<std::string_view, 13> kForbidden = {
        "union",   "intersect", "except", "group", "having", "join", "window",
        "natural", "cross",     "inner",  "left",  "values", "from"};
    int depth = 0;
    bool seenFirst = false;
    for (std::size_t i = 0; i < text.size();) {
        const char c = text[i];
        if (c == '\'' || c == '"' || c == '`' || c == '[') {
            const char close = c == '[' ? ']' : c;
            const std::size_t end = text.find(close, i + 1);
            if (end == std::string_view::npos) {
                return true; // unbalanced: not a text we understand
            }
            i = end + 1;
            continue;
        }
        if (c == '(') {
            ++depth;
            ++i;
            continue;
        }
        if (c == ')') {
            --depth;
            ++i;
            continue;
        }
        std::string_view word;
        if (IsWordChar(c)) {
            std::size_t end = i;
            while (end < text.size() && IsWordChar(text[end])) {
                ++end;
            }
            word = text.substr(i, end - i);
            i = end;
        } else if (c == ',' || c == ';') {
            word = text.substr(i, 1);
            ++i;
        } else {
            ++i;
            continue;
        }
        if (depth != 0) {
            continue;
        }
        const std::string lower = AsciiLower(word);
        if (!seenFirst) {
            seenFirst = true;
            firstOk = lower == first || lower == "where" || lower == "order" || lower == "limit" ||
                      lower == ";";
        }
        if (std::find(kForbidden.begin(), kForbidden.end(), lower) != kForbidden.end()) {
            return true;
        }
    }
    if (!seenFirst) {
        firstOk = true;
    }
    return depth != 0; // unbalanced parentheses: not a text we understand
}

// Position of the '*' of a "select * from" text, or npos.
std::size_t StarPosition(std::string_view text)
{
    std::size_t pos = 0;
    SkipSpace(text, pos);
    if (!TakeWord(text, pos, "select") || !SkipSpace(text, pos) || pos >= text.size() ||
        text[pos] != '*') {
        return std::string_view::npos;
    }
    return pos;
}

} // namespace

bool IsSelectText(std::string_view text)
{
    return text.size() >= 7 && AsciiLower(text.substr(0, 7)) == "select ";
}

std::string EditableTable(std::string_view text)
{
    std::size_t pos = StarPosition(text);
    if (pos == std::string_view::npos) {
        return {};
    }
    ++pos;
    SkipSpace(text, pos);
    std::string table;
    if (!TakeWord(text, pos, "from") || !SkipSpace(text, pos) ||
        !TakeIdentifier(text, pos, table)) {
        return {};
    }
    const std::string_view rest = text.substr(pos);
    if (!rest.empty() && !IsSpace(rest.front()) && rest.front() != ';') {
        return {}; // "T.x", "T,U" and the like
    }
    bool firstOk = false;
    if (HasTopLevelWord(rest, "where", firstOk) || !firstOk) {
        return {};
    }
    return table;
}

std::string WithRowId(std::string_view text)
{
    const std::size_t star = StarPosition(text);
    return std::string("select _rowid_ AS ") + kRowIdColumn + ", " + std::string(text.substr(star));
}

std::string QuoteIdentifier(std::string_view name)
{
    std::string out = "\"";
    for (const char c : name) {
        out += c;
        if (c == '"') {
            out += '"';
        }
    }
    out += '"';
    return out;
}

} // namespace select_statement
