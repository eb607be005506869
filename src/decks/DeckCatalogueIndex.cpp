#include "decks/DeckCatalogueIndex.h"

#include "data/AsciiText.h"
#include "data/CardCatalogue.h"
#include "data/CardKey.h"
#include "data/GameCatalogueIds.h"

#include <algorithm>
#include <limits>

namespace {

// Levenshtein distance, or limit + 1 once it is sure to exceed `limit`.
std::size_t Distance(std::string_view a, std::string_view b, std::size_t limit)
{
    if ((a.size() > b.size() ? a.size() - b.size() : b.size() - a.size()) > limit) {
        return limit + 1;
    }
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) {
        row[j] = j;
    }
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        std::size_t best = row[0];
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1])});
            diagonal = above;
            best = std::min(best, row[j]);
        }
        if (best > limit) {
            return limit + 1;
        }
    }
    return row[b.size()];
}

bool SameNumber(std::string_view given, std::int32_t number)
{
    std::string_view digits = given;
    while (digits.size() > 1 && digits.front() == '0') {
        digits.remove_prefix(1);
    }
    return digits == std::to_string(number);
}

} // namespace

DeckCatalogueIndex::DeckCatalogueIndex(const CardCatalogue& catalogue, const GameCatalogueIds& ids)
    : m_catalogue(catalogue), m_ids(ids)
{
    const auto& cards = catalogue.Cards();
    m_byName.reserve(cards.size());
    for (std::uint32_t i = 0; i < cards.size(); ++i) {
        auto [it, added] = m_byName.try_emplace(NameKey(cards[i].name));
        it->second.push_back(i);
        if (added) {
            m_keys.push_back(it->first);
        }
    }
}

std::string DeckCatalogueIndex::NameKey(std::string_view name)
{
    name = TrimBlanks(name);
    std::string key;
    key.reserve(name.size());
    for (std::size_t i = 0; i < name.size(); ++i) {
        const char c = name[i];
        const std::string_view rest = name.substr(i);
        if (rest.starts_with("\xE2\x80\x99")) { // right single quotation mark
            key += '\'';
            i += 2;
        } else if (rest.starts_with("\xC3\x86") || rest.starts_with("\xC3\xA6")) { // Æ, æ
            key += "ae";
            ++i;
        } else if (c == ' ' || c == '\t') {
            if (!key.empty() && key.back() != ' ' && key.back() != '/') {
                key += ' ';
            }
        } else if (c == '/') {
            while (!key.empty() && key.back() == ' ') {
                key.pop_back();
            }
            if (key.empty() || key.back() != '/') {
                key += '/';
            }
        } else {
            key += c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
        }
    }
    while (!key.empty() && key.back() == ' ') {
        key.pop_back();
    }
    return key;
}

const std::vector<std::uint32_t>* DeckCatalogueIndex::Named(std::string_view key) const
{
    const auto it = m_byName.find(std::string(key));
    return it == m_byName.end() ? nullptr : &it->second;
}

std::int32_t DeckCatalogueIndex::Cheapest(const std::vector<std::uint32_t>& places, bool foil) const
{
    const auto& cards = m_catalogue.Cards();
    const CardRecord* best = nullptr;
    for (std::uint32_t place : places) {
        const CardRecord& card = cards[place];
        const double value = foil ? card.foil_value : card.reg_value;
        const double bestValue = best ? (foil ? best->foil_value : best->reg_value) : 0.0;
        // An unpriced version (0) is taken only when no version has a price.
        if (!best || (value > 0 && (bestValue <= 0 || value < bestValue))) {
            best = &card;
        }
    }
    return foil ? card_key::Foil(best->id) : card_key::Regular(best->id);
}

