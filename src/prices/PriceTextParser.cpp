#include "prices/PriceTextParser.h"

#include "data/AsciiText.h"
#include "data/PlausibleValues.h"
#include "data/PriceText.h"

#include <cctype>
#include <charconv>
#include <cmath>

namespace price_text_parser {

std::int32_t RarityCode(std::string_view word)
{
    const std::string lower = AsciiLower(TrimBlanks(word));
    if (lower == "common" || lower == "c") {
        return 10;
    }
    if (lower == "uncommon" || lower == "u") {
        return 20;
    }
    if (lower == "rare" || lower == "r" || lower == "special" || lower == "s" ||
        lower == "bonus" || lower == "b") {
        return 30;
    }
    if (lower == "mythic" || lower == "mythic rare" || lower == "m") {
        return 40;
    }
    return 0;
}

std::optional<double> ParseNumber(std::string_view text, bool decimalComma)
{
    text = TrimBlanks(text);
    std::string copy;
    if (decimalComma && text.find(',') != std::string_view::npos) {
        if (text.find('.') != std::string_view::npos) {
            return std::nullopt; // "1.234,5": a thousands point is not a price we can trust
        }
        copy.assign(text);
        copy[copy.find(',')] = '.';
        text = copy;
    }
    return ParseDecimal(text);
}

bool IsPlausiblePrice(double value)
{
    return plausible::Price(value);
}

std::string PriceRefusal(const std::optional<double>& number, std::string_view text)
{
    if (number && IsPlausiblePrice(*number)) {
        return {};
    }
    return std::string(number ? kImplausiblePrice : "not a number price") + " \"" +
           std::string(text) + "\"";
}

bool IsDate(std::string_view text)
{
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') {
        return false;
    }
    int parts[3] = {};
    const std::string_view pieces[3] = {text.substr(0, 4), text.substr(5, 2), text.substr(8, 2)};
    for (int i = 0; i < 3; ++i) {
        for (const char c : pieces[i]) {
            if (!std::isdigit(static_cast<unsigned char>(c))) {
                return false;
            }
        }
        std::from_chars(pieces[i].data(), pieces[i].data() + pieces[i].size(), parts[i]);
    }
    const int year = parts[0];
    const int month = parts[1];
    const int day = parts[2];
    if (year < 1900 || month < 1 || month > 12 || day < 1) {
        return false;
    }
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return day <= kDays[month - 1] + (month == 2 && leap ? 1 : 0);
}

} // namespace price_text_parser
