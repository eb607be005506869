#include "data/SqlTexts.h"

#include <cstdarg>
#include <cstdio>
#include <locale.h>

namespace sql {

std::string Format(const char* pattern, ...)
{
    // The program's locale may write "1,5" for 1.5; SQL needs the C notation.
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    const locale_t previous = uselocale(cLocale);
    va_list args;
    va_start(args, pattern);
    va_list copy;
    va_copy(copy, args);
    const int size = std::vsnprintf(nullptr, 0, pattern, copy);
    va_end(copy);
    std::string out;
    if (size > 0) {
        out.resize(static_cast<std::size_t>(size) + 1);
        std::vsnprintf(out.data(), out.size(), pattern, args);
        out.resize(static_cast<std::size_t>(size));
    }
    va_end(args);
    uselocale(previous);
    return out;
}

std::string EscapeLiteral(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + 2);
    for (const char c : text) {
        if (c == '\0') {
            break;
        }
        out += c;
        if (c == '\'') {
            out += '\'';
        }
    }
    return out;
}

} // namespace sql
