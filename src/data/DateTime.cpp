#include "data/DateTime.h"
#include "data/AsciiText.h"

#include <array>
#include <cctype>
#include <cstdio>
#include <ctime>

namespace {

// Month names are always English: they go into statements the database must read back.
constexpr std::array<const char*, 12> kMonthNames = {
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December"};

bool IsLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month)
{
    static constexpr std::array<int, 12> kDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// Days from 1970-01-01 to the given civil date (proleptic Gregorian calendar).
std::int64_t DaysFromCivil(int year, int month, int day)
{
    year -= month <= 2 ? 1 : 0;
    const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(year - era * 400);
    const unsigned doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

// Reads exactly `width` digits (or up to `width` when `exact` is false) at `pos`.
bool ReadNumber(std::string_view text, std::size_t& pos, std::size_t width, bool exact, int& out)
{
    std::size_t digits = 0;
    int value = 0;
    while (pos < text.size() && digits < width && std::isdigit(static_cast<unsigned char>(text[pos]))) {
        value = value * 10 + (text[pos] - '0');
        ++pos;
        ++digits;
    }
    if (digits == 0 || (exact && digits != width)) {
        return false;
    }
    out = value;
    return true;
}

bool Expect(std::string_view text, std::size_t& pos, char c)
{
    if (pos < text.size() && text[pos] == c) {
        ++pos;
        return true;
    }
    return false;
}

bool ReadTime(std::string_view text, std::size_t& pos, int& hour, int& minute, int& second)
{
    return ReadNumber(text, pos, 2, false, hour) && Expect(text, pos, ':') &&
           ReadNumber(text, pos, 2, false, minute) && Expect(text, pos, ':') &&
           ReadNumber(text, pos, 2, false, second);
}

std::optional<DateTime> Checked(const DateTime& value)
{
    if (!value.IsValid()) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

DateTime::DateTime(int year, int month, int day, int hour, int minute, int second)
    : m_year(year), m_month(month), m_day(day), m_hour(hour), m_minute(minute), m_second(second)
{
    const bool valid = year >= 100 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
                       day <= DaysInMonth(year, month) && hour >= 0 && hour <= 23 &&
                       minute >= 0 && minute <= 59 && second >= 0 && second <= 59;
    m_status = valid ? Status::Valid : Status::Invalid;
}

DateTime DateTime::Now()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return DateTime(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                    local.tm_min, local.tm_sec);
}

DateTime DateTime::UtcNow()
{
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    gmtime_r(&now, &utc);
    return DateTime(utc.tm_year + 1900, utc.tm_mon + 1, utc.tm_mday, utc.tm_hour, utc.tm_min,
                    utc.tm_sec);
}

std::optional<DateTime> DateTime::Parse(std::string_view text)
{
    text = TrimBlanks(text);
    std::size_t pos = 0;
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;

    if (!text.empty() && std::isdigit(static_cast<unsigned char>(text.front()))) {
        if (!ReadNumber(text, pos, 4, true, year) || !Expect(text, pos, '-') ||
            !ReadNumber(text, pos, 2, false, month) || !Expect(text, pos, '-') ||
            !ReadNumber(text, pos, 2, false, day)) {
            return std::nullopt;
        }
        if (pos < text.size()) {
            if (!(Expect(text, pos, ' ') || Expect(text, pos, 'T')) ||
                !ReadTime(text, pos, hour, minute, second)) {
                return std::nullopt;
            }
        }
        if (pos != text.size()) {
            return std::nullopt;
        }
        return Checked(DateTime(year, month, day, hour, minute, second));
    }

    // "%B %d %Y %H:%M:%S"
    for (std::size_t i = 0; i < kMonthNames.size(); ++i) {
        const std::string_view name = kMonthNames[i];
        if (text.size() > name.size() && text.substr(0, name.size()) == name &&
            text[name.size()] == ' ') {
            month = static_cast<int>(i) + 1;
            pos = name.size() + 1;
            break;
        }
    }
    if (month == 0 || !ReadNumber(text, pos, 2, false, day) || !Expect(text, pos, ' ') ||
        !ReadNumber(text, pos, 4, true, year) || !Expect(text, pos, ' ') ||
        !ReadTime(text, pos, hour, minute, second) || pos != text.size()) {
        return std::nullopt;
    }
    return Checked(DateTime(year, month, day, hour, minute, second));
}

std::string DateTime::Format(std::string_view pattern) const
{
    if (!IsValid()) {
        return {};
    }
    std::string out;
    char buffer[16];
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] != '%' || i + 1 == pattern.size()) {
            out += pattern[i];
            continue;
        }
        const char code = pattern[++i];
        switch (code) {
        case 'Y': std::snprintf(buffer, sizeof buffer, "%04d", m_year); out += buffer; break;
        case 'y': std::snprintf(buffer, sizeof buffer, "%02d", m_year % 100); out += buffer; break;
        case 'm': std::snprintf(buffer, sizeof buffer, "%02d", m_month); out += buffer; break;
        case 'd': std::snprintf(buffer, sizeof buffer, "%02d", m_day); out += buffer; break;
        case 'H': std::snprintf(buffer, sizeof buffer, "%02d", m_hour); out += buffer; break;
        case 'M': std::snprintf(buffer, sizeof buffer, "%02d", m_minute); out += buffer; break;
        case 'S': std::snprintf(buffer, sizeof buffer, "%02d", m_second); out += buffer; break;
        case 'B': out += kMonthNames[m_month - 1]; break;
        case 'b': out += std::string_view(kMonthNames[m_month - 1]).substr(0, 3); break;
        case '%': out += '%'; break;
        default:
            out += '%';
            out += code;
            break;
        }
    }
    return out;
}

std::int64_t DateTime::SecondsSinceZero() const
{
    const std::int64_t days = DaysFromCivil(m_year, m_month, m_day) - DaysFromCivil(1899, 12, 30);
    return days * 86400 + m_hour * 3600 + m_minute * 60 + m_second;
}

DateTime DateTime::FromSecondsSinceZero(std::int64_t seconds)
{
    std::int64_t days = seconds / 86400;
    std::int64_t rest = seconds % 86400;
    if (rest < 0) {
        rest += 86400;
        --days;
    }
    // Civil date from days since 1970-01-01 (proleptic Gregorian calendar).
    const std::int64_t z = days + DaysFromCivil(1899, 12, 30) + 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const int day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    const int year = static_cast<int>(static_cast<std::int64_t>(yoe) + era * 400 + (month <= 2 ? 1 : 0));
    return DateTime(year, month, day, static_cast<int>(rest / 3600),
                    static_cast<int>(rest % 3600 / 60), static_cast<int>(rest % 60));
}

bool DateTime::operator==(const DateTime& other) const
{
    return m_status == other.m_status && SecondsSinceZero() == other.SecondsSinceZero();
}

std::strong_ordering DateTime::operator<=>(const DateTime& other) const
{
    return SecondsSinceZero() <=> other.SecondsSinceZero();
}
