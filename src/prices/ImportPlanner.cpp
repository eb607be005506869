#include "prices/ImportPlanner.h"

#include "data/AsciiText.h"
#include "data/CardKey.h"
#include "data/DatabaseSchema.h"
#include "data/KnownSets.h"
#include "data/PriceHistory.h"
#include "data/PriceHistoryWriter.h"
#include "data/SqliteStatement.h"
#include "prices/PriceImportSummary.h"

#include <sqlite3.h>

#include <algorithm>
#include <charconv>
#include <memory>

namespace {

constexpr std::size_t kShownSkips = 5;
// From this many cards on, the history's latest days are read in one pass.
constexpr std::size_t kBulkHistory = 256;

[[noreturn]] void ThrowFailure(sqlite3* db)
{
    throw PriceError::Database(sqlite3_errmsg(db));
}

// A statement of the import's own database, failing with the import's exception.
class Statement : public SqliteStatement {
public:
    Statement(sqlite3* db, const char* text) : SqliteStatement(db, text, ThrowFailure) {}
};

// The collector number as a whole number when it is one ("57"), else -1 ("57a", "★12").
std::int64_t WholeNumber(const std::string& number)
{
    std::int32_t value = 0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (number.empty() || result.ec != std::errc() || result.ptr != number.data() + number.size() ||
        value < 0) {
        return -1;
    }
    return value;
}

// The leading digits of a collector number, stored for a new card ("57a" gives 57).
std::int32_t LeadingNumber(const std::string& number)
{
    std::int32_t value = 0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    return result.ec == std::errc() && value > 0 ? value : 0;
}

std::string NameKey(std::int32_t setId, const std::string& name)
{
    return std::to_string(setId) + '\n' + AsciiLower(name);
}

} // namespace

ImportPlanner::ImportPlanner(sqlite3* db, bool overwriteManual, PriceImportSummary& summary)
    : m_db(db), m_overwriteManual(overwriteManual), m_summary(summary)
{
}

void ImportPlanner::Load(std::size_t every, const std::function<void()>& tick)
{
    m_haveCodes = database_schema::HaveTable(m_db, "expansion_code", "code");
    m_haveHistory = database_schema::HaveTable(m_db, "price_days", "day");
    {
        Statement sets(m_db, "select expansion_id, name from expansion");
        while (sets.Row()) {
            const std::int32_t id = sqlite3_column_int(*sets, 0);
            m_maxSetId = std::max(m_maxSetId, id);
            m_setByName.emplace(AsciiLower(sets.Text(1)), id);
            m_setHasCode.emplace(id, false);
        }
    }
    if (m_haveCodes) {
        Statement codes(m_db, "select expansion_id, code from expansion_code");
        while (codes.Row()) {
            const std::string code = AsciiUpper(codes.Text(1));
            if (!code.empty()) {
                const std::int32_t id = sqlite3_column_int(*codes, 0);
                m_setByCode.emplace(code, id);
                m_setHasCode[id] = true;
            }
        }
    }
    // A set of the sample data is known by today's code even before the file stores codes.
    for (const auto& [name, id] : m_setByName) {
        const std::string known = known_sets::CurrentCode(name);
        if (!known.empty() && !m_setHasCode[id] && m_setByCode.emplace(known, id).second) {
            m_learntCodes.emplace_back(id, known);
            m_setHasCode[id] = true;
        }
    }

    if (database_schema::HaveTable(m_db, "catalogue_ids", "game_id")) {
        Statement ids(m_db, "select game_id, card_key from catalogue_ids");
        while (ids.Row()) {
            m_gameIds.emplace(sqlite3_column_int64(*ids, 0), sqlite3_column_int(*ids, 1));
        }
    }

    Statement cards(m_db, "select rowid, id, name, expansion, collection_no, reg_value, "
                          "foil_value, manual_modify, substr(update_date, 1, 10) from cardslist");
    while (cards.Row()) {
        if (m_cards.size() % every == 0 && tick) {
            tick();
        }
        DbCard card;
        card.rowid = sqlite3_column_int64(*cards, 0);
        card.id = sqlite3_column_int(*cards, 1);
        card.expansion = sqlite3_column_int(*cards, 3);
        const std::int32_t number = sqlite3_column_int(*cards, 4);
        card.reg = sqlite3_column_double(*cards, 5);
        card.foil = sqlite3_column_double(*cards, 6);
        card.manual = sqlite3_column_int(*cards, 7) == 1;
        card.date = cards.Text(8);
        const auto* name = reinterpret_cast<const char*>(sqlite3_column_text(*cards, 2));
        card.nameAt = static_cast<std::uint32_t>(m_names.size());
        card.nameLength = static_cast<std::uint32_t>(sqlite3_column_bytes(*cards, 2));
        m_names.append(name != nullptr ? name : "", card.nameLength);
        const auto index = static_cast<std::int64_t>(m_cards.size());
        if (number > 0) {
            m_byNumber.emplace_back((static_cast<std::int64_t>(card.expansion) << 32) | number,
                                    index);
        }
        m_maxId = std::max(m_maxId, card.id);
        m_cards.push_back(std::move(card));
    }
    // Sorted by key, then row: the first row of a repeated set and number is the one matched.
    std::sort(m_byNumber.begin(), m_byNumber.end());
    m_pendingOfCard.assign(m_cards.size(), -1);
}

