#pragma once

#include <string>
#include <vector>

/// Where the price history chart puts its axis labels: values at round steps (1, 2, 2.5 or 5
/// times a power of ten) from 0, dates at whole days spaced evenly (days, weeks) or on the
/// first of the month (months), as a reader expects of any chart.
namespace chart_ticks {

/// A value axis from 0 to `top`, labelled every `step`, each label with `decimals` decimals.
struct ValueTicks {
    double step = 1.0;
    double top = 1.0;
    int count = 2; ///< labels, 0 and `top` included
    int decimals = 0;
};

/// The value axis for values up to `highest` with at most `most` labels (at least 3).
ValueTicks ForValues(double highest, int most = 6);

/// One label of the date axis.
struct DateTick {
    int day = 0;       ///< days since 1970-01-01
    std::string label; ///< "2026-11-28", or "Nov 2026" on a month axis
};

/// A date axis from `first` to `last` (its ends are ticks too), and its labels.
struct DateTicks {
    int first = 0;
    int last = 0;
    std::vector<DateTick> ticks;
};

/// The date axis for points from day `firstDay` to `lastDay` (days since 1970-01-01) with at
/// most `most` labels (at least 3). A single day gets the day before and after as well.
DateTicks ForDays(int firstDay, int lastDay, int most = 7);

} // namespace chart_ticks
