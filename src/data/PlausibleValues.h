#pragma once

#include <cmath>
#include <cstdint>

/// The largest values a trader could mean. No card sells for more than a million Tix and no
/// deal moves more than a million copies of one card; larger values come from damaged files,
/// price files gone wrong or slips of the keyboard. Refusing them keeps every value the
/// program shows and every total it adds up a plain, finite number.
namespace plausible {

constexpr double kMostTix = 1'000'000.0;
constexpr std::int32_t kMostCards = 1'000'000;

/// A price a file or a person may give: finite, at least 0, at most kMostTix.
inline bool Price(double value)
{
    return std::isfinite(value) && value >= 0.0 && value <= kMostTix;
}

} // namespace plausible