std::int64_t ImportPlanner::FindByName(std::int32_t setId, const std::string& name)
{
    if (!m_byNameBuilt) {
        m_byNameBuilt = true;
        m_byName.reserve(m_cards.size());
        for (std::size_t i = 0; i < m_cards.size(); ++i) {
            const DbCard& card = m_cards[i];
            // As with numbers, the first row of a repeated set and name is the one matched.
            m_byName.emplace(NameKey(card.expansion, m_names.substr(card.nameAt, card.nameLength)),
                             static_cast<std::int64_t>(i));
        }
    }
    const auto found = m_byName.find(NameKey(setId, name));
    return found != m_byName.end() ? found->second : -1;
}

bool ImportPlanner::IdUsed(std::int32_t id)
{
    if (!m_usedIdsBuilt) {
        m_usedIdsBuilt = true;
        for (const DbCard& card : m_cards) {
            m_usedIds.insert(card.id);
        }
    }
    return m_usedIds.contains(id);
}

void ImportPlanner::Skip(const std::string& where, const std::string& why)
{
    ++m_summary.rowsSkipped;
    if (m_summary.skipReasons.size() < kShownSkips) {
        m_summary.skipReasons.push_back(where + ": " + why);
    }
}

std::int32_t ImportPlanner::ResolveSet(const ImportedCard& card)
{
    const std::string code = AsciiUpper(card.setCode);
    const auto byCode = [this](const std::string& key) -> std::int32_t {
        const auto found = m_setByCode.find(key);
        return found != m_setByCode.end() ? found->second : 0;
    };
    std::int32_t id = code.empty() ? 0 : byCode(code);
    if (id == 0 && !code.empty()) {
        id = byCode(known_sets::CurrentCode(code));
    }
    if (id == 0 && !card.setName.empty()) {
        const auto found = m_setByName.find(AsciiLower(card.setName));
        id = found != m_setByName.end() ? found->second
                                        : byCode(known_sets::CurrentCode(card.setName));
    }
    if (id != 0) {
        if (!code.empty() && !m_setHasCode[id]) {
            m_setHasCode[id] = true;
            m_setByCode.emplace(code, id);
            m_learntCodes.emplace_back(id, code);
        }
        return id;
    }
    if (code.empty() && card.setName.empty()) {
        return 0;
    }
    // New set ids continue the sample's steps of ten.
    m_maxSetId = (m_maxSetId / 10 + 1) * 10;
    NewSet set{m_maxSetId, card.setName.empty() ? code : card.setName, code};
    if (!code.empty()) {
        m_setByCode.emplace(code, set.id);
    }
    m_setByName.emplace(AsciiLower(set.name), set.id);
    m_setHasCode[set.id] = !code.empty();
    m_newSets.push_back(std::move(set));
    return m_maxSetId;
}

