#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

/// Parsing the texts of the fields price files give: rarities, prices and days.
namespace price_text_parser {

/// "common" 10, "uncommon" 20, "rare"/"special"/"bonus" 30, "mythic"/"mythic rare" 40, also
/// "C", "U", "R", "M" (any letter case); 0 otherwise.
std::int32_t RarityCode(std::string_view word);

/// A price as a file writes it: a finite decimal number, optional blanks around it; a decimal
/// comma when `decimalComma`. Empty when not a number.
std::optional<double> ParseNumber(std::string_view text, bool decimalComma = false);

/// True for "YYYY-MM-DD" of a real calendar day.
bool IsDate(std::string_view text);

} // namespace price_text_parser
