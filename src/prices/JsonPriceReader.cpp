#include "prices/JsonPriceReader.h"

#include "prices/ImportedCard.h"

#include <simdjson.h>

#include <charconv>
#include <unordered_map>
#include <vector>

namespace od = simdjson::ondemand;

namespace {

constexpr std::size_t kProgressEvery = 512;

std::int64_t IdFromText(std::string_view text)
{
    std::int64_t id = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), id);
    return result.ec == std::errc() && result.ptr == text.data() + text.size() && id > 0 ? id : 0;
}

// A string value, or empty when the value is of another kind (null, number...).
std::string Text(od::value value)
{
    if (value.type() != od::json_type::string) {
        return {};
    }
    return std::string(std::string_view(value.get_string()));
}

// One MTGJSON set's name and code, given to its cards once the set object ends (the keys come
// in alphabetical order, so "cards" comes before "code" and "name").
struct SetInfo {
    std::string code;
    std::string name;
};

} // namespace

struct JsonPriceReader::State {
    od::parser parser;
    std::vector<ImportedCard> cards;                      // MTGJSON cards in file order
    std::unordered_map<std::string, std::size_t> byUuid;  // uuid -> index in cards
    // uuid -> MTGO prices read before the card they belong to; later ones go to the card.
    std::unordered_map<std::string, std::vector<DatedPrice>> prices;
    bool sawCardFile = false;
    bool sawPriceFile = false;

    // Per file
    const simdjson::padded_string* text = nullptr;
    od::document* doc = nullptr;
    std::string file;
    ImportSink* sink = nullptr;
    std::size_t items = 0;

    std::size_t Offset()
    {
        const char* at = nullptr;
        if (doc == nullptr || doc->current_location().get(at) != simdjson::SUCCESS) {
            return text->size();
        }
        return static_cast<std::size_t>(at - text->data());
    }
    std::string Where() { return file + " byte " + std::to_string(Offset()); }
    void Tick()
    {
        if (++items % kProgressEvery == 0) {
            sink->Progress(text->size() / 10 + Offset() * 9 / 10, text->size());
        }
    }

    void ReadScryfall(od::array cards);
    void ReadMtgjson(od::object top);
    void ReadData(od::object data);
    bool ReadEntry(std::string_view key, od::object entry);
    void ReadCards(od::array cards, std::vector<std::size_t>& added);
    void ReadCard(od::object card, std::string uuid, std::vector<std::size_t>* added);
    std::vector<DatedPrice> ReadGamePrices(od::object formats);
    void AddCard(ImportedCard&& card, const std::string& uuid, std::vector<std::size_t>* added);
};

void JsonPriceReader::State::ReadScryfall(od::array array)
{
    std::size_t seen = 0;
    std::size_t known = 0;
    for (od::value element : array) {
        Tick();
        ++seen;
        const std::string where = Where();
        if (element.type() != od::json_type::object) {
            continue;
        }
        ImportedCard card;
        card.where = where;
        bool isCard = true;
        bool onGame = false;
        std::optional<std::string> tix;
        for (od::field field : element.get_object()) {
            const od::raw_json_string key = field.key();
            od::value value = field.value();
            if (key == "object") {
                isCard = Text(value) == "card";
            } else if (key == "name") {
                card.name = Text(value);
            } else if (key == "set") {
                card.setCode = Text(value);
            } else if (key == "set_name") {
                card.setName = Text(value);
            } else if (key == "collector_number") {
                card.number = Text(value);
            } else if (key == "rarity") {
                card.rarity = price_text::RarityCode(Text(value));
            } else if (key == "mtgo_id") {
                std::int64_t id = 0;
                if (value.get_int64().get(id) == simdjson::SUCCESS && id > 0) {
                    card.gameId = id;
                    onGame = true;
                }
            } else if (key == "prices" && value.type() == od::json_type::object) {
                for (od::field price : value.get_object()) {
                    if (price.key() == "tix") {
                        od::value tixValue = price.value();
                        if (tixValue.type() == od::json_type::string) {
                            tix = std::string(std::string_view(tixValue.get_string()));
                        } else if (tixValue.type() == od::json_type::number) {
                            tix = std::string(std::string_view(tixValue.raw_json_token()));
                        }
                    }
                }
            }
        }
        if (!isCard || card.name.empty() || card.setCode.empty()) {
            continue;
        }
        ++known;
        if (!onGame || !tix) {
            sink->NotOnGame();
            continue;
        }
        const std::optional<double> value = price_text::ParseNumber(*tix);
        if (!value || *value < 0) {
            sink->Skip(where, std::string(value ? "negative" : "not a number") + " price \"" +
                                  *tix + "\"");
            continue;
        }
        DatedPrice price;
        price.date = sink->DefaultDate();
        price.regular = *value;
        card.prices.push_back(std::move(price));
        sink->Card(std::move(card));
    }
    if (seen > 0 && known == 0) {
        throw PriceImportError::File(file +
                                     " is a JSON array but holds no Scryfall cards (objects with "
                                     "\"name\" and \"set\"); is it Scryfall's \"Default Cards\"?");
    }
}

