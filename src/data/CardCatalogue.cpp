#include "data/CardCatalogue.h"

#include "data/BoundedRead.h"
#include "data/CADOConnection.h"
#include "data/CADODataBase.h"
#include "data/CADOException.h"
#include "data/CADORecordset.h"
#include "data/CardKey.h"
#include "data/DatabaseSchema.h"
#include "data/KnownSets.h"
#include "data/SamplePriceMarks.h"
#include "data/SqlTexts.h"

#include <algorithm>
#include <iterator>
#include <new>

#include <sqlite3.h>

namespace {

void SetError(std::string* error, std::string text)
{
    if (error != nullptr) {
        *error = std::move(text);
    }
}

std::string ReadFailure(const CADOException& failure, const char* query)
{
    return "The price database could not be read (" + std::string(query) +
           "): " + failure.Description() + "\n" + FormatEngineError("CADORecordset Error", failure);
}

// Rows read between two questions whether the load is to stop: asking costs little, and a
// million rows still stop within a few milliseconds.
constexpr std::size_t kRowsPerStopCheck = 4096;

// Throws out of the reading when the load is asked to stop.
void StopIfRequested(const std::function<bool()>& stopRequested)
{
    if (stopRequested && stopRequested()) {
        throw CADOException(ado_error::kCancelled, "CardCatalogue", "The load was stopped.");
    }
}

} // namespace

void CardCatalogue::Clear()
{
    m_sets.clear();
    m_cards.clear();
    m_byId.clear();
    m_setCodes.clear();
    m_pricesImported = false;
}

bool CardCatalogue::LoadCatalogue(CADODataBase& priceDatabase, std::string* error,
                                  bool forLookupOnly, const std::function<bool()>& stopRequested)
{
    CADOConnection& connection = *priceDatabase.GetActiveConnection();
    // Once told to stop, the load stops: the question is not asked again.
    bool stopped = false;
    const std::function<bool()> stop = [&stopped, &stopRequested] {
        return stopped || (stopped = stopRequested && stopRequested());
    };
    // Nobody asked to wait for a load: it neither hangs on a card table that never ends nor
    // keeps a closing program waiting.
    BoundedRead bound(connection, stop);
    if (ReadCatalogue(priceDatabase, error, forLookupOnly, stop)) {
        return true;
    }
    if (connection.BoundedReadCut() == CADOConnection::ReadCut::TooLong) {
        SetError(error, connection.TooLongText());
    } else if (connection.BoundedReadCut() == CADOConnection::ReadCut::Stopped) {
        SetError(error, "The load of the price database was stopped.");
    }
    Clear();
    return false;
}

bool CardCatalogue::ReadCatalogue(CADODataBase& priceDatabase, std::string* error,
                                  bool forLookupOnly, const std::function<bool()>& stopRequested)
{
    Clear();
    if (!priceDatabase.IsOpen()) {
        SetError(error, "The price database is not open.\n" + priceDatabase.GetLastErrorText());
        return false;
    }
    CADORecordset recordset(priceDatabase);
    const char* query = sql::kSelectExpansions;
    try {
        if (!recordset.Open(query)) {
            SetError(error,
                     "The price database could not be read.\n" + recordset.GetLastErrorText());
            return false;
        }
        std::string name;
        std::int32_t setId = 0;
        while (!recordset.IsEof()) {
            recordset.GetText("name", name);
            recordset.GetLong("expansion_id", setId);
            m_sets[setId] = name;
            recordset.MoveNext();
        }
        recordset.Close();

        // One allocation for the list instead of a copy of every card at each growth.
        const std::int64_t count = CountCards(priceDatabase, stopRequested);
        if (count > 0) {
            m_cards.reserve(static_cast<std::size_t>(count));
        }
        if (!ReadCardsSorted(priceDatabase, forLookupOnly, stopRequested)) {
            // The engine orders them itself; a failure is reported with this query.
            m_cards.clear();
            query = sql::kSelectCards;
            if (!recordset.Open(query)) {
                SetError(error,
                         "The price database could not be read.\n" + recordset.GetLastErrorText());
                Clear();
                return false;
            }
            ReadCards(recordset, forLookupOnly, nullptr, stopRequested);
            recordset.Close();
        }
        StopIfRequested(stopRequested);
        MarkSamplePrices(priceDatabase);
        StopIfRequested(stopRequested);
        if (!forLookupOnly) {
            IndexIds();
        }
        if (!forLookupOnly) {
            query = "select expansion_id, code from expansion_code";
            LoadSetCodes(priceDatabase);
        }
    } catch (const CADOException& failure) {
        SetError(error, failure.Code() == ado_error::kCancelled
                            ? "The load of the price database was stopped."
                            : ReadFailure(failure, query));
        Clear();
        return false;
    } catch (const std::bad_alloc&) {
        SetError(error, "Not enough memory to load the price database.");
        Clear();
        return false;
    }
    return true;
}