std::optional<DeckMatch> DeckCatalogueIndex::Resolve(const DeckLine& line) const
{
    DeckMatch match;
    const std::string key = NameKey(line.name);
    if (line.catId > 0) {
        if (const auto cardKey = m_ids.CardKeyOf(line.catId); cardKey && Card(*cardKey)) {
            match.cardKey = *cardKey;
            match.exact = true;
            return match;
        }
        // Cards a price import added carry the game's id as their own where it was free.
        const CardRecord* card = line.catId < card_key::kFoilOffset
                                     ? m_catalogue.FindCard(static_cast<std::int32_t>(line.catId))
                                     : nullptr;
        if (card && (key.empty() || NameKey(card->name) == key)) {
            match.cardKey = card->id;
            match.exact = true;
            return match;
        }
        match.note = "CatID " + std::to_string(line.catId) + " is not in the price database";
    }
    const std::vector<std::uint32_t>* places = key.empty() ? nullptr : Named(key);
    if (!places) {
        return std::nullopt;
    }
    if (!line.setCode.empty()) {
        const auto& cards = m_catalogue.Cards();
        const CardRecord* inSet = nullptr;
        for (std::uint32_t place : *places) {
            const CardRecord& card = cards[place];
            if (m_catalogue.SetCode(card.expansion) == line.setCode &&
                (!inSet || (!line.number.empty() && SameNumber(line.number, card.collection_no)))) {
                inSet = &card;
            }
        }
        if (inSet) {
            match.cardKey = line.foil ? card_key::Foil(inSet->id) : inSet->id;
            return match;
        }
    }
    match.cardKey = Cheapest(*places, line.foil);
    return match;
}

const CardRecord* DeckCatalogueIndex::Card(std::int32_t cardKey) const
{
    return m_catalogue.FindCard(card_key::CatalogueId(cardKey));
}

double DeckCatalogueIndex::UnitValue(std::int32_t cardKey) const
{
    const CardRecord* card = Card(cardKey);
    return !card ? 0.0 : card_key::IsFoil(cardKey) ? card->foil_value : card->reg_value;
}

std::string DeckCatalogueIndex::SetCode(std::int32_t cardKey) const
{
    const CardRecord* card = Card(cardKey);
    return card ? m_catalogue.SetCode(card->expansion) : std::string();
}

std::int64_t DeckCatalogueIndex::GameId(std::int32_t cardKey) const
{
    return m_ids.GameIdOf(cardKey);
}

std::vector<std::int32_t> DeckCatalogueIndex::KeysOfName(std::int32_t cardKey) const
{
    std::vector<std::int32_t> keys;
    const CardRecord* card = Card(cardKey);
    const std::vector<std::uint32_t>* places = card ? Named(NameKey(card->name)) : nullptr;
    if (!places) {
        return keys;
    }
    for (std::uint32_t place : *places) {
        const std::int32_t id = m_catalogue.Cards()[place].id;
        if (std::find(keys.begin(), keys.end(), id) == keys.end()) {
            keys.push_back(card_key::Regular(id));
            keys.push_back(card_key::Foil(id));
        }
    }
    return keys;
}

std::vector<DeckVersion> DeckCatalogueIndex::VersionsOf(std::int32_t cardKey) const
{
    std::vector<DeckVersion> versions;
    for (std::int32_t key : KeysOfName(cardKey)) {
        versions.push_back({key, UnitValue(key), SetCode(key)});
    }
    std::stable_sort(versions.begin(), versions.end(),
                     [](const DeckVersion& a, const DeckVersion& b) {
                         return card_key::IsFoil(a.cardKey) != card_key::IsFoil(b.cardKey)
                                    ? !card_key::IsFoil(a.cardKey)
                                    : a.value < b.value;
                     });
    return versions;
}

std::vector<std::string> DeckCatalogueIndex::ClosestNames(std::string_view name, std::size_t count,
                                                          bool* partOfSeveral) const
{
    const std::string key = NameKey(name);
    std::vector<std::pair<std::size_t, const std::string*>> found; // (rank, key)
    if (key.size() >= 3) {
        for (const std::string& candidate : m_keys) {
            if (candidate.find(key) != std::string::npos) {
                found.emplace_back(candidate.size(), &candidate);
            }
        }
    }
    if (partOfSeveral) {
        *partOfSeveral = found.size() > 1;
    }
    if (found.empty()) {
        const std::size_t limit = std::clamp<std::size_t>(key.size() / 4, 1, 4);
        for (const std::string& candidate : m_keys) {
            const std::size_t distance = Distance(key, candidate, limit);
            if (distance <= limit) {
                found.emplace_back(distance, &candidate);
            }
        }
    }
    std::stable_sort(found.begin(), found.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<std::string> names;
    for (std::size_t i = 0; i < found.size() && names.size() < count; ++i) {
        // The catalogue's own spelling, not the folded key.
        names.push_back(m_catalogue.Cards()[Named(*found[i].second)->front()].name);
    }
    return names;
}
