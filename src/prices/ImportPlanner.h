#pragma once

#include "prices/ImportedCard.h"

#include <cstdint>
#include <functional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

struct PriceImportSummary;
struct sqlite3;

/// Matches cards read from price files to the catalogue of an open price database and works
/// out, then (unless only counting) writes, what changes: values, dates, new cards and sets,
/// set codes and the price history. The caller owns the transaction.
class ImportPlanner {
public:
    ImportPlanner(sqlite3* db, bool overwriteManual, PriceImportSummary& summary);

    /// Reads the sets, codes and cards of the database, calling `tick` every `every` cards
    /// (it throws to stop). Throws `PriceError`.
    void Load(std::size_t every, const std::function<void()>& tick);
    /// Room for `cards` cards of the files.
    void Reserve(std::size_t cards) { m_pending.reserve(cards); }
    /// One card of a file; a later card for the same catalogue card replaces an earlier one.
    void Add(ImportedCard&& card);
    /// Once, after the last `Add`: counts every change into the summary and, when `write`,
    /// stores it. `tick` is called
    /// every few hundred cards with the share done and throws to stop. Throws `PriceError`.
    void Apply(bool write, const std::function<void(double)>& tick);
    /// Cards of the files that found (or make) a catalogue card.
    std::size_t Usable() const { return m_pending.size(); }

private:
    struct DbCard {
        std::int64_t rowid = 0;
        std::int32_t id = 0;
        std::int32_t expansion = 0;
        double reg = 0.0;
        double foil = 0.0;
        bool manual = false;
        std::string date;         ///< "YYYY-MM-DD" of update_date, or empty
        std::uint32_t nameAt = 0; ///< the name is m_names.substr(nameAt, nameLength)
        std::uint32_t nameLength = 0;
    };
    struct Pending {
        ImportedCard card;
        std::int32_t setId = 0;
        std::int64_t existing = -1; ///< index into m_cards, or -1 for a new card
    };
    struct NewSet {
        std::int32_t id = 0;
        std::string name;
        std::string code;
    };

    void Skip(const std::string& where, const std::string& why);
    std::int32_t ResolveSet(const ImportedCard& card);
    std::int32_t NextCardId(std::int64_t gameId);

    sqlite3* m_db;
    bool m_overwriteManual;
    PriceImportSummary& m_summary;
    bool m_haveCodes = false;
    bool m_haveHistory = false;

    std::unordered_map<std::string, std::int32_t> m_setByCode; ///< upper-case code
    std::unordered_map<std::string, std::int32_t> m_setByName; ///< lower-case name
    std::unordered_map<std::int32_t, bool> m_setHasCode;
    std::vector<NewSet> m_newSets;
    std::vector<std::pair<std::int32_t, std::string>> m_learntCodes;
    std::int32_t m_maxSetId = 0;

    std::int64_t FindByName(std::int32_t setId, const std::string& name);
    bool IdUsed(std::int32_t id);

    // An unchanged import of a big file reads every catalogue card but rarely needs the name
    // index or the used ids, so those two are built at their first use.
    std::vector<DbCard> m_cards;
    std::string m_names; ///< every catalogue card's name, one after the other
    std::vector<std::pair<std::int64_t, std::int64_t>> m_byNumber; ///< (set id << 32 | number,
                                                                   ///< index), sorted
    std::unordered_map<std::string, std::int64_t> m_byName;        ///< set id, '\n', lower name
    bool m_byNameBuilt = false;
    std::unordered_set<std::int32_t> m_usedIds;
    bool m_usedIdsBuilt = false;
    std::int32_t m_maxId = 0;

    std::vector<Pending> m_pending;
    std::vector<std::int64_t> m_pendingOfCard; ///< catalogue card index -> m_pending, or -1
    std::unordered_map<std::string, std::size_t> m_pendingByTarget; ///< of new cards
};
