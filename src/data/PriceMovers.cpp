#include "data/PriceMovers.h"

#include "data/PriceHistory.h"
#include "data/PriceText.h"

#include <sqlite3.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

// Each card of the latest day beside its stored day before; each a seek in the (card, day) key.
// The cards of the latest day come from `price_latest` where the database has it (a pass over
// one row per card, not over the whole history).
constexpr const char* kLatest = R"sql(
select now.card_id, now.reg, now.foil, before.reg, before.foil, c.name,
       (select code from expansion_code where expansion_id = c.expansion limit 1)
from price_latest now
join price_days before on before.card_id = now.card_id and before.day =
    (select max(day) from price_days where card_id = now.card_id and day < now.day)
left join cardslist c on c.id = now.card_id
where now.day = ?
)sql";

std::string Column(sqlite3_stmt* stmt, int column)
{
    const unsigned char* text = sqlite3_column_text(stmt, column);
    return text != nullptr ? reinterpret_cast<const char*>(text) : "";
}

void Keep(std::vector<PriceMove>& moves, std::size_t count)
{
    std::stable_sort(moves.begin(), moves.end(), [](const PriceMove& a, const PriceMove& b) {
        return std::fabs(a.Change()) > std::fabs(b.Change());
    });
    if (moves.size() > count) {
        moves.resize(count);
    }
}

} // namespace

bool PriceMovers::Read(sqlite3* db, std::size_t count, PriceMovers& movers, std::string* error)
{
    movers = PriceMovers();
    if (sqlite3_table_column_metadata(db, "main", "price_days", "day", nullptr, nullptr, nullptr,
                                      nullptr, nullptr) != SQLITE_OK) {
        return true;
    }
    const bool haveLatest =
        sqlite3_table_column_metadata(db, "main", "price_latest", "day", nullptr, nullptr,
                                      nullptr, nullptr, nullptr) == SQLITE_OK;
    const char* const table = haveLatest ? "price_latest" : "price_days";
    sqlite3_stmt* last = nullptr;
    int day = -1;
    if (sqlite3_prepare_v2(db, (std::string("select max(day) from ") + table).c_str(), -1, &last,
                           nullptr) ==
            SQLITE_OK &&
        sqlite3_step(last) == SQLITE_ROW && sqlite3_column_type(last, 0) != SQLITE_NULL) {
        day = sqlite3_column_int(last, 0);
    }
    sqlite3_finalize(last);
    if (day < 0) {
        return true;
    }
    movers.day = price_history::DateOfDay(day);
    const bool haveCodes =
        sqlite3_table_column_metadata(db, "main", "expansion_code", "code", nullptr, nullptr,
                                      nullptr, nullptr, nullptr) == SQLITE_OK;
    std::string query = kLatest;
    if (!haveLatest) {
        query.replace(query.find("price_latest now"), 12, "price_days");
    }
    if (!haveCodes) {
        query.replace(query.find("(select code"),
                      query.find("limit 1)") + 8 - query.find("(select code"), "''");
    }
    sqlite3_stmt* stmt = nullptr;
    int rc = sqlite3_prepare_v2(db, query.c_str(), -1, &stmt, nullptr);
    std::vector<PriceMove> regUp, regDown, foilUp, foilDown;
    if (rc == SQLITE_OK) {
        sqlite3_bind_int(stmt, 1, day);
        while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
            PriceMove move;
            move.cardId = sqlite3_column_int(stmt, 0);
            move.name = Column(stmt, 5);
            move.setCode = Column(stmt, 6);
            for (const bool foil : {false, true}) {
                move.foil = foil;
                move.after = price_history::ColumnPrice(stmt, foil ? 2 : 1);
                move.before = price_history::ColumnPrice(stmt, foil ? 4 : 3);
                if (move.after > move.before) {
                    (foil ? foilUp : regUp).push_back(move);
                } else if (move.after < move.before) {
                    (foil ? foilDown : regDown).push_back(move);
                }
            }
        }
    }
    sqlite3_finalize(stmt);
    if (rc != SQLITE_DONE) {
        if (error != nullptr) {
            *error = std::string("The price changes could not be read: ") + sqlite3_errmsg(db);
        }
        return false;
    }
    for (std::vector<PriceMove>* moves : {&regUp, &regDown, &foilUp, &foilDown}) {
        Keep(*moves, count);
    }
    movers.risers = std::move(regUp);
    movers.risers.insert(movers.risers.end(), foilUp.begin(), foilUp.end());
    movers.fallers = std::move(regDown);
    movers.fallers.insert(movers.fallers.end(), foilDown.begin(), foilDown.end());
    return true;
}

std::string PriceMovers::Text() const
{
    std::string text;
    for (const auto& [title, moves] :
         {std::pair{"Risers", &risers}, std::pair{"Fallers", &fallers}}) {
        text += std::string(title) + " on " + day + ":\n";
        if (moves->empty()) {
            text += "  none\n";
        }
        for (const PriceMove& move : *moves) {
            char change[64];
            std::snprintf(change, sizeof change, "%+.3g (%+.1f %%)", move.Change(), move.Percent());
            text += "  " + std::string(change) + "  " + (move.foil ? "Foil " : "") + move.name +
                    (move.setCode.empty() ? "" : " (" + move.setCode + ")") + "  " +
                    PriceText(move.before) + " -> " + PriceText(move.after) + " Tix\n";
        }
    }
    return text;
}