void ImportPlanner::Add(ImportedCard&& card)
{
    if (card.name.empty()) {
        Skip(card.where, "no card name");
        return;
    }
    if (card.prices.empty()) {
        Skip(card.where, "no price");
        return;
    }
    const std::int32_t setId = ResolveSet(card);
    if (setId == 0) {
        Skip(card.where, "no set");
        return;
    }
    Pending pending{std::move(card), setId, -1};
    const std::int64_t number = WholeNumber(pending.card.number);
    if (number >= 0) {
        const std::int64_t key = (static_cast<std::int64_t>(setId) << 32) | number;
        const auto found = std::lower_bound(m_byNumber.begin(), m_byNumber.end(),
                                            std::pair(key, std::int64_t{-1}));
        if (found != m_byNumber.end() && found->first == key) {
            pending.existing = found->second;
        }
    }
    if (pending.existing < 0) {
        pending.existing = FindByName(setId, pending.card.name);
    }
    std::size_t earlierAt = m_pending.size();
    if (pending.existing >= 0) {
        std::int64_t& slot = m_pendingOfCard[static_cast<std::size_t>(pending.existing)];
        if (slot >= 0) {
            earlierAt = static_cast<std::size_t>(slot);
        } else {
            slot = static_cast<std::int64_t>(m_pending.size());
        }
    } else {
        std::string target = number >= 0 ? std::to_string(setId) + "#" + std::to_string(number)
                                         : NameKey(setId, pending.card.name);
        earlierAt = m_pendingByTarget.emplace(std::move(target), m_pending.size()).first->second;
    }
    if (earlierAt < m_pending.size()) {
        Pending& earlier = m_pending[earlierAt];
        Skip(earlier.card.where,
             "the same card again at " + pending.card.where + " (the later one counts)");
        earlier = std::move(pending);
        return;
    }
    m_pending.push_back(std::move(pending));
}

std::int32_t ImportPlanner::NextCardId(std::int64_t gameId)
{
    if (gameId > 0 && gameId < card_key::kFoilOffset &&
        !IdUsed(static_cast<std::int32_t>(gameId))) {
        m_usedIds.insert(static_cast<std::int32_t>(gameId));
        m_maxId = std::max(m_maxId, static_cast<std::int32_t>(gameId));
        return static_cast<std::int32_t>(gameId);
    }
    std::int32_t id = m_maxId + 1;
    while (id >= card_key::kFoilOffset || IdUsed(id)) {
        id = id >= card_key::kFoilOffset ? 1 : id + 1;
    }
    m_usedIds.insert(id);
    m_maxId = std::max(m_maxId, id);
    return id;
}

