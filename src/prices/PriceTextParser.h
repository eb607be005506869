#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

/// Parsing the texts of the fields price files give: rarities, prices and days.
namespace price_text_parser {

/// "common" 10, "uncommon" 20, "rare"/"special"/"bonus" 30, "mythic"/"mythic rare" 40, also
/// "C", "U", "R", "M" (any letter case); 0 otherwise.
std::int32_t RarityCode(std::string_view word);

/// A price as a file writes it: a decimal number (with an exponent if need be), optional blanks
/// around it; a decimal comma when `decimalComma`. Empty when not a number (hexadecimal, "inf"
/// and "nan" are not); a number too large for a double is an infinity.
std::optional<double> ParseNumber(std::string_view text, bool decimalComma = false);

/// The one rule for a price any file gives: finite, at least 0, at most 1,000,000 Tix. Other
/// prices are skipped with the reason kImplausiblePrice.
bool IsPlausiblePrice(double value);
inline constexpr std::string_view kImplausiblePrice = "implausible price";

/// Why a price field's text cannot be used (`not a number price "TEXT"` or
/// `implausible price "TEXT"`), or empty when `number`, read from it, is a plausible price.
std::string PriceRefusal(const std::optional<double>& number, std::string_view text);

/// True for "YYYY-MM-DD" of a real calendar day.
bool IsDate(std::string_view text);

} // namespace price_text_parser
