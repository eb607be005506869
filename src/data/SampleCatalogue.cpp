#include "data/SampleCatalogue.h"

#include "data/CADOException.h"
#include "data/DatabaseSchema.h"
#include "data/KnownSets.h"
#include "data/SqliteStatement.h"

#include <sqlite3.h>

#include <array>
#include <charconv>
#include <cmath>
#include <fstream>
#include <map>
#include <string_view>

namespace sample_catalogue {
namespace {

std::uint64_t Mix(std::uint64_t x)
{
    // splitmix64: a fixed, platform-independent scramble.
    x += 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

std::uint64_t HashCard(const CardRecord& card)
{
    std::uint64_t hash = 0xCBF29CE484222325ull; // FNV-1a
    for (const char c : card.name) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001B3ull;
    }
    return Mix(hash ^ static_cast<std::uint64_t>(card.expansion));
}

// The double nearest to the value rounded to whole cents, so that it is stored as "0.1", not
// with the noise of a binary product such as 0.05 x 3 = 0.15000000000000002.
double Cents(double value)
{
    return std::round(value * 100.0) / 100.0;
}

bool ParseInt(std::string_view text, std::int32_t& out)
{
    const auto result = std::from_chars(text.data(), text.data() + text.size(), out);
    return result.ec == std::errc() && result.ptr == text.data() + text.size();
}

std::vector<std::string_view> SplitTabs(std::string_view line)
{
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    while (true) {
        const std::size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab - start));
        if (tab == std::string_view::npos) {
            return fields;
        }
        start = tab + 1;
    }
}

class Random {
public:
    explicit Random(std::uint64_t seed) : m_state(seed) {}
    std::uint64_t Next() { return Mix(m_state++); }
    std::size_t Below(std::size_t n) { return static_cast<std::size_t>(Next() % n); }

private:
    std::uint64_t m_state;
};

// Words of the kind card names are made of; with the joining words below they give names like
// "Ancient Storm of the Hollow Vale".
constexpr std::array<std::string_view, 96> kWords = {
    "Angel",  "Archer",  "Ancient", "Ash",    "Aven",   "Blade",   "Blood",  "Bog",     "Bone",
    "Breath", "Burning", "Call",    "Cat",    "Chant",  "Circle",  "Cloud",  "Crypt",   "Crown",
    "Dark",   "Dawn",    "Death",   "Dragon", "Dream",  "Dust",    "Eagle",  "Elder",   "Elf",
    "Ember",  "Fire",    "Flame",   "Forest", "Frost",  "Gate",    "Ghost",  "Giant",   "Glory",
    "Goblin", "Grave",   "Guard",   "Hammer", "Hawk",   "Heart",   "Hollow", "Horror",  "Hunter",
    "Iron",   "Knight",  "Lance",   "Legion", "Light",  "Lord",    "Mage",   "Marsh",   "Mind",
    "Mirror", "Moon",    "Night",   "Oath",   "Oracle", "Phantom", "Plague", "Priest",  "Rage",
    "Raven",  "Rift",    "River",   "Rot",    "Sage",   "Salve",   "Scout",  "Serpent", "Shade",
    "Shadow", "Shield",  "Silver",  "Skull",  "Soul",   "Spirit",  "Stone",  "Storm",   "Sun",
    "Sword",  "Thorn",   "Thunder", "Tide",   "Tomb",   "Tower",   "Vale",   "Vampire", "Void",
    "Warden", "Whisper", "Wild",    "Wind",   "Wolf",   "Wurm"};
constexpr std::array<std::string_view, 6> kLinks = {"of", "of the", "and", "of", "the", "to"};

std::string MakeName(Random& random)
{
    // Word counts as in real card lists: mostly two words, often one or three, a few four.
    const std::size_t roll = random.Below(100);
    const std::size_t words = roll < 18 ? 1 : roll < 65 ? 2 : roll < 90 ? 3 : 4;
    std::string name;
    for (std::size_t i = 0; i < words; ++i) {
        if (i > 0) {
            name += ' ';
            if (words >= 3 && i == words - 1 && random.Below(3) == 0) {
                name += kLinks[random.Below(kLinks.size())];
                name += ' ';
            }
        }
        name += kWords[random.Below(kWords.size())];
        if (i == 0 && words > 1 && random.Below(12) == 0) {
            name += "'s";
        }
    }
    return name;
}

} // namespace

const std::vector<CardSet>& NineSets()
{
    static const std::vector<CardSet> sets = {
        {10, "7E", "Seventh Edition"}, {20, "IN", "Invasion"},  {30, "PS", "Planeshift"},
        {40, "AP", "Apocalypse"},      {50, "OD", "Odyssey"},   {60, "TO", "Torment"},
        {70, "JU", "Judgment"},        {80, "ON", "Onslaught"}, {90, "LE", "Legions"}};
    return sets;
}

