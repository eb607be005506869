#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>

/// Reads settings files of the "[section]" / "key=value" kind with the results of the Windows
/// private-profile reader: section and key names compare without regard to ASCII case, blanks
/// around keys and values are trimmed, a value in matching quotes loses them, lines starting
/// with ";" are comments, the first of two equal sections or keys wins, and a missing file,
/// section or key gives the default. Text is UTF-8; a UTF-8 byte order mark is skipped and a
/// UTF-16 file (with its byte order mark) is read as well.
class IniReader {
public:
    IniReader() = default;

    /// Reads the file; a missing or unreadable file reads as an empty one.
    static IniReader FromFile(const std::string& path);
    static IniReader FromText(std::string_view text);

    /// The value of key in section, or defaultValue; cut, like the value copied into a buffer
    /// of bufferSize characters, to bufferSize - 1 characters (never inside a character).
    std::string GetString(std::string_view section, std::string_view key,
                          std::string_view defaultValue, std::size_t bufferSize) const;

private:
    // lower-cased "section\nkey" -> value
    std::unordered_map<std::string, std::string> m_values;
};
