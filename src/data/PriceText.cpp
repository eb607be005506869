#include "data/PriceText.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <locale.h>
#include <utility>

std::string PriceText(double value)
{
    char buffer[400];
    if (!std::isfinite(value)) {
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
        return std::string(buffer, result.ptr);
    }
    // Rounded to cents first, so that the one-decimal text agrees with the two-decimal one
    // (1.2999 reads "1.3", never "1.30" nor "1.2").
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 2);
    std::string text(buffer, result.ptr);
    if (text.back() == '0') {
        text.pop_back();
    }
    return text;
}

namespace {

// The decimal number at the start of the text after its blanks, and the length of text read
// (0 when no number starts there).
std::pair<double, std::size_t> LeadingDecimal(std::string_view text)
{
    std::size_t pos = text.find_first_not_of(" \t\n\v\f\r");
    if (pos == std::string_view::npos) {
        return {0.0, 0};
    }
    const bool negative = text[pos] == '-';
    if (text[pos] == '+' || text[pos] == '-') {
        ++pos;
    }
    const auto digit = [&text](std::size_t at) {
        return at < text.size() && text[at] >= '0' && text[at] <= '9';
    };
    // A digit, or a point before one, must start the number: this keeps out "inf" and "nan",
    // which the conversion below would otherwise read.
    if (!digit(pos) && !(pos < text.size() && text[pos] == '.' && digit(pos + 1))) {
        return {0.0, 0};
    }
    double value = 0.0;
    const auto result = std::from_chars(text.data() + pos, text.data() + text.size(), value,
                                        std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        // Beyond a double: strtod tells an overflow (infinity) from an underflow (zero). The
        // text holds only digits, a point and an exponent, so its locale plays no part but
        // the point's, and the C locale reads that.
        static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
        const std::string number(text.data() + pos, result.ptr);
        value = strtod_l(number.c_str(), nullptr, c);
    }
    return {negative ? -value : value, static_cast<std::size_t>(result.ptr - text.data())};
}

} // namespace

double ParseLeadingDecimal(std::string_view text)
{
    return LeadingDecimal(text).first;
}

std::optional<double> ParseDecimal(std::string_view text)
{
    const auto [value, length] = LeadingDecimal(text);
    if (length == 0 || text.find_first_not_of(" \t\n\v\f\r", length) != std::string_view::npos) {
        return std::nullopt;
    }
    return value;
}
