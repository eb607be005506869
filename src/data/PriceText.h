#pragma once

#include <string>

/// A card value or price as every view shows it: two decimals when the hundredths digit is not
/// zero, else one ("0.03", "12.25", "1.3", "0.0"), so that a common card worth 0.03 Tix does
/// not read as worthless. Always a decimal point, whatever the user's locale; not finite
/// values read "nan", "inf" or "-inf".
std::string PriceText(double value);
