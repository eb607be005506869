#include "lookup/TextCleaning.h"

#include <string_view>

namespace {

constexpr std::string_view kSeparatingPunctuation = "!@#$%^&*()_=+{}[]|\\/<>.?;";

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool IsQuantityMarker(char c)
{
    return c == 'x' || c == 'X' || c == '-';
}

}  // namespace

std::string StripQuantities(std::string_view input)
{
    std::string text(input);
    // Digits are taken from the left one at a time; their neighbours are never digits, so one
    // pass from the left visits the same digits in the same order.
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!IsDigit(text[i])) {
            continue;
        }
        text[i] = ' ';
        if (i + 1 < text.size() && IsQuantityMarker(text[i + 1])) {
            text[i + 1] = ' ';
        }
        if (i > 0 && IsQuantityMarker(text[i - 1])) {
            text[i - 1] = ' ';
        }
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '-') {
            continue;
        }
        const bool last = i + 1 == text.size();
        if (last || text[i + 1] == ' ' || (i > 0 && text[i - 1] == ' ')) {
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

std::string NormalisePunctuation(std::string_view input)
{
    std::string text = CollapseRuns(TrimBlanks(input), ' ');
    for (char& c : text) {
        if (kSeparatingPunctuation.find(c) != std::string_view::npos) {
            c = ',';
        }
    }
    text = CollapseRuns(text, ',');
    if (text.empty()) {
        return text;
    }
    if (text.front() == ',') {
        text.erase(0, 1);
    }
    if (!text.empty() && text.back() == ',') {
        text.pop_back();
    }
    std::string result;
    result.reserve(text.size());
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = text.find(',', start);
        const std::string_view piece =
            std::string_view(text).substr(start, comma == std::string::npos ? std::string::npos
                                                                            : comma - start);
        result += TrimBlanks(piece);
        if (comma == std::string::npos) {
            break;
        }
        result += ',';
        start = comma + 1;
    }
    return result;
}

std::string SplitAt(std::string& text, std::string_view separator, bool fromEnd)
{
    const std::size_t at = fromEnd ? text.rfind(separator) : text.find(separator);
    if (at == std::string::npos || separator.empty()) {
        std::string whole = std::move(text);
        text.clear();
        return whole;
    }
    std::string head = text.substr(0, at);
    text.erase(0, at + separator.size());
    return head;
}

std::string CollapseRuns(std::string_view text, char c)
{
    std::string result;
    result.reserve(text.size());
    for (const char ch : text) {
        if (ch == c && !result.empty() && result.back() == c) {
            continue;
        }
        result.push_back(ch);
    }
    return result;
}
