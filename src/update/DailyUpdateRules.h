#pragma once

#include <optional>
#include <string>

struct PriceUpdateResult;

/// How the collection's worth moved with an update: before and after, in Tix.
struct WorthChange {
    double before = 0.0;
    double after = 0.0;
    long long copies = 0; ///< copies owned that have a price; 0: no collection to speak of
};

/// The rules of the daily price update that runs by itself: when one is due, and what the
/// desktop notification says when it ends. Plain logic, so the window only asks.
class DailyUpdateRules {
public:
    /// Whether an update starts now: only with the option on, and at most once a calendar day
    /// (local time). `lastRunDay` is the day ("YYYY-MM-DD") the last one started, empty when
    /// none did; a stored day that cannot be read, or one after today (the clock was put
    /// back), does not stop today's update.
    static bool IsDue(bool enabled, const std::string& lastRunDay, const std::string& today);

    /// What a notification says about an update that ran by itself; nothing for one that found
    /// the prices current or was cancelled (nobody asked for it, so nobody is bothered).
    /// "Prices updated: your collection is worth 131.0 Tix (+6.2 %)"; without a collection
    /// "Prices updated (MTGJSON 2026-12-08)"; a failure "Prices could not be updated: why".
    static std::optional<std::string> NoticeText(const PriceUpdateResult& result,
                                                 const std::optional<WorthChange>& worth);

    /// "131.0 Tix (+6.2 %)": the worth with one decimal, and its change in per cent when the
    /// worth before was not 0.
    static std::string WorthText(const WorthChange& worth);
};
