#pragma once

// Writes price files of the real public size and shape for the import benchmarks: MTGJSON
// AllPrintings.json with every key a real card object carries (rules text, flavour text,
// foreign names, legalities, rulings, purchase links, identifiers...) at the text lengths real
// cards have, its AllPricesToday.json with the paper prices of every card beside the game's
// retail and buylist prices, and a Scryfall default-cards file of full card objects. The cards
// are those of PriceFileWriter.h (same names, sets, numbers and uuids), so the two generators'
// files can be mixed.

#include "PriceFileWriter.h"

#include <cstdio>
#include <string>

namespace real_files {

// Words of rules and flavour text; a card's text is a deterministic run of them.
inline std::string Words(std::size_t seed, std::size_t length)
{
    static const char* const kWords[] = {
        "target",      "creature",  "you",     "control",   "gets",      "+1/+1",   "until",
        "end",         "of",        "turn",    "draw",      "a",         "card",    "each",
        "opponent",    "loses",     "life",    "when",      "this",      "enters",  "the",
        "battlefield", "sacrifice", "another", "permanent", "flying",    "trample", "deals",
        "damage",      "to",        "any",     "exile",     "graveyard", "return",  "hand",
        "mana",        "spell",     "cast"};
    std::string text;
    std::size_t state = seed * 2654435761u + 12345;
    while (text.size() < length) {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        if (!text.empty()) {
            text += (state >> 60) == 0 ? ". " : " ";
        }
        text += kWords[(state >> 33) % (sizeof kWords / sizeof kWords[0])];
    }
    return text;
}

inline std::string Legalities(bool scryfall)
{
    static const char* const kFormats[] = {
        "alchemy",   "brawl",           "commander", "duel",    "explorer",    "future",
        "gladiator", "historic",        "legacy",    "modern",  "oathbreaker", "oldschool",
        "pauper",    "paupercommander", "penny",     "pioneer", "predh",       "premodern",
        "standard",  "standardbrawl",   "timeless",  "vintage"};
    std::string text = "{";
    for (std::size_t i = 0; i < sizeof kFormats / sizeof kFormats[0]; ++i) {
        text += std::string(i == 0 ? "" : ", ") + "\"" + kFormats[i] + "\": " +
                (scryfall ? (i % 3 == 0 ? "\"not_legal\"" : "\"legal\"")
                          : (i % 3 == 0 ? "\"Not Legal\"" : "\"Legal\""));
    }
    return text + "}";
}

// One MTGJSON card object of about 4.5-5 KB, as AllPrintings holds it.
inline void WriteMtgjsonCard(std::FILE* file, std::size_t i, const std::string& setCode)
{
    static const char* const kLanguages[] = {
        "Chinese Simplified",  "French",  "German", "Italian", "Japanese", "Korean",
        "Portuguese (Brazil)", "Russian", "Spanish"};
    const std::string uuid = price_files::Uuid(i);
    const std::string name = price_files::CardName(i);
    const std::string text = Words(i, 90 + i % 160);
    std::string foreign;
    // Older printings have fewer translations than newer ones: one to five here.
    for (std::size_t l = 0; l < i % 5 + 1; ++l) {
        char entry[1024];
        std::snprintf(entry, sizeof entry,
                      "%s{\"flavorText\": \"%s\", \"identifiers\": {\"multiverseId\": \"%zu\", "
                      "\"scryfallId\": \"%s\"}, \"language\": \"%s\", \"multiverseId\": %zu, "
                      "\"name\": \"%s %zu\", \"text\": \"%s\", \"type\": \"Kreatur — Goblin\", "
                      "\"uuid\": \"%s\"}",
                      l == 0 ? "" : ", ", Words(i + l, 24).c_str(), 500000 + i * 9 + l,
                      price_files::Uuid(i + 7 * l + 1).c_str(), kLanguages[l], 500000 + i * 9 + l,
                      kLanguages[l], i, Words(i * 3 + l, 80 + (i + l) % 60).c_str(),
                      price_files::Uuid(i + 11 * l + 3).c_str());
        foreign += entry;
    }
    std::fprintf(
        file,
        "{\"artist\": \"Generated Artist %zu\", \"artistIds\": [\"%s\"], \"availability\": "
        "[\"mtgo\", \"paper\"], \"boosterTypes\": [\"default\", \"draft\"], \"borderColor\": "
        "\"black\", \"colorIdentity\": [\"R\"], \"colors\": [\"R\"], \"convertedManaCost\": 3.0, "
        "\"edhrecRank\": %zu, \"edhrecSaltiness\": 0.14, \"finishes\": [\"nonfoil\", \"foil\"], "
        "\"flavorText\": \"%s\", \"foreignData\": [%s], \"frameVersion\": \"2015\", "
        "\"hasFoil\": true, \"hasNonFoil\": true, \"identifiers\": {\"cardKingdomFoilId\": "
        "\"%zu\", \"cardKingdomId\": \"%zu\", \"cardsphereId\": \"%zu\", \"mcmId\": \"%zu\", "
        "\"mcmMetaId\": \"%zu\", \"mtgArenaId\": \"%zu\", \"mtgjsonFoilVersionId\": \"%s\", "
        "\"mtgjsonNonFoilVersionId\": \"%s\", \"mtgjsonV4Id\": \"%s\", \"mtgoFoilId\": \"%zu\", "
        "\"mtgoId\": \"%zu\", \"multiverseId\": \"%zu\", \"scryfallCardBackId\": \"%s\", "
        "\"scryfallId\": \"%s\", \"scryfallIllustrationId\": \"%s\", \"scryfallOracleId\": "
        "\"%s\", \"tcgplayerProductId\": \"%zu\"}, \"isReprint\": true, \"keywords\": "
        "[\"Haste\"], \"language\": \"English\", \"layout\": \"normal\", \"legalities\": %s, "
        "\"manaCost\": \"{2}{R}\", \"manaValue\": 3.0, \"name\": \"%s\", \"number\": \"%zu\", "
        "\"originalText\": \"%s\", \"originalType\": \"Creature - Goblin\", \"power\": \"2\", "
        "\"printings\": [\"%s\", \"M10\", \"M11\", \"MH2\", \"2X2\"], \"purchaseUrls\": "
        "{\"cardKingdom\": \"https://mtgjson.com/links/%016zx\", \"cardKingdomFoil\": "
        "\"https://mtgjson.com/links/%016zx\", \"cardmarket\": "
        "\"https://mtgjson.com/links/%016zx\", \"tcgplayer\": "
        "\"https://mtgjson.com/links/%016zx\"}, \"rarity\": \"%s\", \"rulings\": [{\"date\": "
        "\"2021-06-18\", \"text\": \"%s\"}, {\"date\": \"2022-02-04\", \"text\": \"%s\"}], "
        "\"setCode\": \"%s\", \"sourceProducts\": {\"foil\": [\"%s\"], \"nonfoil\": [\"%s\"]}, "
        "\"subtypes\": [\"Goblin\"], \"supertypes\": [], \"text\": \"%s\", \"toughness\": "
        "\"2\", \"type\": \"Creature — Goblin\", \"types\": [\"Creature\"], \"uuid\": \"%s\", "
        "\"variations\": []}",
        i % 400, price_files::Uuid(i + 5).c_str(), i, Words(i + 1, 60 + i % 60).c_str(),
        foreign.c_str(), 300000 + i, 300001 + i, 70000 + i, 600000 + i, 400000 + i, 80000 + i,
        price_files::Uuid(i + 13).c_str(), price_files::Uuid(i + 17).c_str(),
        price_files::Uuid(i + 19).c_str(), 200000 + 2 * i + 1, 200000 + 2 * i, i,
        price_files::Uuid(3).c_str(), price_files::Uuid(i + 23).c_str(),
        price_files::Uuid(i + 29).c_str(), price_files::Uuid(i + 31).c_str(), 900000 + i,
        Legalities(false).c_str(), name.c_str(), i % price_files::kCardsPerSet + 1, text.c_str(),
        setCode.c_str(), i * 7, i * 7 + 1, i * 7 + 2, i * 7 + 3, price_files::Rarity(i),
        Words(i + 2, 120).c_str(), Words(i + 3, 160).c_str(), setCode.c_str(),
        price_files::Uuid(i + 37).c_str(), price_files::Uuid(i + 41).c_str(), text.c_str(),
        uuid.c_str());
}

// AllPrintings.json of `count` cards in sets of 250 (about 4.5 KB a card).
inline bool WriteAllPrintings(const std::string& path, std::size_t count)
{
    std::FILE* file = std::fopen(path.c_str(), "w");
    if (file == nullptr) {
        return false;
    }
    std::fputs(
        "{\"meta\": {\"date\": \"2026-12-01\", \"version\": \"5.2.2+20261201\"}, \"data\": {",
        file);
    for (std::size_t set = 0; set * price_files::kCardsPerSet < count; ++set) {
        const std::string code = price_files::SetCode(set);
        std::fprintf(file,
                     "%s\"%s\": {\"baseSetSize\": 250, \"block\": \"Generated\", \"booster\": "
                     "{\"default\": {\"boosters\": [{\"contents\": {\"common\": 10, \"rare\": 1, "
                     "\"uncommon\": 3}, \"weight\": 1}], \"boostersTotalWeight\": 1, \"name\": "
                     "\"Default\"}}, \"cards\": [",
                     set == 0 ? "" : ", ", code.c_str());
        for (std::size_t i = set * price_files::kCardsPerSet;
             i < count && i < (set + 1) * price_files::kCardsPerSet; ++i) {
            std::fputs(i == set * price_files::kCardsPerSet ? "" : ", ", file);
            WriteMtgjsonCard(file, i, code);
        }
        std::fprintf(
            file,
            "], \"code\": \"%s\", \"isFoilOnly\": false, \"isOnlineOnly\": false, "
            "\"keyruneCode\": \"%s\", \"mcmId\": %zu, \"mcmName\": \"Generated Set "
            "%zu\", \"mtgoCode\": \"%s\", \"name\": \"Generated Set %zu\", "
            "\"releaseDate\": \"2026-01-01\", \"sealedProduct\": [], \"tcgplayerGroupId\": "
            "%zu, \"tokens\": [], \"totalSetSize\": 250, \"translations\": {\"French\": "
            "\"Ensemble %zu\", \"German\": \"Satz %zu\"}, \"type\": \"expansion\"}",
            code.c_str(), code.c_str(), 3000 + set, set, code.c_str(), set, 5000 + set, set, set);
    }
    std::fputs("}}\n", file);
    return std::fclose(file) == 0;
}

// AllPricesToday.json for the same cards on day `day` of December 2026: the game store's
// retail and buylist prices, and the paper prices of three stores (about 650 bytes a card).
// `moved` (0 to 1) is the share of cards whose game prices differ from day 1.
inline bool WriteAllPricesToday(const std::string& path, std::size_t count, int day,
                                double moved = 1.0)
{
    std::FILE* file = std::fopen(path.c_str(), "w");
    if (file == nullptr) {
        return false;
    }
    std::fprintf(file,
                 "{\"meta\": {\"date\": \"2026-12-%02d\", \"version\": \"5.2.2+202612%02d\"}, "
                 "\"data\": {",
                 day, day);
    for (std::size_t i = 0; i < count; ++i) {
        const bool moves = static_cast<double>((i * 2654435761u) % 1000) < moved * 1000.0;
        const std::size_t shift = moves ? static_cast<std::size_t>(day) : 1;
        char date[16];
        std::snprintf(date, sizeof date, "2026-12-%02d", day);
        std::fprintf(
            file,
            "%s\"%s\": {\"mtgo\": {\"cardhoarder\": {\"buylist\": {\"foil\": {\"%s\": "
            "%zu.%02zu}, \"normal\": {\"%s\": %zu.%02zu}}, \"currency\": \"USD\", \"retail\": "
            "{\"foil\": {\"%s\": %zu.%02zu}, \"normal\": {\"%s\": %zu.%02zu}}}}, \"paper\": "
            "{\"cardkingdom\": {\"buylist\": {\"foil\": {\"%s\": 0.4}, \"normal\": {\"%s\": "
            "0.05}}, \"currency\": \"USD\", \"retail\": {\"foil\": {\"%s\": 1.49}, \"normal\": "
            "{\"%s\": 0.25}}}, \"cardmarket\": {\"currency\": \"EUR\", \"retail\": {\"foil\": "
            "{\"%s\": 0.9}, \"normal\": {\"%s\": 0.12}}}, \"tcgplayer\": {\"buylist\": "
            "{\"normal\": {\"%s\": 0.03}}, \"currency\": \"USD\", \"retail\": {\"foil\": "
            "{\"%s\": 1.1}, \"normal\": {\"%s\": 0.19}}}}}",
            i == 0 ? "" : ", ", price_files::Uuid(i).c_str(), date, i % 30, (i + shift) % 100, date,
            i % 5, (i * 3 + shift) % 100, date, i % 40, (i + shift) % 100, date, i % 7,
            (i * 3 + shift) % 100, date, date, date, date, date, date, date, date, date);
    }
    std::fputs("}}\n", file);
    return std::fclose(file) == 0;
}

// A Scryfall default-cards file: one array of `count` full card objects (about 4.4 KB each).
inline bool WriteDefaultCards(const std::string& path, std::size_t count)
{
    std::FILE* file = std::fopen(path.c_str(), "w");
    if (file == nullptr) {
        return false;
    }
    std::fputs("[\n", file);
    const std::string legalities = Legalities(true);
    for (std::size_t i = 0; i < count; ++i) {
        const std::string id = price_files::Uuid(i);
        const std::string oracle = price_files::Uuid(i + 101);
        std::string set = price_files::SetCode(i / price_files::kCardsPerSet);
        for (char& c : set) {
            c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        }
        const std::size_t number = i % price_files::kCardsPerSet + 1;
        const std::string image = "https://cards.scryfall.io/%s/front/" + id.substr(0, 1) + "/" +
                                  id.substr(1, 1) + "/" + id + ".jpg?1562902883";
        std::string images;
        for (const char* size : {"small", "normal", "large", "png", "art_crop", "border_crop"}) {
            char entry[256];
            std::snprintf(entry, sizeof entry, image.c_str(), size);
            images +=
                std::string(images.empty() ? "" : ", ") + "\"" + size + "\": \"" + entry + "\"";
        }
        std::fprintf(
            file,
            "%s{\"object\": \"card\", \"id\": \"%s\", \"oracle_id\": \"%s\", \"multiverse_ids\": "
            "[%zu], \"mtgo_id\": %zu, \"mtgo_foil_id\": %zu, \"tcgplayer_id\": %zu, "
            "\"cardmarket_id\": %zu, \"name\": \"%s\", \"lang\": \"en\", \"released_at\": "
            "\"2026-01-01\", \"uri\": \"https://api.scryfall.com/cards/%s\", \"scryfall_uri\": "
            "\"https://scryfall.com/card/%s/%zu/%s?utm_source=api\", \"layout\": \"normal\", "
            "\"highres_image\": true, \"image_status\": \"highres_scan\", \"image_uris\": {%s}, "
            "\"mana_cost\": \"{2}{R}\", \"cmc\": 3.0, \"type_line\": \"Creature — Goblin\", "
            "\"oracle_text\": \"%s\", \"power\": \"2\", \"toughness\": \"2\", \"colors\": "
            "[\"R\"], \"color_identity\": [\"R\"], \"keywords\": [\"Haste\"], \"legalities\": %s, "
            "\"games\": [\"paper\", \"mtgo\"], \"reserved\": false, \"foil\": true, \"nonfoil\": "
            "true, \"finishes\": [\"nonfoil\", \"foil\"], \"oversized\": false, \"promo\": false, "
            "\"reprint\": true, \"variation\": false, \"set_id\": \"%s\", \"set\": \"%s\", "
            "\"set_name\": \"Generated Set %zu\", \"set_type\": \"expansion\", \"set_uri\": "
            "\"https://api.scryfall.com/sets/%s\", \"set_search_uri\": "
            "\"https://api.scryfall.com/cards/search?order=set&q=e%%3A%s&unique=prints\", "
            "\"scryfall_set_uri\": \"https://scryfall.com/sets/%s?utm_source=api\", "
            "\"rulings_uri\": \"https://api.scryfall.com/cards/%s/rulings\", "
            "\"prints_search_uri\": \"https://api.scryfall.com/cards/search?order=released&q="
            "oracleid%%3A%s&unique=prints\", \"collector_number\": \"%zu\", \"digital\": false, "
            "\"rarity\": \"%s\", \"flavor_text\": \"%s\", \"card_back_id\": "
            "\"0aeebaf5-8c7d-4636-9e82-8c27447861f7\", \"artist\": \"Generated Artist %zu\", "
            "\"artist_ids\": [\"%s\"], \"illustration_id\": \"%s\", \"border_color\": \"black\", "
            "\"frame\": \"2015\", \"full_art\": false, \"textless\": false, \"booster\": true, "
            "\"story_spotlight\": false, \"edhrec_rank\": %zu, \"penny_rank\": %zu, \"prices\": "
            "{\"usd\": \"0.%02zu\", \"usd_foil\": \"1.%02zu\", \"usd_etched\": null, \"eur\": "
            "\"0.%02zu\", \"eur_foil\": \"0.%02zu\", \"tix\": \"%zu.%02zu\"}, \"related_uris\": "
            "{\"gatherer\": \"https://gatherer.wizards.com/Pages/Card/Details.aspx?multiverseid="
            "%zu\", \"tcgplayer_infinite_articles\": \"https://tcgplayer.pxf.io/c/4931599/1830156/"
            "21018?subId1=api&trafcat=infinite&u=https%%3A%%2F%%2Finfinite.tcgplayer.com%%2Fsearch"
            "%%3FcontentMode%%3Darticle%%26game%%3Dmagic%%26q%%3D%zu\", \"edhrec\": "
            "\"https://edhrec.com/route/?cc=%zu\"}, \"purchase_uris\": {\"tcgplayer\": "
            "\"https://tcgplayer.pxf.io/c/4931599/1830156/21018?subId1=api&u=https%%3A%%2F%%2F"
            "www.tcgplayer.com%%2Fproduct%%2F%zu%%3Fpage%%3D1\", \"cardmarket\": "
            "\"https://www.cardmarket.com/en/Magic/Products/Search?referrer=scryfall&searchString="
            "%zu\", \"cardhoarder\": \"https://www.cardhoarder.com/cards/%zu?affiliate_id="
            "scryfall&ref=card-profile&utm_campaign=affiliate&utm_medium=card&utm_source="
            "scryfall\"}}",
            i == 0 ? "" : ",\n", id.c_str(), oracle.c_str(), i, 200000 + 2 * i, 200000 + 2 * i + 1,
            900000 + i, 600000 + i, price_files::CardName(i).c_str(), id.c_str(), set.c_str(),
            number, id.c_str(), images.c_str(), Words(i, 90 + i % 160).c_str(), legalities.c_str(),
            price_files::Uuid(i / 250 + 7).c_str(), set.c_str(), i / price_files::kCardsPerSet,
            set.c_str(), set.c_str(), set.c_str(), id.c_str(), oracle.c_str(), number,
            price_files::Rarity(i), Words(i + 1, 60 + i % 60).c_str(), i % 400,
            price_files::Uuid(i + 5).c_str(), price_files::Uuid(i + 29).c_str(), i, i / 2, i % 100,
            (i * 3) % 100, i % 90, (i * 7) % 100, i % 7, i % 100, i, i, i, 900000 + i, i,
            200000 + 2 * i);
    }
    std::fputs("\n]\n", file);
    return std::fclose(file) == 0;
}

} // namespace real_files