void JsonPriceReader::State::ReadMtgjson(od::object top)
{
    bool data = false;
    for (od::field field : top) {
        if (field.key() == "data") {
            od::value value = field.value();
            if (value.type() != od::json_type::object) {
                throw PriceImportError::File(file + " byte " + std::to_string(Offset()) +
                                             ": \"data\" is not an object; is it an MTGJSON file?");
            }
            ReadData(value.get_object());
            data = true;
        }
    }
    if (!data) {
        throw PriceImportError::File(file +
                                     " is a JSON object without \"data\": neither an MTGJSON card "
                                     "file (AllPrintings, a set file, AllIdentifiers) nor an "
                                     "MTGJSON price file (AllPricesToday, AllPrices).");
    }
}

void JsonPriceReader::State::ReadData(od::object data)
{
    SetInfo single;
    std::vector<std::size_t> singleCards;
    bool any = false;
    for (od::field field : data) {
        const std::string key(std::string_view(field.unescaped_key()));
        od::value value = field.value();
        const od::json_type type = value.type();
        if (key == "cards" && type == od::json_type::array) {
            ReadCards(value.get_array(), singleCards);
            any = true;
        } else if (key == "code" && type == od::json_type::string) {
            single.code = Text(value);
        } else if (key == "name" && type == od::json_type::string) {
            single.name = Text(value);
        } else if (type == od::json_type::object) {
            any = ReadEntry(key, value.get_object()) || any;
        }
    }
    for (const std::size_t index : singleCards) {
        if (cards[index].setCode.empty()) {
            cards[index].setCode = single.code;
        }
        cards[index].setName = single.name;
    }
    if (!any) {
        throw PriceImportError::File(file +
                                     " holds no MTGJSON cards or prices under \"data\"; give "
                                     "AllPrintings.json (or a set file) and AllPricesToday.json.");
    }
}

bool JsonPriceReader::State::ReadEntry(std::string_view key, od::object entry)
{
    Tick();
    SetInfo set;
    std::vector<std::size_t> setCards;
    bool isSet = false;
    bool isPrice = false;
    ImportedCard card;
    bool isCard = false;
    std::string uuid(key);
    for (od::field field : entry) {
        const od::raw_json_string name = field.key();
        od::value value = field.value();
        if (name == "cards" && value.type() == od::json_type::array) {
            ReadCards(value.get_array(), setCards);
            isSet = true;
        } else if (name == "mtgo" && value.type() == od::json_type::object) {
            std::vector<DatedPrice> days = ReadGamePrices(value.get_object());
            const auto known = byUuid.find(uuid);
            std::vector<DatedPrice>& all =
                known != byUuid.end() ? cards[known->second].prices : prices[uuid];
            all.insert(all.end(), std::make_move_iterator(days.begin()),
                       std::make_move_iterator(days.end()));
            isPrice = true;
        } else if (name == "paper") {
            isPrice = true;
        } else if (name == "code") {
            set.code = Text(value);
        } else if (name == "name") {
            set.name = card.name = Text(value);
        } else if (name == "setCode") {
            card.setCode = Text(value);
            isCard = true;
        } else if (name == "uuid") {
            uuid = Text(value);
        } else if (name == "number") {
            card.number = Text(value);
        } else if (name == "rarity") {
            card.rarity = price_text::RarityCode(Text(value));
        } else if (name == "identifiers" && value.type() == od::json_type::object) {
            isCard = true;
            for (od::field id : value.get_object()) {
                if (id.key() == "mtgoId") {
                    card.gameId = IdFromText(Text(id.value()));
                }
            }
        }
    }
    if (isSet) {
        for (const std::size_t index : setCards) {
            if (cards[index].setCode.empty()) {
                cards[index].setCode = set.code;
            }
            cards[index].setName = set.name;
        }
    } else if (isCard) {
        AddCard(std::move(card), uuid, nullptr);
    }
    if (isPrice) {
        sawPriceFile = true;
    }
    return isSet || isCard || isPrice;
}

void JsonPriceReader::State::ReadCards(od::array array, std::vector<std::size_t>& added)
{
    for (od::value element : array) {
        Tick();
        if (element.type() == od::json_type::object) {
            ReadCard(element.get_object(), std::string(), &added);
        }
    }
}

