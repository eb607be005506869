#pragma once

// Writes price files of the real public shapes (MTGJSON AllPrintings and AllPricesToday, a
// CSV price list) with `count` made-up cards, for the import benchmarks. Card objects carry the
// keys real files carry around the ones the import reads, so the reader skips as much as it
// would in a real file.

#include <cstddef>
#include <cstdio>
#include <string>

namespace price_files {

inline std::string Uuid(std::size_t i)
{
    char text[40];
    std::snprintf(text, sizeof text, "%08zx-4a1b-5c2d-8e3f-%012zx", i * 2654435761u % 0xFFFFFFFFu,
                  i);
    return text;
}

inline std::string CardName(std::size_t i)
{
    static const char* const kWords[] = {"Ancient", "Storm", "Hollow", "Vale", "Goblin", "Oracle",
                                         "Ember", "Knight", "Mirror", "Dawn", "Crypt", "Lance"};
    return std::string(kWords[i % 12]) + " " + kWords[(i / 12) % 12] + " " +
           std::to_string(i);
}

inline const char* Rarity(std::size_t i)
{
    static const char* const kRarities[] = {"common", "common", "uncommon", "rare", "mythic"};
    return kRarities[i % 5];
}

constexpr std::size_t kCardsPerSet = 250;

inline std::string SetCode(std::size_t set)
{
    return "Q" + std::to_string(10 + set);
}

// AllPrintings.json: `count` cards in sets of 250.
inline bool WriteAllPrintings(const std::string& path, std::size_t count)
{
    std::FILE* file = std::fopen(path.c_str(), "w");
    if (file == nullptr) {
        return false;
    }
    std::fputs("{\"meta\": {\"date\": \"2026-12-01\", \"version\": \"5.2.2+20261201\"}, \"data\": {",
               file);
    for (std::size_t set = 0; set * kCardsPerSet < count; ++set) {
        const std::string code = SetCode(set);
        std::fprintf(file,
                     "%s\"%s\": {\"baseSetSize\": 250, \"block\": \"Generated\", \"booster\": "
                     "{\"default\": {\"boosters\": [{\"contents\": {\"common\": 10}, \"weight\": "
                     "1}]}}, \"cards\": [",
                     set == 0 ? "" : ", ", code.c_str());
        for (std::size_t i = set * kCardsPerSet; i < count && i < (set + 1) * kCardsPerSet; ++i) {
            std::fprintf(
                file,
                "%s{\"artist\": \"Generated Artist\", \"availability\": [\"mtgo\", \"paper\"], "
                "\"borderColor\": \"black\", \"colorIdentity\": [\"R\"], \"colors\": [\"R\"], "
                "\"convertedManaCost\": 3.0, \"edhrecRank\": %zu, \"finishes\": [\"nonfoil\", "
                "\"foil\"], \"foreignData\": [{\"language\": \"German\", \"name\": \"Karte %zu\"}], "
                "\"frameVersion\": \"2015\", \"hasFoil\": true, \"hasNonFoil\": true, "
                "\"identifiers\": {\"cardKingdomId\": \"%zu\", \"mtgoFoilId\": \"%zu\", "
                "\"mtgoId\": \"%zu\", \"multiverseId\": \"%zu\", \"scryfallId\": \"%s\"}, "
                "\"layout\": \"normal\", \"legalities\": {\"commander\": \"Legal\", \"legacy\": "
                "\"Legal\", \"vintage\": \"Legal\"}, \"manaCost\": \"{2}{R}\", \"manaValue\": 3.0, "
                "\"name\": \"%s\", \"number\": \"%zu\", \"power\": \"2\", \"rarity\": \"%s\", "
                "\"setCode\": \"%s\", \"subtypes\": [\"Goblin\"], \"supertypes\": [], \"text\": "
                "\"When this creature enters, it deals 2 damage to any target.\", \"toughness\": "
                "\"2\", \"type\": \"Creature — Goblin\", \"types\": [\"Creature\"], \"uuid\": "
                "\"%s\"}",
                i == set * kCardsPerSet ? "" : ", ", i, i, i, 200000 + 2 * i + 1, 200000 + 2 * i,
                i, Uuid(i).c_str(), CardName(i).c_str(), i % kCardsPerSet + 1, Rarity(i),
                code.c_str(), Uuid(i).c_str());
        }
        std::fprintf(file,
                     "], \"code\": \"%s\", \"isFoilOnly\": false, \"name\": \"Generated Set %zu\", "
                     "\"releaseDate\": \"2026-01-01\", \"tokens\": [], \"totalSetSize\": 250, "
                     "\"translations\": {}, \"type\": \"expansion\"}",
                     code.c_str(), set);
    }
    std::fputs("}}\n", file);
    return std::fclose(file) == 0;
}

// AllPricesToday.json for the same cards; `day` shifts the prices so a later file differs.
inline bool WriteAllPricesToday(const std::string& path, std::size_t count, int day = 1)
{
    std::FILE* file = std::fopen(path.c_str(), "w");
    if (file == nullptr) {
        return false;
    }
    std::fprintf(file, "{\"meta\": {\"date\": \"2026-12-%02d\", \"version\": \"5.2.2\"}, \"data\": {",
                 day);
    for (std::size_t i = 0; i < count; ++i) {
        std::fprintf(file,
                     "%s\"%s\": {\"mtgo\": {\"cardhoarder\": {\"currency\": \"USD\", \"retail\": "
                     "{\"foil\": {\"2026-12-%02d\": %zu.%02zu}, \"normal\": {\"2026-12-%02d\": "
                     "%zu.%02zu}}}}, \"paper\": {\"cardkingdom\": {\"buylist\": {\"normal\": "
                     "{\"2026-12-%02d\": 0.05}}, \"currency\": \"USD\", \"retail\": {\"normal\": "
                     "{\"2026-12-%02d\": 0.25}}}}}",
                     i == 0 ? "" : ", ", Uuid(i).c_str(), day, i % 40, (i + day) % 100, day,
                     i % 7, (i * 3 + day) % 100, day, day);
    }
    std::fputs("}}\n", file);
    return std::fclose(file) == 0;
}

// A CSV price list of `count` rows.
inline bool WriteCsv(const std::string& path, std::size_t count)
{
    std::FILE* file = std::fopen(path.c_str(), "w");
    if (file == nullptr) {
        return false;
    }
    std::fputs("Name,Set,Number,Rarity,Regular,Foil,Date\n", file);
    for (std::size_t i = 0; i < count; ++i) {
        std::fprintf(file, "\"%s\",%s,%zu,%s,%zu.%02zu,%zu.%02zu,2026-12-01\n",
                     CardName(i).c_str(), SetCode(i / kCardsPerSet).c_str(),
                     i % kCardsPerSet + 1, Rarity(i), i % 7, i % 100, i % 40, (i * 7) % 100);
    }
    return std::fclose(file) == 0;
}

} // namespace price_files
