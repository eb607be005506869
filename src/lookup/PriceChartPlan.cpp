#include "lookup/PriceChartPlan.h"

#include "data/CardRecord.h"
#include "data/DateTime.h"
#include "data/PriceText.h"

#include <cctype>

bool IsHistoryDate(const std::string& date)
{
    if (date.size() != 10 || date[4] != '-' || date[7] != '-') {
        return false;
    }
    for (const std::size_t i : {0u, 1u, 2u, 3u, 5u, 6u, 8u, 9u}) {
        if (std::isdigit(static_cast<unsigned char>(date[i])) == 0) {
            return false;
        }
    }
    const DateTime parsed(std::stoi(date.substr(0, 4)), std::stoi(date.substr(5, 2)),
                          std::stoi(date.substr(8, 2)));
    return parsed.IsValid();
}

PriceChartPlan PlanPriceChart(const std::vector<PricePoint>& history, const CardRecord& card,
                              const std::string& today)
{
    PriceChartPlan plan;
    for (const PricePoint& point : history) {
        if (IsHistoryDate(point.date)) {
            plan.points.push_back(point);
        }
    }
    if (plan.points.empty()) {
        const bool dated = card.update_date.IsValid() && card.update_date != DateTime::Zero();
        PricePoint now;
        now.date = dated ? card.update_date.Format("%Y-%m-%d") : today;
        now.reg_value = card.reg_value;
        now.foil_value = card.foil_value;
        plan.points.push_back(now);
        plan.note = "No price history is stored for this card; the chart shows its current "
                    "value (" +
                    now.date + ").";
    } else if (plan.points.size() == 1) {
        plan.note = "Only one price is known for this card (" + plan.points.front().date + ").";
    }
    // A stored day holds until the next one: the chart draws steps, each value kept up to the
    // day before the next change.
    std::vector<PricePoint> steps;
    for (const PricePoint& point : plan.points) {
        if (!steps.empty()) {
            const int day = price_history::DayNumber(point.date);
            if (day - price_history::DayNumber(steps.back().date) > 1) {
                PricePoint held = steps.back();
                held.date = price_history::DateOfDay(day - 1);
                steps.push_back(held);
            }
        }
        steps.push_back(point);
    }
    plan.points = std::move(steps);
    return plan;
}

std::string PricePointText(const std::string& date, const std::string& series, double value)
{
    return date + "  " + series + ": " + PriceText(value) + " Tix";
}
