#pragma once

#include <cctype>
#include <string_view>

/// The text without the blanks (as the C library's isspace sees them) at either end.
inline std::string_view TrimBlanks(std::string_view text)
{
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) {
        text.remove_prefix(1);
    }
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) {
        text.remove_suffix(1);
    }
    return text;
}
