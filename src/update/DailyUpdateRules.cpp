#include "update/DailyUpdateRules.h"

#include "update/PriceUpdate.h"

#include <cmath>
#include <cstdio>

namespace {

bool IsDay(const std::string& text)
{
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') {
        return false;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (i != 4 && i != 7 && (text[i] < '0' || text[i] > '9')) {
            return false;
        }
    }
    return true;
}

} // namespace

bool DailyUpdateRules::IsDue(bool enabled, const std::string& lastRunDay, const std::string& today)
{
    if (!enabled) {
        return false;
    }
    // Days in this form compare as text; a damaged or future day must not stop updates forever.
    return !IsDay(lastRunDay) || lastRunDay != today;
}

std::string DailyUpdateRules::WorthText(const WorthChange& worth)
{
    char text[96];
    if (worth.before != 0.0 && std::isfinite(worth.before) && std::isfinite(worth.after)) {
        const double percent = (worth.after - worth.before) * 100.0 / worth.before;
        // "-0.0 %" reads as a fall that did not happen.
        std::snprintf(text, sizeof text, "%.1f Tix (%+.1f %%)", worth.after,
                      std::fabs(percent) < 0.05 ? 0.0 : percent);
    } else {
        std::snprintf(text, sizeof text, "%.1f Tix", worth.after);
    }
    return text;
}

std::optional<std::string> DailyUpdateRules::NoticeText(const PriceUpdateResult& result,
                                                        const std::optional<WorthChange>& worth)
{
    using Outcome = PriceUpdateResult::Outcome;
    switch (result.outcome) {
    case Outcome::Updated:
        if (worth && worth->copies > 0) {
            return "Prices updated: your collection is worth " + WorthText(*worth);
        }
        return "Prices updated (" + result.label + ")";
    case Outcome::UpToDate:
    case Outcome::Cancelled:
        return std::nullopt;
    case Outcome::NothingUsable:
    case Outcome::Failed:
        break;
    }
    return "Prices could not be updated: " + result.Closing();
}
