#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct sqlite3;

/// A card whose value changed on the latest day of the price history, against its
/// previous stored value.
struct PriceMove {
    std::int32_t cardId = 0;
    std::string name;
    std::string setCode;
    bool foil = false;
    double before = 0.0;
    double after = 0.0;

    double Change() const { return after - before; }
    /// The change in per cent of the value before; 0 when that was 0.
    double Percent() const { return before != 0.0 ? (after - before) * 100.0 / before : 0.0; }
};

/// The risers and fallers of the latest day in the price history (the day of the last import),
/// regular and foil apart, the largest absolute changes first.
struct PriceMovers {
    std::string day; ///< "YYYY-MM-DD", empty when the history holds nothing
    std::vector<PriceMove> risers;
    std::vector<PriceMove> fallers;

    /// Reads them from an open price database; at most `count` of each kind (regular risers,
    /// regular fallers, foil risers, foil fallers). False (with *error) when it cannot be read.
    static bool Read(sqlite3* db, std::size_t count, PriceMovers& movers,
                     std::string* error = nullptr);
    /// Lines for a terminal: "Risers:" then "  +1.25 (+12.5 %)  Wrath of God (7ED) 10.0 ->
    /// 11.25 Tix", then the fallers; foil moves carry "Foil " before the name.
    std::string Text() const;
};
