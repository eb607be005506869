#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Numbers as the C library reads and writes them in the "C" locale. Qt switches the process
// to the user's locale, which would turn "5.0" into "5,0"; these helpers never depend on it.

/// printf-style text of one double for a pattern such as "%4.1f" or "%0.1f".
std::string FormatDouble(const char* pattern, double value);

/// printf-style text of one integer for a pattern such as "%d" or " %dx ".
std::string FormatInt(const char* pattern, long long value);

/// The text's leading decimal integer as atoi reads it: leading blanks and a sign allowed, 0
/// when there are no digits. Values beyond 32 bits are held at the nearest limit.
std::int32_t ParseLeadingInt(std::string_view text);

/// The text's leading decimal number (ParseLeadingDecimal: never C's hexadecimal or infinity
/// forms), 0 when there is none. Results that are not finite float values (1e99) give 0 so
/// that no total is poisoned by them.
float ParseLeadingFloat(std::string_view text);

/// Whether the whole text (blanks around it aside) is one decimal number such as "12", "-3.5",
/// ".5" or "2e3"; what a price box accepts.
bool IsDecimalNumber(std::string_view text);

/// The shortest plain decimal text (no exponent, C notation) that reads back as the same float:
/// 26.25, 0.1, 30, 120.
std::string ShortestFloatText(float value);
