#include "decks/DeckLineChecks.h"

#include "data/AsciiText.h"

#include <cctype>

namespace deck_checks {

std::optional<std::int32_t> Quantity(std::string_view text, std::string* why)
{
    const std::string_view trimmed = TrimBlanks(text);
    std::string_view digits = trimmed;
    const bool negative = digits.starts_with('-');
    if (negative || digits.starts_with('+')) {
        digits.remove_prefix(1);
    }
    bool ok = !digits.empty() && digits.size() <= 12;
    std::int64_t value = 0;
    for (char c : digits) {
        if (!std::isdigit(static_cast<unsigned char>(c))) {
            ok = false;
            break;
        }
        value = value * 10 + (c - '0');
    }
    if (!ok) {
        if (why) {
            *why = trimmed.empty() ? std::string("no quantity")
                                   : "quantity \"" + std::string(trimmed) + "\" is not a number";
        }
        return std::nullopt;
    }
    if (negative) {
        value = -value;
    }
    if (value < 1 || value > kMaxDeckQuantity) {
        if (why) {
            *why = "quantity " + std::to_string(value) + " (a line holds 1 to 100,000 copies)";
        }
        return std::nullopt;
    }
    return static_cast<std::int32_t>(value);
}

std::optional<std::int64_t> CatalogueId(std::string_view text)
{
    text = TrimBlanks(text);
    if (text.empty() || text.size() > 10) {
        return std::nullopt;
    }
    std::int64_t value = 0;
    for (char c : text) {
        if (!std::isdigit(static_cast<unsigned char>(c))) {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
    }
    if (value > INT32_MAX) {
        return std::nullopt;
    }
    return value;
}

} // namespace deck_checks