void JsonPriceReader::State::ReadCard(od::object object, std::string uuid,
                                      std::vector<std::size_t>* added)
{
    ImportedCard card;
    card.where = Where();
    for (od::field field : object) {
        const od::raw_json_string key = field.key();
        od::value value = field.value();
        if (key == "uuid") {
            uuid = Text(value);
        } else if (key == "name") {
            card.name = Text(value);
        } else if (key == "setCode") {
            card.setCode = Text(value);
        } else if (key == "number") {
            card.number = Text(value);
        } else if (key == "rarity") {
            card.rarity = price_text::RarityCode(Text(value));
        } else if (key == "identifiers" && value.type() == od::json_type::object) {
            for (od::field id : value.get_object()) {
                if (id.key() == "mtgoId") {
                    card.gameId = IdFromText(Text(id.value()));
                }
            }
        }
    }
    AddCard(std::move(card), uuid, added);
}

void JsonPriceReader::State::AddCard(ImportedCard&& card, const std::string& uuid,
                                     std::vector<std::size_t>* added)
{
    sawCardFile = true;
    if (card.where.empty()) {
        card.where = Where();
    }
    if (uuid.empty()) {
        return;
    }
    const auto [slot, fresh] = byUuid.emplace(uuid, cards.size());
    if (fresh) {
        const auto early = prices.find(uuid);
        if (early != prices.end()) {
            card.prices = std::move(early->second);
            prices.erase(early);
        }
        cards.push_back(std::move(card));
    } else {
        // The same card again: its later description counts, the prices stay.
        card.prices = std::move(cards[slot->second].prices);
        cards[slot->second] = std::move(card);
    }
    if (added != nullptr) {
        added->push_back(slot->second);
    }
}

std::vector<DatedPrice> JsonPriceReader::State::ReadGamePrices(od::object formats)
{
    std::vector<DatedPrice> days;
    for (od::field provider : formats) {
        if (provider.key() != "cardhoarder") {
            continue;
        }
        od::value list = provider.value();
        if (list.type() != od::json_type::object) {
            continue;
        }
        for (od::field kind : list.get_object()) {
            if (kind.key() != "retail") {
                continue;
            }
            od::value retail = kind.value();
            if (retail.type() != od::json_type::object) {
                continue;
            }
            for (od::field side : retail.get_object()) {
                const bool normal = side.key() == "normal";
                const bool foil = side.key() == "foil";
                od::value byDate = side.value();
                if ((!normal && !foil) || byDate.type() != od::json_type::object) {
                    continue;
                }
                for (od::field day : byDate.get_object()) {
                    const std::string date(std::string_view(day.unescaped_key()));
                    od::value number = day.value();
                    double value = 0.0;
                    if (!price_text::IsDate(date) || number.type() != od::json_type::number ||
                        number.get_double().get(value) != simdjson::SUCCESS || value < 0) {
                        sink->Skip(Where(), "a price that is not a dated, positive number");
                        continue;
                    }
                    DatedPrice price;
                    price.date = date;
                    (normal ? price.regular : price.foil) = value;
                    days.push_back(std::move(price));
                }
            }
        }
    }
    return days;
}

JsonPriceReader::JsonPriceReader() : m_state(std::make_unique<State>()) {}

JsonPriceReader::~JsonPriceReader() = default;

void JsonPriceReader::Read(const simdjson::padded_string& text, const std::string& fileName,
                           ImportSink& sink)
{
    State& state = *m_state;
    state.text = &text;
    state.file = fileName;
    state.sink = &sink;
    state.items = 0;
    state.doc = nullptr;
    // The document outlives the try block: an error's byte offset is read from it afterwards.
    od::document doc;
    try {
        doc = state.parser.iterate(text);
        state.doc = &doc;
        const od::json_type type = doc.type();
        if (type == od::json_type::array) {
            state.ReadScryfall(doc.get_array());
        } else if (type == od::json_type::object) {
            state.ReadMtgjson(doc.get_object());
        }
        state.doc = nullptr;
    } catch (const simdjson::simdjson_error& error) {
        const std::size_t offset = state.Offset();
        state.doc = nullptr;
        throw PriceImportError::File(fileName + " byte " + std::to_string(offset) +
                                     ": the JSON is invalid or cut short (" + error.what() +
                                     "). Download the file again.");
    } catch (...) {
        state.doc = nullptr;
        throw;
    }
    sink.Progress(text.size(), text.size());
}

void JsonPriceReader::Finish(ImportSink& sink)
{
    State& state = *m_state;
    if (state.sawCardFile && !state.sawPriceFile) {
        throw PriceImportError::File(
            "The MTGJSON card file has no price file beside it: give "
            "AllPricesToday.json (or AllPrices.json) on the same command.");
    }
    if (state.sawPriceFile && !state.sawCardFile) {
        throw PriceImportError::File(
            "The MTGJSON price file has no card file beside it: give "
            "AllPrintings.json (or a set file, or AllIdentifiers.json) on the "
            "same command.");
    }
    for (ImportedCard& card : state.cards) {
        if (card.gameId == 0 || card.prices.empty()) {
            sink.NotOnGame();
            continue;
        }
        sink.Card(std::move(card));
    }
    state.cards.clear();
    state.byUuid.clear();
    state.prices.clear();
}
