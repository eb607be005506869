#pragma once

#include "data/PriceHistory.h"

#include <cstdint>
#include <string>

struct sqlite3;
struct sqlite3_stmt;

/// Stores days of the price history so that it stays small: a row only when a card's values
/// changed from what the history already says for that day (an unchanged day is implied by the
/// row before it). Each lookup is one seek in the (card, day) key, so storing costs the same
/// however long the history is. Use it inside the caller's transaction, after
/// `price_history::Prepare`.
class PriceHistoryWriter {
public:
    explicit PriceHistoryWriter(sqlite3* db);
    ~PriceHistoryWriter();
    PriceHistoryWriter(const PriceHistoryWriter&) = delete;
    PriceHistoryWriter& operator=(const PriceHistoryWriter&) = delete;

    /// True when the history already gives the card these values on that day.
    bool Implies(std::int32_t cardId, const PricePoint& point);
    /// Stores the day unless implied; *written says whether a row was written. A day put
    /// before later rows keeps the values those later days had. False (with *error) when the
    /// database refused.
    bool Store(std::int32_t cardId, const PricePoint& point, bool* written = nullptr,
               std::string* error = nullptr);

private:
    struct Row {
        bool found = false;
        int day = 0;
        double reg = 0.0;
        double foil = 0.0;
    };
    Row Before(std::int32_t cardId, int day);
    bool Put(std::int32_t cardId, int day, double reg, double foil);

    sqlite3* m_db;
    sqlite3_stmt* m_before = nullptr;
    sqlite3_stmt* m_after = nullptr;
    sqlite3_stmt* m_put = nullptr;
    bool m_ok = false;
};