// The place of a card in the order "reg_value desc, expansion desc" of the engine, which puts
// NULL below every number and compares integers and reals by value; equal cards stay in table
// order, as the engine's index keeps them.
struct CardCatalogue::SortKey {
    double value;
    double expansion;
    std::uint32_t index;
    bool valueNull;
    bool expansionNull;

    bool operator<(const SortKey& other) const
    {
        if (valueNull != other.valueNull) {
            return other.valueNull;
        }
        if (!valueNull && value != other.value) {
            return value > other.value;
        }
        if (expansionNull != other.expansionNull) {
            return other.expansionNull;
        }
        if (!expansionNull && expansion != other.expansion) {
            return expansion > other.expansion;
        }
        return index < other.index;
    }
};

namespace {

// A number the sort compares as the engine does: NULL, a real, or an integer a double holds
// exactly. Text and blobs the engine orders above all numbers, by other rules.
bool SortableNumber(const CADORecordset& recordset, std::int16_t position, double& number,
                    bool& isNull)
{
    const int type = recordset.GetTypeAt(position);
    isNull = type == SQLITE_NULL;
    if (type != SQLITE_NULL && type != SQLITE_INTEGER && type != SQLITE_FLOAT) {
        return false;
    }
    recordset.GetDoubleAt(position, number);
    constexpr double kExact = 9007199254740992.0; // 2^53
    return type != SQLITE_INTEGER || (number <= kExact && number >= -kExact);
}

} // namespace

bool CardCatalogue::ReadCardsSorted(CADODataBase& priceDatabase, bool forLookupOnly,
                                    const std::function<bool()>& stopRequested)
{
    std::vector<SortKey> keys;
    try {
        CADORecordset recordset(priceDatabase);
        // Without an order the engine reads the table front to back, in row order.
        if (!recordset.Open("select * from cardslist") ||
            !ReadCards(recordset, forLookupOnly, &keys, stopRequested)) {
            return false;
        }
    } catch (const CADOException& failure) {
        if (failure.Code() == ado_error::kCancelled) {
            throw; // a stop is not a reason to read again in the engine's order
        }
        return false;
    }
    StopIfRequested(stopRequested);
    std::sort(keys.begin(), keys.end());
    // The cards move to their places along the permutation's cycles: no second list.
    std::vector<std::uint32_t> source(keys.size());
    for (std::size_t place = 0; place < keys.size(); ++place) {
        source[place] = keys[place].index;
    }
    keys = {};
    for (std::size_t start = 0; start < source.size(); ++start) {
        if (source[start] == start) {
            continue;
        }
        CardRecord held = std::move(m_cards[start]);
        std::size_t place = start;
        while (source[place] != start) {
            const std::size_t from = source[place];
            m_cards[place] = std::move(m_cards[from]);
            source[place] = static_cast<std::uint32_t>(place);
            place = from;
        }
        m_cards[place] = std::move(held);
        source[place] = static_cast<std::uint32_t>(place);
    }
    return true;
}

bool CardCatalogue::ReadCards(CADORecordset& recordset, bool forLookupOnly,
                              std::vector<SortKey>* keys,
                              const std::function<bool()>& stopRequested)
{
    if (recordset.IsEof()) {
        return true;
    }
    // Fields are found by name once, then read by position for every row.
    const std::int16_t name = recordset.GetFieldPosition("name");
    const std::int16_t regValue = recordset.GetFieldPosition("reg_value");
    const std::int16_t foilValue = recordset.GetFieldPosition("foil_value");
    const std::int16_t expansion = recordset.GetFieldPosition("expansion");
    const std::int16_t collectionNo = recordset.GetFieldPosition("collection_no");
    const std::int16_t rarity = recordset.GetFieldPosition("rarity");
    const std::int16_t id = recordset.GetFieldPosition("id");
    const std::int16_t hot = recordset.GetFieldPosition("hot");
    const std::int16_t updateDate = recordset.GetFieldPosition("update_date");
    // Cards not corrected by hand may hold sample prices (MarkSamplePrices); a table without
    // the mark has had no correction.
    std::int16_t manual = -1;
    try {
        manual = recordset.GetFieldPosition("manual_modify");
    } catch (const CADOException&) {
    }
    std::int32_t manualMark = 0;
    std::size_t rows = 0;
    while (!recordset.IsEof()) {
        if (rows++ % kRowsPerStopCheck == 0) {
            StopIfRequested(stopRequested);
        }
        // Read straight into the card kept: a name is copied once, from the engine.
        CardRecord& card = m_cards.emplace_back();
        recordset.GetTextAt(name, card.name);
        recordset.GetDoubleAt(regValue, card.reg_value);
        recordset.GetDoubleAt(foilValue, card.foil_value);
        recordset.GetLongAt(expansion, card.expansion);
        recordset.GetLongAt(rarity, card.rarity);
        recordset.GetLongAt(id, card.id);
        if (!forLookupOnly) {
            recordset.GetLongAt(collectionNo, card.collection_no);
            recordset.GetLongAt(hot, card.hot);
            // A card without a date keeps the zero date a new record starts with.
            recordset.GetDateAt(updateDate, card.update_date);
        }
        if (manual >= 0) {
            recordset.GetLongAt(manual, manualMark);
        }
        card.sample_price = manualMark == 0;
        if (keys != nullptr) {
            SortKey& key = keys->emplace_back();
            key.index = static_cast<std::uint32_t>(m_cards.size() - 1);
            if (!SortableNumber(recordset, regValue, key.value, key.valueNull) ||
                !SortableNumber(recordset, expansion, key.expansion, key.expansionNull)) {
                return false;
            }
        }
        recordset.MoveNext();
    }
    return true;
}

