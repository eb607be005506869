#pragma once

#include "data/PriceHistory.h"

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>

struct sqlite3;
struct sqlite3_stmt;

/// Stores days of the price history so that it stays small: a row only when a card's values
/// changed from what the history already says for that day (an unchanged day is implied by the
/// row before it). A day after the card's latest is compared with `price_latest` (read once
/// with `LoadLatest` for many cards), so storing the next day costs the same however long the
/// history is; an earlier day is one seek in the (card, day) key. Use it inside the caller's
/// transaction, after `price_history::Prepare`.
class PriceHistoryWriter {
public:
    explicit PriceHistoryWriter(sqlite3* db);
    ~PriceHistoryWriter();
    PriceHistoryWriter(const PriceHistoryWriter&) = delete;
    PriceHistoryWriter& operator=(const PriceHistoryWriter&) = delete;

    /// Reads every card's latest row at once, for an import about to store many cards. False
    /// when the database refused.
    bool LoadLatest();
    /// True when the history already gives the card these values on that day.
    bool Implies(std::int32_t cardId, const PricePoint& point);
    /// Stores the day unless implied; *written says whether a row was written. A day put
    /// before later rows keeps the values those later days had; a buylist value the point
    /// does not give is the one the history had that day. False (with *error) when the
    /// database refused.
    bool Store(std::int32_t cardId, const PricePoint& point, bool* written = nullptr,
               std::string* error = nullptr);

private:
    struct Values {
        double reg = 0.0;
        double foil = 0.0;
        std::optional<double> buy;
        std::optional<double> buyFoil;
        bool operator==(const Values&) const = default;
    };
    struct Row {
        bool found = false;
        int day = 0;
        Values values;
    };
    Row Latest(std::int32_t cardId);
    Row Before(std::int32_t cardId, int day);
    /// The history's row for `day`: the latest row when `day` is not before it (`afterAll`),
    /// else a seek.
    Row At(std::int32_t cardId, int day, bool& afterAll);
    bool Put(std::int32_t cardId, int day, const Values& values);
    static Values Merged(const PricePoint& point, const Row& before);

    sqlite3* m_db;
    sqlite3_stmt* m_before = nullptr;
    sqlite3_stmt* m_after = nullptr;
    sqlite3_stmt* m_put = nullptr;
    sqlite3_stmt* m_latest = nullptr; ///< null without a `price_latest` table
    bool m_ok = false;
    bool m_loaded = false;
    std::unordered_map<std::int32_t, Row> m_latestRows; ///< by card, once loaded
};
