#pragma once

#include "data/PriceHistory.h"

#include <string>
#include <vector>

struct CardRecord;

/// What the price history window draws for one card: its dated values, oldest first, and a
/// line that explains a chart of a single point.
struct PriceChartPlan {
    std::vector<PricePoint> points;
    std::string note;  ///< empty when the history holds two days or more
};

/// The plan for a card and its stored history, drawn as steps: before each change a point
/// holds the earlier value up to the day before. Rows with a date that is not "YYYY-MM-DD"
/// are left out. A card without history shows its current values as one point, dated by its last
/// update (or `today`, "YYYY-MM-DD", when that is unknown).
PriceChartPlan PlanPriceChart(const std::vector<PricePoint>& history, const CardRecord& card,
                              const std::string& today);

/// Whether the text is a calendar date "YYYY-MM-DD".
bool IsHistoryDate(const std::string& date);

/// The chart's tip over a point: "2026-12-01  Regular: 12.5 Tix" (the value as every view
/// writes it).
std::string PricePointText(const std::string& date, const std::string& series, double value);
