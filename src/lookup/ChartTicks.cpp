#include "lookup/ChartTicks.h"

#include "data/PriceHistory.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace chart_ticks {

ValueTicks ForValues(double highest, int most)
{
    most = std::max(most, 3);
    ValueTicks ticks;
    if (!(highest > 0.0) || !std::isfinite(highest)) {
        return ticks; // 0 and 1
    }
    // The smallest round step that needs no more than `most` labels.
    const double magnitude = std::pow(10.0, std::floor(std::log10(highest / (most - 1))));
    for (const double factor : {1.0, 2.0, 2.5, 5.0, 10.0, 20.0}) {
        const double step = factor * magnitude;
        const double intervals = std::ceil(highest / step - 1e-9);
        if (intervals <= most - 1) {
            ticks.step = step;
            ticks.top = intervals * step;
            ticks.count = int(intervals) + 1;
            break;
        }
    }
    // A step of 2.5 units needs one decimal more than the unit itself.
    const int exponent = int(std::floor(std::log10(ticks.step) + 1e-9));
    const bool quarter = std::fabs(std::fmod(ticks.step / std::pow(10.0, exponent), 1.0)) > 1e-9;
    ticks.decimals = std::max(0, -exponent + (quarter ? 1 : 0));
    return ticks;
}

namespace {

constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                   "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// Months counted from January of year 0, and the day number of the first of such a month.
int MonthIndexOf(int day)
{
    const std::string date = price_history::DateOfDay(day);
    return std::stoi(date.substr(0, 4)) * 12 + std::stoi(date.substr(5, 2)) - 1;
}

int FirstOfMonth(int monthIndex)
{
    char date[32];
    std::snprintf(date, sizeof date, "%04d-%02d-01", monthIndex / 12, monthIndex % 12 + 1);
    return price_history::DayNumber(date);
}

std::string MonthLabel(int monthIndex)
{
    return std::string(kMonths[monthIndex % 12]) + " " + std::to_string(monthIndex / 12);
}

} // namespace

DateTicks ForDays(int firstDay, int lastDay, int most)
{
    most = std::max(most, 3);
    if (lastDay < firstDay) {
        std::swap(firstDay, lastDay);
    }
    if (firstDay == lastDay) {
        --firstDay;
        ++lastDay;
    }
    DateTicks axis;
    // Days and weeks: ticks every `step` days, weeks from a Monday (day 4 was a Monday).
    for (const int step : {1, 2, 7, 14}) {
        const int offset = step % 7 == 0 ? 4 : firstDay;
        const int first = firstDay - ((firstDay - offset) % step + step) % step;
        const int intervals = (lastDay - first + step - 1) / step;
        if (intervals + 1 <= most) {
            axis.first = first;
            axis.last = first + intervals * step;
            for (int day = axis.first; day <= axis.last; day += step) {
                axis.ticks.push_back({day, price_history::DateOfDay(day)});
            }
            return axis;
        }
    }
    // Months: ticks on the first of every `step` months.
    const int firstMonth = MonthIndexOf(firstDay);
    const int lastMonth = MonthIndexOf(lastDay) + (FirstOfMonth(MonthIndexOf(lastDay)) < lastDay);
    for (int step : {1, 2, 3, 6, 12, 24, 60, 120}) {
        const int start = firstMonth - firstMonth % step;
        const int intervals = (lastMonth - start + step - 1) / step;
        if (intervals + 1 <= most || step == 120) {
            for (int month = start; month <= start + intervals * step; month += step) {
                axis.ticks.push_back({FirstOfMonth(month), MonthLabel(month)});
            }
            break;
        }
    }
    axis.first = axis.ticks.front().day;
    axis.last = axis.ticks.back().day;
    return axis;
}

} // namespace chart_ticks
