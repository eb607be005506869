#pragma once

#include "data/PriceMovers.h"
#include "trade/CollectionText.h"
#include "update/DailyUpdateRules.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

class CADODataBase;
struct sqlite3;

/// What the last import or update moved: every riser and faller of the latest day in the price
/// history (the movers' query, all of them), the copies the collection owns, and from both the
/// collection's worth before and after. The "Price changes" window and the notification of a
/// daily update read it.
class PriceChangeReport {
public:
    /// Reads the moves from an open price database and the owned copies (collection records
    /// with a count above 0) from the collection database, if one is given. False (with
    /// *error) when either cannot be read; the report is then empty.
    bool Read(sqlite3* priceDatabase, CADODataBase* collection, std::string* error = nullptr);
    /// Reads only the owned copies (no moves): for the worth alone.
    bool ReadOwned(CADODataBase& collection, std::string* error = nullptr);

    /// The day of the moves ("YYYY-MM-DD"), empty when the history holds none.
    const std::string& Day() const { return m_moves.day; }
    /// The `count` largest risers and fallers of each kind (regular, then foil), of every card
    /// or only of the card keys the collection owns.
    PriceMovers Lists(std::size_t count, bool onlyOwned) const;
    /// Copies of a card key owned, 0 for none.
    long long Owned(std::int32_t cardKey) const;

    /// The collection's worth today (each owned copy at `valueOf`) and before the day's moves
    /// (a moved copy at its value before them); copies without a value are left out of both.
    WorthChange Worth(const CardValueOf& valueOf) const;

    /// The texts of a list row: card, set code, "Regular" or "Foil", value before, value after,
    /// the change ("+1.25") and the change in per cent ("+12.5 %", empty when the card had
    /// no value before).
    static std::vector<std::string> RowTexts(const PriceMove& move);
    /// "Your collection: 123.5 Tix before, 131.0 Tix (+6.1 %) now", or that it holds no card
    /// with a price.
    static std::string WorthCaption(const WorthChange& worth);

private:
    PriceMovers m_moves;
    std::unordered_map<std::int32_t, long long> m_owned;
};
