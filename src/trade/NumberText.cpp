#include "trade/NumberText.h"

#include "data/AsciiText.h"
#include "data/PriceText.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <locale.h>

namespace {

locale_t CLocale()
{
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return locale;
}

// Runs a printf-family call with the "C" locale on this thread only.
template <typename Value>
std::string FormatInC(const char* pattern, Value value)
{
    const locale_t previous = uselocale(CLocale());
    char buffer[512];
    int length = std::snprintf(buffer, sizeof(buffer), pattern, value);
    std::string text;
    if (length >= static_cast<int>(sizeof(buffer))) {
        text.resize(static_cast<std::size_t>(length) + 1);
        length = std::snprintf(text.data(), text.size(), pattern, value);
        text.resize(static_cast<std::size_t>(length));
    } else if (length > 0) {
        text.assign(buffer, static_cast<std::size_t>(length));
    }
    uselocale(previous);
    return text;
}

// Moves `pos` past a run of digits of `text`; returns how many there were.
std::size_t SkipDigits(std::string_view text, std::size_t& pos)
{
    const std::size_t start = pos;
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
        ++pos;
    }
    return pos - start;
}

// Moves `pos` past one `a` or `b` of `text`; false when neither stands there.
bool SkipOne(std::string_view text, std::size_t& pos, char a, char b)
{
    if (pos < text.size() && (text[pos] == a || text[pos] == b)) {
        ++pos;
        return true;
    }
    return false;
}

}  // namespace

std::string FormatDouble(const char* pattern, double value)
{
    return FormatInC(pattern, value);
}

std::string FormatInt(const char* pattern, long long value)
{
    // Patterns use "%d"; widen them so any 64-bit value prints whole.
    std::string wide;
    for (const char* p = pattern; *p; ++p) {
        wide += *p;
        if (*p == '%' && p[1] == '%') {
            wide += *++p;
        } else if (*p == '%') {
            while (p[1] && (p[1] == '-' || p[1] == '0' || p[1] == ' ' || p[1] == '+' ||
                            (p[1] >= '0' && p[1] <= '9'))) {
                wide += *++p;
            }
            if (p[1] == 'd') {
                wide += "ll";
            }
        }
    }
    return FormatInC(wide.c_str(), value);
}

std::int32_t ParseLeadingInt(std::string_view text)
{
    const std::string copy(text);
    const long long value = std::strtoll(copy.c_str(), nullptr, 10);
    if (value > INT32_MAX) {
        return INT32_MAX;
    }
    if (value < INT32_MIN) {
        return INT32_MIN;
    }
    return static_cast<std::int32_t>(value);
}

float ParseLeadingFloat(std::string_view text)
{
    const double value = ParseLeadingDecimal(text);
    const float narrow = static_cast<float>(value);
    return std::isfinite(narrow) ? narrow : 0.0f;
}

bool IsDecimalNumber(std::string_view text)
{
    const std::string_view trimmed = TrimBlanks(text);
    std::size_t pos = 0;
    SkipOne(trimmed, pos, '+', '-');
    std::size_t digits = SkipDigits(trimmed, pos);
    if (SkipOne(trimmed, pos, '.', '.')) {
        digits += SkipDigits(trimmed, pos);
    }
    if (digits == 0) {
        return false;
    }
    if (SkipOne(trimmed, pos, 'e', 'E')) {
        SkipOne(trimmed, pos, '+', '-');
        if (SkipDigits(trimmed, pos) == 0) {
            return false;
        }
    }
    if (pos != trimmed.size()) {
        return false;
    }
    // A number too large for a float price is refused rather than stored as infinity.
    const std::string number(trimmed);
    return std::isfinite(static_cast<float>(strtod_l(number.c_str(), nullptr, CLocale())));
}

std::string ShortestFloatText(float value)
{
    // Plain decimal notation: a price box showing "3e+01" for 30 reads as nonsense to a trader.
    char buffer[128];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    return std::string(buffer, result.ptr);
}
