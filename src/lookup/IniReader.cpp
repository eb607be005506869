#include "lookup/IniReader.h"

#include "lookup/TextCleaning.h"
#include "lookup/Utf8.h"
#include "data/TextLines.h"

#include <exception>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian)
{
    std::u32string chars;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto hi = static_cast<unsigned char>(bytes[bigEndian ? i : i + 1]);
        const auto lo = static_cast<unsigned char>(bytes[bigEndian ? i + 1 : i]);
        char32_t unit = (static_cast<char32_t>(hi) << 8) | lo;
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 3 < bytes.size()) {
            const auto hi2 = static_cast<unsigned char>(bytes[bigEndian ? i + 2 : i + 3]);
            const auto lo2 = static_cast<unsigned char>(bytes[bigEndian ? i + 3 : i + 2]);
            const char32_t low = (static_cast<char32_t>(hi2) << 8) | lo2;
            if (low >= 0xDC00 && low <= 0xDFFF) {
                unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
                i += 2;
            }
        }
        chars.push_back(unit >= 0xD800 && unit <= 0xDFFF ? 0xFFFD : unit);
    }
    return utf8::EncodeCanonical(chars);
}

std::string Key(std::string_view section, std::string_view key)
{
    std::string joined = AsciiLower(section);
    joined += '\n';
    joined += AsciiLower(key);
    return joined;
}

}  // namespace

IniReader IniReader::FromFile(const std::string& path)
{
    // Anything that is not a readable file (a directory, a device, a file that vanishes
    // while read) reads as a missing file.
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        return {};
    }
    try {
        std::ifstream file(path, std::ios::binary);
        if (!file) {
            return {};
        }
        std::string text((std::istreambuf_iterator<char>(file)),
                         std::istreambuf_iterator<char>());
        if (file.bad()) {
            return {};
        }
        return FromText(text);
    } catch (const std::exception&) {
        return {};
    }
}

IniReader IniReader::FromText(std::string_view text)
{
    std::string converted;
    if (text.starts_with("\xFF\xFE") || text.starts_with("\xFE\xFF")) {
        converted = Utf16ToUtf8(text.substr(2), text[0] == '\xFE');
        text = converted;
    } else if (text.starts_with("\xEF\xBB\xBF")) {
        text.remove_prefix(3);
    }
    IniReader reader;
    std::string section;
    bool inSection = false;
    TextLines lines(text);
    std::string_view raw;
    while (lines.Next(raw)) {
        const std::string_view line = TrimBlanks(raw);
        if (line.empty() || line.front() == ';') {
            continue;
        }
        if (line.front() == '[') {
            const std::size_t close = line.find(']');
            section = std::string(TrimBlanks(line.substr(1, close == std::string_view::npos
                                                               ? std::string_view::npos
                                                               : close - 1)));
            inSection = true;
            continue;
        }
        const std::size_t equals = line.find('=');
        if (!inSection || equals == std::string_view::npos) {
            continue;
        }
        std::string_view value = TrimBlanks(line.substr(equals + 1));
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
            value.back() == value.front()) {
            value = value.substr(1, value.size() - 2);
        }
        reader.m_values.try_emplace(Key(section, TrimBlanks(line.substr(0, equals))), value);
    }
    return reader;
}

std::string IniReader::GetString(std::string_view section, std::string_view key,
                                 std::string_view defaultValue, std::size_t bufferSize) const
{
    const auto found = m_values.find(Key(section, key));
    const std::string_view value = found == m_values.end() ? defaultValue : found->second;
    return std::string(utf8::FirstChars(value, bufferSize == 0 ? 0 : bufferSize - 1));
}
