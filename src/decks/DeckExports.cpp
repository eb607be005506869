#include "decks/DeckExports.h"

#include "data/CardKey.h"
#include "data/CardRecord.h"
#include "decks/CollectionCsvReader.h"
#include "decks/DeckCatalogueIndex.h"
#include "trade/TradeList.h"
#include "trade/TradeListEntry.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>

namespace deck_exports {

int AddMissingToTradeList(TradeList& list, const DeckCost& cost, const DeckCatalogueIndex& index)
{
    std::map<std::int32_t, std::pair<std::int64_t, double>> missing; // copies, unit value
    for (const DeckCostRow& row : cost.rows) {
        if (row.missing > 0) {
            auto& [copies, value] = missing[row.cardKey];
            copies += row.missing;
            value = row.unitValue;
        }
    }
    int filed = 0;
    for (const auto& [key, line] : missing) {
        const CardRecord* card = index.Card(key);
        const bool foil = card_key::IsFoil(key);
        if (!card || (!foil && list.Contains(card_key::Foil(card->id)))) {
            continue;
        }
        TradeListEntry entry = MakeTradeListEntry(*card, foil);
        entry.quantity = static_cast<std::int32_t>(std::min<std::int64_t>(line.first, INT32_MAX));
        entry.buy_value = entry.sell_value = static_cast<float>(line.second);
        entry.buying_mark = 1;
        list.Set(key, entry);
        ++filed;
    }
    return filed;
}

std::vector<DekCard> DeckCards(const DeckCost& cost, bool missingOnly,
                               const DeckCatalogueIndex& index)
{
    std::vector<DekCard> cards;
    for (const DeckCostRow& row : cost.rows) {
        const std::int32_t copies = missingOnly ? row.missing : row.quantity;
        if (copies > 0) {
            cards.push_back({index.GameId(row.cardKey), copies, row.sideboard, row.name});
        }
    }
    return cards;
}

std::vector<DekCard> KeyedCards(const std::vector<std::pair<std::int32_t, std::int32_t>>& copies,
                                const DeckCatalogueIndex& index)
{
    std::vector<DekCard> cards;
    for (const auto& [key, count] : copies) {
        const CardRecord* card = index.Card(key);
        if (card && count > 0) {
            cards.push_back({index.GameId(key), count, false, card->name});
        }
    }
    return cards;
}

std::string CollectionCsv(const std::vector<std::pair<std::int32_t, std::int32_t>>& copies,
                          const DeckCatalogueIndex& index)
{
    std::string out = CollectionCsvReader::kHeader;
    for (const auto& [key, count] : copies) {
        const CardRecord* card = index.Card(key);
        if (card && count > 0) {
            out += CollectionCsvReader::Row(
                card->name, count, index.GameId(key), RarityName(card->rarity), index.SetCode(key),
                std::to_string(card->collection_no), card_key::IsFoil(key));
        }
    }
    return out;
}

std::vector<std::pair<std::int32_t, std::int32_t>> TradeListCopies(const TradeList& list)
{
    std::vector<std::pair<std::int32_t, std::int32_t>> copies;
    for (const auto& [key, entry] : list) {
        if (entry.quantity > 0) {
            copies.emplace_back(key, entry.quantity);
        }
    }
    return copies;
}

bool WriteFileSafely(const std::string& path, const std::string& bytes, std::string* error)
{
    const std::string temporary = path + ".part";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (!out) {
            if (error) {
                *error = "Cannot write \"" + path + "\": " + std::strerror(errno);
            }
            out.close();
            std::remove(temporary.c_str());
            return false;
        }
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        if (error) {
            *error = "Cannot write \"" + path + "\": " + std::strerror(errno);
        }
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

} // namespace deck_exports
