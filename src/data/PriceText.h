#pragma once

#include <optional>
#include <string>
#include <string_view>

/// A card value or price as every view shows it: two decimals when the hundredths digit is not
/// zero, else one ("0.03", "12.25", "1.3", "0.0"), so that a common card worth 0.03 Tix does
/// not read as worthless. Always a decimal point, whatever the user's locale; not finite
/// values read "nan", "inf" or "-inf".
std::string PriceText(double value);

/// The largest value the views make room for whatever they list now: a column of values is
/// never narrower than this value's text.
inline constexpr double kWidestShownValue = 99999.99;

/// The leading decimal number of a typed value, as a person writes one: blanks, a sign,
/// digits with an optional point and an optional decimal exponent ("12.5 tix" gives 12.5).
/// C's other forms (hexadecimal "0x10", "inf", "nan") are not numbers here: their leading
/// decimal, if any, is taken ("0x10" gives 0). 0 when the text starts with no number; an
/// overflowing one gives an infinity of its sign. Never depends on the user's locale.
double ParseLeadingDecimal(std::string_view text);

/// A text that is one decimal number as ParseLeadingDecimal reads it, blanks around it
/// allowed ("1e308" and "12.5" are, "12.5 tix", "0x10" and "inf" are not); empty otherwise.
std::optional<double> ParseDecimal(std::string_view text);
