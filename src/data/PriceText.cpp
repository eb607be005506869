#include "data/PriceText.h"

#include <charconv>
#include <cmath>

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
