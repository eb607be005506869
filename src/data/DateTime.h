#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

/// A calendar date with time of day to the second and a validity status.
/// The zero value is 30 December 1899, 00:00:00, the origin the stored dates count from.
class DateTime {
public:
    enum class Status { Valid, Invalid };

    /// The zero date, valid.
    DateTime() = default;
    /// A date from its parts; parts outside the calendar give an invalid value.
    DateTime(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);

    static DateTime Zero() { return DateTime(); }
    /// The current local date and time.
    static DateTime Now();
    /// The current date and time in UTC.
    static DateTime UtcNow();

    /// Reads the stored form "YYYY-MM-DD HH:MM:SS" (the time may be left off) and the English
    /// form "%B %d %Y %H:%M:%S" ("December 06 2026 23:05:24"). Anything else gives nothing.
    static std::optional<DateTime> Parse(std::string_view text);

    /// strftime-style text: %Y %m %d %H %M %S %B (English month name) %b %y %%; any other
    /// character stands for itself. An invalid value formats as an empty text.
    std::string Format(std::string_view pattern) const;

    int Year() const { return m_year; }
    int Month() const { return m_month; }
    int Day() const { return m_day; }
    int Hour() const { return m_hour; }
    int Minute() const { return m_minute; }
    int Second() const { return m_second; }

    Status GetStatus() const { return m_status; }
    bool IsValid() const { return m_status == Status::Valid; }
    void SetStatus(Status status) { m_status = status; }

    /// Seconds since the zero date; orders and compares values.
    std::int64_t SecondsSinceZero() const;
    /// The value that lies `seconds` after the zero date (negative: before it).
    static DateTime FromSecondsSinceZero(std::int64_t seconds);

    bool operator==(const DateTime& other) const;
    std::strong_ordering operator<=>(const DateTime& other) const;

private:
    int m_year = 1899;
    int m_month = 12;
    int m_day = 30;
    int m_hour = 0;
    int m_minute = 0;
    int m_second = 0;
    Status m_status = Status::Valid;
};
