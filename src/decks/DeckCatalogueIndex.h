#pragma once

#include "decks/DeckLine.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class CardCatalogue;
class GameCatalogueIds;
struct CardRecord;

/// One version of a card a deck line may be priced at: a card of that name, regular or foil.
struct DeckVersion {
    std::int32_t cardKey = 0;
    double value = 0.0;  ///< one copy's value, regular or foil following the key
    std::string setCode; ///< "7ED"; empty when the set has none
};

/// Where a deck or collection line lands in the catalogue.
struct DeckMatch {
    std::int32_t cardKey = 0;
    bool exact = false; ///< found by its catalogue id
    std::string note;   ///< why it was not found exactly, when it was asked to be
};

/// The catalogue by card name, for decks and collection files: names compared without regard
/// to ASCII case, runs of blanks, "/" or "//" between the halves of a split card, curly
/// apostrophes and "Æ" written "Ae". Built once per catalogue; the catalogue and the ids must
/// outlive it.
class DeckCatalogueIndex {
public:
    DeckCatalogueIndex(const CardCatalogue& catalogue, const GameCatalogueIds& ids);

    static std::string NameKey(std::string_view name);

    /// The line's card: its CatID's exact version when known; else the version of its set
    /// (and number) when given; else the cheapest priced regular version of its name (the
    /// foil key for a foil collection row). Nothing when neither the id nor the name is known.
    std::optional<DeckMatch> Resolve(const DeckLine& line) const;

    /// Every version of the card named as the key's card, cheapest first.
    std::vector<DeckVersion> VersionsOf(std::int32_t cardKey) const;
    /// The card keys (regular and foil) of every card with the key's card's name.
    std::vector<std::int32_t> KeysOfName(std::int32_t cardKey) const;

    const CardRecord* Card(std::int32_t cardKey) const;
    double UnitValue(std::int32_t cardKey) const;
    std::string SetCode(std::int32_t cardKey) const;
    std::int64_t GameId(std::int32_t cardKey) const;

    /// Up to `count` catalogue names closest to a name the catalogue does not hold: the names
    /// that contain it (then *partOfSeveral tells whether more than one does), else those a few
    /// typing slips away.
    std::vector<std::string> ClosestNames(std::string_view name, std::size_t count,
                                          bool* partOfSeveral = nullptr) const;

private:
    const std::vector<std::uint32_t>* Named(std::string_view key) const;
    std::int32_t Cheapest(const std::vector<std::uint32_t>& cards, bool foil) const;

    const CardCatalogue& m_catalogue;
    const GameCatalogueIds& m_ids;
    std::unordered_map<std::string, std::vector<std::uint32_t>> m_byName; ///< card places
    std::vector<std::string> m_keys; ///< the distinct name keys, for the closest names
};