bool ReadSetsTsv(const std::string& path, std::vector<CardSet>& sets,
                 std::vector<CardRecord>& cards, std::string* error)
{
    sets.clear();
    cards.clear();
    std::ifstream file(path);
    if (!file) {
        if (error != nullptr) {
            *error = "Cannot read the card list " + path + ".";
        }
        return false;
    }
    std::map<std::int32_t, CardSet> found;
    std::string line;
    int lineNumber = 0;
    while (std::getline(file, line)) {
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (lineNumber == 1 || line.empty()) {
            continue; // the header line
        }
        const std::vector<std::string_view> fields = SplitTabs(line);
        CardRecord card;
        if (fields.size() != 6 || !ParseInt(fields[0], card.expansion) ||
            !ParseInt(fields[3], card.collection_no) || !ParseInt(fields[4], card.rarity) ||
            fields[5].empty()) {
            if (error != nullptr) {
                *error = path + ", line " + std::to_string(lineNumber) +
                         ": expected set_id, set_code, set_name, collection_no, rarity and name "
                         "separated by tabs.";
            }
            sets.clear();
            cards.clear();
            return false;
        }
        found.emplace(card.expansion,
                      CardSet{card.expansion, std::string(fields[1]), std::string(fields[2])});
        card.name = fields[5];
        card.id = static_cast<std::int32_t>(cards.size() + 1);
        cards.push_back(std::move(card));
    }
    for (auto& entry : found) {
        sets.push_back(std::move(entry.second));
    }
    return true;
}

void ApplyIllustrativePrices(std::vector<CardRecord>& cards, const DateTime& today)
{
    const std::int64_t now = today.SecondsSinceZero();
    for (CardRecord& card : cards) {
        const std::uint64_t hash = HashCard(card);
        const double spread = static_cast<double>(hash % 1000) / 1000.0; // 0 .. 0.999
        double value = 0.0;
        card.hot = 0;
        if (card.rarity == 10) {
            value = 0.01 + 0.09 * spread; // 0.01 .. 0.10
        } else if (card.rarity == 20) {
            value = 0.15 + 0.45 * spread; // 0.15 .. 0.60
        } else {
            value = 0.75 + 11.0 * spread * spread; // 0.75 .. 11.75, most of them cheap
            if ((hash >> 20) % 25 == 0) {
                card.hot = 1;
                value += 8.0;
            }
        }
        card.reg_value = Cents(value);
        card.foil_value = Cents(card.reg_value * static_cast<double>(2 + (hash >> 12) % 4));
        const auto age = static_cast<std::int64_t>((hash >> 32) % (365ull * 86400ull));
        card.update_date = DateTime::FromSecondsSinceZero(now - age);
    }
}

std::vector<CardRecord> MakeSyntheticCards(std::size_t count, std::uint64_t seed,
                                           const DateTime& today)
{
    Random random(seed);
    const std::vector<CardSet>& sets = NineSets();
    std::array<std::int32_t, 9> numbers{};
    std::vector<CardRecord> cards;
    cards.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        CardRecord card;
        card.id = static_cast<std::int32_t>(i + 1);
        card.name = MakeName(random);
        const std::size_t set = random.Below(sets.size());
        card.expansion = sets[set].id;
        card.collection_no = ++numbers[set];
        const std::size_t roll = random.Below(10);
        card.rarity = roll < 4 ? 10 : roll < 7 ? 20 : 30;
        cards.push_back(std::move(card));
    }
    ApplyIllustrativePrices(cards, today);
    return cards;
}

bool WritePriceDatabase(const std::string& path, const std::vector<CardSet>& sets,
                        const std::vector<CardRecord>& cards, std::string* error)
{
    const auto fill = [&](sqlite3* db) {
        SqliteStatement set(db, "insert into expansion (expansion_id, name) values (?, ?)",
                            SqliteStatement::ThrowEngineError);
        SqliteStatement setCode(db, "insert into expansion_code (expansion_id, code) values (?, ?)",
                                SqliteStatement::ThrowEngineError);
        for (const CardSet& cardSet : sets) {
            sqlite3_bind_int(*set, 1, cardSet.id);
            sqlite3_bind_text(*set, 2, cardSet.name.c_str(), -1, SQLITE_TRANSIENT);
            set.Run();
            std::string code = known_sets::CurrentCode(cardSet.code);
            if (code.empty()) {
                code = known_sets::CurrentCode(cardSet.name);
            }
            if (code.empty()) {
                code = cardSet.code;
            }
            if (code.empty()) {
                continue;
            }
            sqlite3_bind_int(*setCode, 1, cardSet.id);
            sqlite3_bind_text(*setCode, 2, code.c_str(), -1, SQLITE_TRANSIENT);
            setCode.Run();
        }
        SqliteStatement card(db,
                             "insert into cardslist (id, name, reg_value, foil_value, expansion, "
                             "collection_no, rarity, hot, update_date, manual_modify) "
                             "values (?, ?, ?, ?, ?, ?, ?, ?, ?, 0)",
                             SqliteStatement::ThrowEngineError);
        for (const CardRecord& record : cards) {
            sqlite3_bind_int(*card, 1, record.id);
            sqlite3_bind_text(*card, 2, record.name.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_double(*card, 3, record.reg_value);
            sqlite3_bind_double(*card, 4, record.foil_value);
            sqlite3_bind_int(*card, 5, record.expansion);
            sqlite3_bind_int(*card, 6, record.collection_no);
            sqlite3_bind_int(*card, 7, record.rarity);
            sqlite3_bind_int(*card, 8, record.hot);
            const std::string date = record.update_date.Format("%Y-%m-%d %H:%M:%S");
            if (date.empty()) {
                sqlite3_bind_null(*card, 9);
            } else {
                sqlite3_bind_text(*card, 9, date.c_str(), -1, SQLITE_TRANSIENT);
            }
            card.Run();
        }
    };
    return database_schema::CreatePriceDatabase(path, fill, error);
}

} // namespace sample_catalogue
