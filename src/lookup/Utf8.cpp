#include "lookup/Utf8.h"

namespace utf8 {

namespace {

bool IsContinuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

// Length of a valid sequence at pos, 0 when the bytes there are not valid UTF-8 (overlong
// forms, surrogates and values above U+10FFFF are invalid).
std::size_t ValidLength(std::string_view text, std::size_t pos)
{
    const auto at = [&](std::size_t i) { return static_cast<unsigned char>(text[pos + i]); };
    const unsigned char lead = at(0);
    const std::size_t left = text.size() - pos;
    if (lead < 0x80) {
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        return left >= 2 && IsContinuation(at(1)) ? 2 : 0;
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
        if (left < 3 || !IsContinuation(at(1)) || !IsContinuation(at(2))) {
            return 0;
        }
        if ((lead == 0xE0 && at(1) < 0xA0) || (lead == 0xED && at(1) >= 0xA0)) {
            return 0;
        }
        return 3;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        if (left < 4 || !IsContinuation(at(1)) || !IsContinuation(at(2)) ||
            !IsContinuation(at(3))) {
            return 0;
        }
        if ((lead == 0xF0 && at(1) < 0x90) || (lead == 0xF4 && at(1) >= 0x90)) {
            return 0;
        }
        return 4;
    }
    return 0;
}

}  // namespace

std::size_t CharLength(std::string_view text, std::size_t pos)
{
    const std::size_t length = ValidLength(text, pos);
    return length == 0 ? 1 : length;
}

std::u32string Decode(std::string_view text)
{
    std::u32string chars;
    chars.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t length = ValidLength(text, pos);
        const auto byte = static_cast<unsigned char>(text[pos]);
        if (length == 0) {
            chars.push_back(0xDC00 + byte);
            ++pos;
            continue;
        }
        char32_t c = length == 1 ? byte : length == 2 ? byte & 0x1F : length == 3 ? byte & 0x0F
                                                                                 : byte & 0x07;
        for (std::size_t i = 1; i < length; ++i) {
            c = (c << 6) | (static_cast<unsigned char>(text[pos + i]) & 0x3F);
        }
        chars.push_back(c);
        pos += length;
    }
    return chars;
}

std::string EncodeCanonical(std::u32string_view chars)
{
    std::string bytes;
    bytes.reserve(chars.size());
    for (const char32_t c : chars) {
        if (c < 0x80) {
            bytes.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            bytes.push_back(static_cast<char>(0xC0 | (c >> 6)));
            bytes.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            bytes.push_back(static_cast<char>(0xE0 | (c >> 12)));
            bytes.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            bytes.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            bytes.push_back(static_cast<char>(0xF0 | (c >> 18)));
            bytes.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
            bytes.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            bytes.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return bytes;
}

std::size_t CountChars(std::string_view text)
{
    std::size_t count = 0;
    for (std::size_t pos = 0; pos < text.size(); pos += CharLength(text, pos)) {
        ++count;
    }
    return count;
}

std::string_view FirstChars(std::string_view text, std::size_t maxChars)
{
    std::size_t pos = 0;
    for (std::size_t count = 0; count < maxChars && pos < text.size(); ++count) {
        pos += CharLength(text, pos);
    }
    return text.substr(0, pos);
}

std::string Printable(std::string_view text, bool keepLineBreaks)
{
    static constexpr std::string_view kReplacement = "\xEF\xBF\xBD";
    std::string out;
    out.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t length = ValidLength(text, pos);
        const auto lead = static_cast<unsigned char>(text[pos]);
        const bool control =
            (lead < 0x20 && !(keepLineBreaks && lead == '\n')) || lead == 0x7F ||
            (length == 2 && lead == 0xC2 && static_cast<unsigned char>(text[pos + 1]) < 0xA0);
        if (length == 0 || control) {
            out += kReplacement;
            pos += length == 0 ? 1 : length;
        } else {
            out.append(text, pos, length);
            pos += length;
        }
    }
    return out;
}

}  // namespace utf8
