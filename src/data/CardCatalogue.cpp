#include "data/CardCatalogue.h"

#include "data/CADODataBase.h"
#include "data/CADOException.h"
#include "data/CADOConnection.h"
#include "data/CADORecordset.h"
#include "data/KnownSets.h"
#include "data/CardKey.h"
#include "data/SqlTexts.h"

#include <algorithm>
#include <iterator>
#include <new>
#include <numeric>

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

} // namespace

void CardCatalogue::Clear()
{
    m_sets.clear();
    m_cards.clear();
    m_cardNames.clear();
    m_setCodes.clear();
    m_cardIndex.clear();
}

bool CardCatalogue::LoadCatalogue(CADODataBase& priceDatabase, std::string* error)
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

        query = sql::kSelectCards;
        if (!recordset.Open(query)) {
            SetError(error,
                     "The price database could not be read.\n" + recordset.GetLastErrorText());
            Clear();
            return false;
        }
        CardRecord card;
        card.update_date = DateTime::Zero();
        while (!recordset.IsEof()) {
            recordset.GetText("name", card.name);
            recordset.GetDouble("reg_value", card.reg_value);
            recordset.GetDouble("foil_value", card.foil_value);
            recordset.GetLong("expansion", card.expansion);
            recordset.GetLong("collection_no", card.collection_no);
            recordset.GetLong("rarity", card.rarity);
            recordset.GetLong("id", card.id);
            recordset.GetLong("hot", card.hot);
            // A card without a date shows the zero date, not the date of the card before it.
            card.update_date = DateTime::Zero();
            recordset.GetDate("update_date", card.update_date);
            m_cards.push_back(card);
            recordset.MoveNext();
        }
        recordset.Close();
        FillCardNames();
        query = "select expansion_id, code from expansion_code";
        LoadSetCodes(priceDatabase);
    } catch (const CADOException& failure) {
        SetError(error, ReadFailure(failure, query));
        Clear();
        return false;
    } catch (const std::bad_alloc&) {
        SetError(error, "Not enough memory to load the price database.");
        Clear();
        return false;
    }
    return true;
}

void CardCatalogue::FillCardNames()
{
    // Cards arrive by value, so their ids come in random order; inserting them into the map in
    // id order instead keeps each insert at the end of the tree (no search, and neighbouring
    // nodes close in memory), which is several times faster for a large catalogue.
    std::vector<std::size_t> order(m_cards.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [this](std::size_t a, std::size_t b) {
        return m_cards[a].id < m_cards[b].id;
    });
    for (const std::size_t index : order) {
        const CardRecord& card = m_cards[index];
        if (!m_cardNames.empty() && std::prev(m_cardNames.end())->first == card.id) {
            // The same id again: the row read later gives the name.
            std::prev(m_cardNames.end())->second = card.name;
        } else {
            m_cardNames.emplace_hint(m_cardNames.end(), card.id, card.name);
        }
    }
}

void CardCatalogue::LoadSetCodes(CADODataBase& priceDatabase)
{
    const std::shared_ptr<CADOConnection>& connection = priceDatabase.GetActiveConnection();
    sqlite3* db = connection != nullptr ? connection->Handle() : nullptr;
    const bool haveTable =
        db != nullptr && sqlite3_table_column_metadata(db, "main", "expansion_code", "code",
                                                       nullptr, nullptr, nullptr, nullptr,
                                                       nullptr) == SQLITE_OK;
    if (haveTable) {
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

const std::string& CardCatalogue::SetCode(std::int32_t setId) const
{
    static const std::string kNone;
    const auto found = m_setCodes.find(setId);
    return found != m_setCodes.end() ? found->second : kNone;
}

const CardRecord* CardCatalogue::FindCard(std::int32_t catalogueId) const
{
    // Built on first use: only the collection views and the price history ask, and the
    // load of a large catalogue should not pay for them.
    if (m_cardIndex.empty() && !m_cards.empty()) {
        m_cardIndex.reserve(m_cards.size());
        for (std::size_t index = 0; index < m_cards.size(); ++index) {
            // A repeated id: the row read later wins, as in the name index.
            m_cardIndex[m_cards[index].id] = index;
        }
    }
    const auto found = m_cardIndex.find(catalogueId);
    return found == m_cardIndex.end() ? nullptr : &m_cards[found->second];
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

const std::string& CardCatalogue::CardName(std::int32_t catalogueId)
{
    return m_cardNames[catalogueId];
}
