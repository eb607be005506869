#include "trade/PriceChangeReport.h"

#include "data/CADORecordset.h"
#include "data/CardKey.h"
#include "data/PriceText.h"
#include "data/SqlTexts.h"
#include "trade/TradeError.h"

#include <cmath>
#include <cstdio>
#include <limits>

namespace {

std::int32_t KeyOf(const PriceMove& move)
{
    return move.foil ? card_key::Foil(move.cardId) : card_key::Regular(move.cardId);
}

void KeepOwned(std::vector<PriceMove>& moves, const PriceChangeReport& report, bool onlyOwned,
               std::size_t count)
{
    // Regular moves come first, then foil ones, each kind largest first: take `count` of each.
    std::vector<PriceMove> kept;
    std::size_t taken[2] = {0, 0};
    for (PriceMove& move : moves) {
        std::size_t& kind = taken[move.foil ? 1 : 0];
        if (kind < count && (!onlyOwned || report.Owned(KeyOf(move)) > 0)) {
            kept.push_back(std::move(move));
            ++kind;
        }
    }
    moves = std::move(kept);
}

} // namespace

bool PriceChangeReport::Read(sqlite3* priceDatabase, CADODataBase* collection, std::string* error)
{
    *this = PriceChangeReport();
    if (!PriceMovers::Read(priceDatabase, std::numeric_limits<std::size_t>::max(), m_moves,
                           error)) {
        return false;
    }
    return collection == nullptr || ReadOwned(*collection, error);
}

bool PriceChangeReport::ReadOwned(CADODataBase& collection, std::string* error)
{
    m_owned.clear();
    try {
        // The same records the collection view lists and sums.
        CADORecordset recordset(collection);
        OpenOrFail(recordset, sql::kSelectCollections);
        for (; !recordset.IsEof(); recordset.MoveNext()) {
            std::int32_t owned = 0;
            std::int32_t cardKey = 0;
            recordset.GetLong("no_owned", owned);
            recordset.GetLong("card_id", cardKey);
            if (owned > 0) {
                m_owned[cardKey] += owned;
            }
        }
        recordset.Close();
    } catch (const std::exception&) {
        const std::string text = CaughtErrorText("CADORecordset Error");
        *this = PriceChangeReport();
        if (error != nullptr) {
            *error = "The collection could not be read: " + text;
        }
        return false;
    }
    return true;
}

long long PriceChangeReport::Owned(std::int32_t cardKey) const
{
    const auto found = m_owned.find(cardKey);
    return found == m_owned.end() ? 0 : found->second;
}

PriceMovers PriceChangeReport::Lists(std::size_t count, bool onlyOwned) const
{
    PriceMovers lists = m_moves;
    KeepOwned(lists.risers, *this, onlyOwned, count);
    KeepOwned(lists.fallers, *this, onlyOwned, count);
    return lists;
}

WorthChange PriceChangeReport::Worth(const CardValueOf& valueOf) const
{
    std::unordered_map<std::int32_t, double> before;
    for (const std::vector<PriceMove>* moves : {&m_moves.risers, &m_moves.fallers}) {
        for (const PriceMove& move : *moves) {
            before.emplace(KeyOf(move), move.before);
        }
    }
    WorthChange worth;
    for (const auto& [cardKey, copies] : m_owned) {
        const std::optional<double> value = valueOf ? valueOf(cardKey) : std::nullopt;
        if (!value) {
            continue;
        }
        const auto moved = before.find(cardKey);
        worth.after += double(copies) * *value;
        worth.before += double(copies) * (moved == before.end() ? *value : moved->second);
        worth.copies += copies;
    }
    return worth;
}

std::vector<std::string> PriceChangeReport::RowTexts(const PriceMove& move)
{
    const double change = move.Change();
    std::string percent;
    if (move.before != 0.0) {
        char text[32];
        std::snprintf(text, sizeof text, "%+.1f %%", move.Percent());
        percent = text;
    }
    return {move.name,
            move.setCode,
            move.foil ? "Foil" : "Regular",
            PriceText(move.before),
            PriceText(move.after),
            (change < 0 ? "-" : "+") + PriceText(std::fabs(change)),
            percent};
}

std::string PriceChangeReport::WorthCaption(const WorthChange& worth)
{
    if (worth.copies == 0) {
        return "Your collection holds no card with a price.";
    }
    char before[32];
    std::snprintf(before, sizeof before, "%.1f", worth.before);
    return "Your collection: " + std::string(before) + " Tix before, " +
           DailyUpdateRules::WorthText(worth) + " now";
}
