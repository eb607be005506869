#include "decks/DeckInputText.h"

#include "trade/TextCodec.h"
#include "data/TextLines.h"

#include <cstdio>
#include <fstream>

namespace {

int LineAt(std::string_view text, std::size_t offset)
{
    int line = 1;
    for (std::size_t i = 0; i < offset && i < text.size(); ++i) {
        line += text[i] == '\n';
    }
    return line;
}

void AppendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// A lone surrogate becomes U+FFFD: the text stays readable and the broken character shows.
bool Utf16ToUtf8(std::string_view bytes, bool bigEndian, std::string& out)
{
    if (bytes.size() % 2 != 0) {
        return false;
    }
    auto unit = [&](std::size_t i) {
        const auto a = static_cast<unsigned char>(bytes[i]);
        const auto b = static_cast<unsigned char>(bytes[i + 1]);
        return static_cast<char32_t>(bigEndian ? (a << 8 | b) : (b << 8 | a));
    };
    out.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i < bytes.size(); i += 2) {
        char32_t c = unit(i);
        if (c >= 0xD800 && c < 0xDC00 && i + 3 < bytes.size()) {
            const char32_t low = unit(i + 2);
            if (low >= 0xDC00 && low < 0xE000) {
                c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
                i += 2;
            } else {
                c = 0xFFFD;
            }
        } else if (c >= 0xD800 && c < 0xE000) {
            c = 0xFFFD;
        }
        AppendUtf8(out, c);
    }
    return true;
}

std::size_t FirstInvalidUtf8Line(std::string_view text)
{
    TextLines lines(text);
    std::string_view line;
    while (lines.Next(line)) {
        if (!IsValidUtf8(line)) {
            return std::size_t(lines.Number());
        }
    }
    return 0;
}

} // namespace

DeckInputText DeckInputText::FromBytes(std::string_view bytes)
{
    DeckInputText result;
    if (bytes.size() > kMaxBytes) {
        result.error = "the file is larger than " + std::to_string(kMaxBytes / (1024 * 1024)) +
                       " MB; a deck or collection file is far smaller";
        return result;
    }
    const bool le = bytes.starts_with("\xFF\xFE");
    const bool be = bytes.starts_with("\xFE\xFF");
    if (le || be) {
        if (!Utf16ToUtf8(bytes.substr(2), be, result.text)) {
            result.error = "the file is UTF-16 text cut in the middle of a character";
            return result;
        }
        result.note = std::string("read as UTF-16 (") + (be ? "big" : "little") + "-endian)";
    } else {
        if (bytes.starts_with("\xEF\xBB\xBF")) {
            bytes.remove_prefix(3);
        }
        result.text.assign(bytes);
    }
    for (std::size_t i = 0; i < result.text.size(); ++i) {
        const auto c = static_cast<unsigned char>(result.text[i]);
        if (c < 0x20 && c != '\t' && c != '\n' && c != '\r') {
            result.error = "line " + std::to_string(LineAt(result.text, i)) +
                           ": the file holds binary data (byte " + std::to_string(c) +
                           "); it is not a deck, deck text or collection file" +
                           (c == 0 ? " (UTF-16 text needs its byte-order mark)" : "");
            result.text.clear();
            return result;
        }
    }
    if (!IsValidUtf8(result.text)) {
        const std::size_t line = FirstInvalidUtf8Line(result.text);
        result.text = Cp1252ToUtf8(result.text);
        result.note = "line " + std::to_string(line) +
                      ": the text is not UTF-8; it was read as Latin-1 (Windows-1252)";
    }
    return result;
}

DeckInputText DeckInputText::FromFile(const std::string& path)
{
    DeckInputText result;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        result.error = "cannot open \"" + path + "\"";
        return result;
    }
    std::string bytes;
    bytes.resize(kMaxBytes + 1);
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (in.bad()) {
        result.error = "cannot read \"" + path + "\"";
        return result;
    }
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return FromBytes(bytes);
}