void ImportPlanner::Apply(bool write, const std::function<void(double)>& tick)
{
    // Matching is done; what it needed goes now rather than in one go at the very end.
    m_pendingByTarget = {};
    m_byName = {};
    if (write) {
        char* message = nullptr;
        if (sqlite3_exec(m_db, database_schema::kPriceAdditions, nullptr, nullptr, &message) !=
            SQLITE_OK) {
            PriceError failure =
                PriceError::Database(message != nullptr ? message : sqlite3_errmsg(m_db));
            sqlite3_free(message);
            throw failure;
        }
        std::string why;
        if (!price_history::Prepare(m_db, &why)) {
            throw PriceError::Database(why);
        }
        m_haveCodes = m_haveHistory = true;
        Statement set(m_db, "insert into expansion (expansion_id, name) values (?, ?)");
        Statement code(m_db, "insert into expansion_code (expansion_id, code) values (?, ?)");
        for (const NewSet& added : m_newSets) {
            sqlite3_bind_int(*set, 1, added.id);
            sqlite3_bind_text(*set, 2, added.name.c_str(), -1, SQLITE_TRANSIENT);
            set.Run();
            if (!added.code.empty()) {
                m_learntCodes.emplace_back(added.id, added.code);
            }
        }
        for (const auto& [id, text] : m_learntCodes) {
            sqlite3_bind_int(*code, 1, id);
            sqlite3_bind_text(*code, 2, text.c_str(), -1, SQLITE_TRANSIENT);
            code.Run();
        }
    }
    m_summary.setsAdded = static_cast<std::int64_t>(m_newSets.size());
    m_summary.codesLearnt = 0;
    for (const auto& [id, text] : m_learntCodes) {
        const bool ofNewSet = std::any_of(m_newSets.begin(), m_newSets.end(),
                                          [id = id](const NewSet& set) { return set.id == id; });
        m_summary.codesLearnt += ofNewSet ? 0 : 1;
    }

    // The history of an older database not yet converted is read as if empty: the first
    // import that writes converts it.
    std::unique_ptr<PriceHistoryWriter> history;
    if (m_haveHistory) {
        history = std::make_unique<PriceHistoryWriter>(m_db);
        // Many cards read every card's latest day at once rather than one seek each.
        if (m_pending.size() >= kBulkHistory && !history->LoadLatest()) {
            ThrowFailure(m_db);
        }
    }
    std::unique_ptr<Statement> update;
    std::unique_ptr<Statement> redate;
    std::unique_ptr<Statement> insert;
    if (write) {
        update = std::make_unique<Statement>(
            m_db, "update cardslist set reg_value=?, foil_value=?, update_date=?, "
                  "manual_modify=0 where rowid=?");
        // Most cards of a daily file keep their values: their date alone changes, which
        // leaves the value index as it is.
        redate = std::make_unique<Statement>(
            m_db, "update cardslist set update_date=?, manual_modify=0 where rowid=?");
        insert = std::make_unique<Statement>(
            m_db, "insert into cardslist (id, name, reg_value, foil_value, expansion, "
                  "collection_no, rarity, hot, update_date, manual_modify) "
                  "values (?, ?, ?, ?, ?, ?, ?, 0, ?, 0)");
    }

    std::unique_ptr<Statement> keepId;
    if (write) {
        keepId = std::make_unique<Statement>(
            m_db, "insert or replace into catalogue_ids (game_id, card_key) values (?, ?)");
    }
    // The game's ids of each version, so that a deck file's catalogue id finds its card; those
    // of cards already known count as learnt.
    std::unordered_set<std::int64_t> seenGameIds;
    const auto keepGameIds = [&](const ImportedCard& item, std::int32_t id, bool known) {
        const std::pair<std::int64_t, std::int32_t> versions[] = {
            {item.gameId, card_key::Regular(id)}, {item.gameFoilId, card_key::Foil(id)}};
        for (const auto& [gameId, key] : versions) {
            if (gameId <= 0) {
                continue;
            }
            // A game id the files give twice keeps its first card, in this import and the next.
            if (!seenGameIds.insert(gameId).second) {
                continue;
            }
            const auto [it, added] = m_gameIds.try_emplace(gameId, key);
            if (!added && it->second == key) {
                continue;
            }
            it->second = key;
            m_summary.idsLearnt += known ? 1 : 0;
            if (write) {
                sqlite3_bind_int64(**keepId, 1, gameId);
                sqlite3_bind_int(**keepId, 2, key);
                keepId->Run();
            }
        }
    };

    std::size_t done = 0;
    for (Pending& pending : m_pending) {
        if (++done % 256 == 0 && tick) {
            tick(static_cast<double>(done) / static_cast<double>(m_pending.size()));
        }
        // Taken out so that its memory goes back card by card, between two ticks, rather than
        // all at once at the end.
        ImportedCard item = std::move(pending.card);
        std::vector<DatedPrice>& prices = item.prices;
        std::stable_sort(prices.begin(), prices.end(),
                         [](const DatedPrice& a, const DatedPrice& b) { return a.date < b.date; });
        DbCard* card =
            pending.existing >= 0 ? &m_cards[static_cast<std::size_t>(pending.existing)] : nullptr;
        double reg = card != nullptr ? card->reg : 0.0;
        double foil = card != nullptr ? card->foil : 0.0;
        // Each day of the file with the side it does not give carried from the day before.
        std::vector<PricePoint> days;
        for (const DatedPrice& price : prices) {
            reg = price.regular.value_or(reg);
            foil = price.foil.value_or(foil);
            if (!days.empty() && days.back().date == price.date) {
                days.back().reg_value = reg;
                days.back().foil_value = foil;
            } else {
                days.push_back({price.date, reg, foil, {}, {}});
            }
            // A buylist side the day does not give is the one the history had.
            if (price.buy) {
                days.back().buy_value = price.buy;
            }
            if (price.buyFoil) {
                days.back().buy_foil_value = price.buyFoil;
            }
        }
        const std::string& date = days.back().date;
        std::int32_t id = 0;
        if (card != nullptr) {
            id = card->id;
            keepGameIds(item, id, true);
            const bool differs = card->reg != reg || card->foil != foil || card->date != date;
            if (card->manual && !m_overwriteManual) {
                m_summary.keptManual += differs ? 1 : 0;
                continue;
            }
            // An older file never takes a newer price back; its days still go into the history.
            const bool newer = card->date.empty() || date >= card->date;
            if (newer && (differs || card->manual)) {
                ++m_summary.pricesUpdated;
                if (write && card->reg == reg && card->foil == foil) {
                    sqlite3_bind_text(**redate, 1, (date + " 00:00:00").c_str(), -1,
                                      SQLITE_TRANSIENT);
                    sqlite3_bind_int64(**redate, 2, card->rowid);
                    redate->Run();
                } else if (write) {
                    sqlite3_bind_double(**update, 1, reg);
                    sqlite3_bind_double(**update, 2, foil);
                    sqlite3_bind_text(**update, 3, (date + " 00:00:00").c_str(), -1,
                                      SQLITE_TRANSIENT);
                    sqlite3_bind_int64(**update, 4, card->rowid);
                    update->Run();
                }
            }
        } else {
            id = NextCardId(item.gameId);
            keepGameIds(item, id, false);
            ++m_summary.cardsAdded;
            if (write) {
                const std::int32_t rarity = item.rarity != 0 ? item.rarity : 10;
                sqlite3_bind_int(**insert, 1, id);
                sqlite3_bind_text(**insert, 2, item.name.c_str(), -1, SQLITE_TRANSIENT);
                sqlite3_bind_double(**insert, 3, reg);
                sqlite3_bind_double(**insert, 4, foil);
                sqlite3_bind_int(**insert, 5, pending.setId);
                sqlite3_bind_int(**insert, 6, LeadingNumber(item.number));
                sqlite3_bind_int(**insert, 7, rarity);
                sqlite3_bind_text(**insert, 8, (date + " 00:00:00").c_str(), -1, SQLITE_TRANSIENT);
                insert->Run();
            }
        }
        for (const PricePoint& day : days) {
            if (!write) {
                // Counted as the writer would store it: only days that change the values.
                m_summary.historyWritten +=
                    card != nullptr && history != nullptr && history->Implies(id, day) ? 0 : 1;
                continue;
            }
            bool written = false;
            std::string why;
            if (!history->Store(id, day, &written, &why)) {
                throw PriceError::Database(why);
            }
            m_summary.historyWritten += written ? 1 : 0;
        }
    }
}