std::int64_t CardCatalogue::CountCards(CADODataBase& priceDatabase,
                                       const std::function<bool()>& stopRequested)
{
    BoundedRead bound(*priceDatabase.GetActiveConnection(), stopRequested);
    try {
        CADORecordset recordset(priceDatabase);
        std::int32_t count = -1;
        if (recordset.Open("select count(*) from cardslist") && !recordset.IsEof()) {
            recordset.GetLongAt(0, count);
        }
        return count;
    } catch (const CADOException&) {
        return -1;
    }
}

void CardCatalogue::IndexIds()
{
    m_byId.resize(m_cards.size());
    for (std::size_t index = 0; index < m_cards.size(); ++index) {
        m_byId[index] = {m_cards[index].id, static_cast<std::uint32_t>(index)};
    }
    // By id, and by place in the list among cards of the same id.
    std::sort(m_byId.begin(), m_byId.end());
}

const CardRecord* CardCatalogue::FindCard(std::int32_t catalogueId) const
{
    // A repeated id: the row read later wins, the last of its run.
    const auto after =
        std::upper_bound(m_byId.begin(), m_byId.end(), catalogueId,
                         [](std::int32_t id, const std::pair<std::int32_t, std::uint32_t>& entry) {
                             return id < entry.first;
                         });
    if (after == m_byId.begin() || std::prev(after)->first != catalogueId) {
        return nullptr;
    }
    return &m_cards[std::prev(after)->second];
}

void CardCatalogue::LoadSetCodes(CADODataBase& priceDatabase)
{
    const std::shared_ptr<CADOConnection>& connection = priceDatabase.GetActiveConnection();
    sqlite3* db = connection != nullptr ? connection->Handle() : nullptr;
    if (db != nullptr && database_schema::HaveTable(db, "expansion_code", "code")) {
        CADORecordset recordset(priceDatabase);
        if (recordset.Open("select expansion_id, code from expansion_code")) {
            std::string code;
            std::int32_t setId = 0;
            while (!recordset.IsEof()) {
                recordset.GetLong("expansion_id", setId);
                recordset.GetText("code", code);
                if (!code.empty()) {
                    m_setCodes[setId] = code;
                }
                recordset.MoveNext();
            }
            recordset.Close();
        }
    }
    // Sets of a database made before codes were kept are known by name when they are among
    // the nine sample sets.
    for (const auto& [setId, name] : m_sets) {
        if (m_setCodes.find(setId) == m_setCodes.end()) {
            std::string code = known_sets::CurrentCode(name);
            if (!code.empty()) {
                m_setCodes.emplace(setId, std::move(code));
            }
        }
    }
}

void CardCatalogue::MarkSamplePrices(CADODataBase& priceDatabase)
{
    const std::shared_ptr<CADOConnection>& connection = priceDatabase.GetActiveConnection();
    sqlite3* db = connection != nullptr ? connection->Handle() : nullptr;
    sample_price_marks::Marks marks;
    try {
        // Without a price history every card not corrected by hand (as read) is a sample one,
        // and no search per card is needed.
        if (db == nullptr || !sample_price_marks::AnyHistory(db)) {
            return;
        }
        marks = sample_price_marks::Read(db);
    } catch (const CADOException& failure) {
        if (failure.Code() == ado_error::kCancelled) {
            throw;
        }
        // The marks only add a warning; prices that can be read are shown unmarked.
        marks = {};
    }
    m_pricesImported = marks.imported;
    for (CardRecord& card : m_cards) {
        card.sample_price =
            card.sample_price &&
            std::binary_search(marks.sampleIds.begin(), marks.sampleIds.end(), card.id);
    }
}

const std::string& CardCatalogue::SetCode(std::int32_t setId) const
{
    static const std::string kNone;
    const auto found = m_setCodes.find(setId);
    return found != m_setCodes.end() ? found->second : kNone;
}

std::optional<double> CardCatalogue::CopyValue(std::int32_t cardKey) const
{
    const CardRecord* card = FindCard(card_key::CatalogueId(cardKey));
    if (card == nullptr) {
        return std::nullopt;
    }
    return card_key::IsFoil(cardKey) ? card->foil_value : card->reg_value;
}

const std::string& CardCatalogue::SetName(std::int32_t setId)
{
    return m_sets[setId];
}

const std::string& CardCatalogue::CardName(std::int32_t catalogueId) const
{
    static const std::string kNone;
    const CardRecord* card = FindCard(catalogueId);
    return card != nullptr ? card->name : kNone;
}
