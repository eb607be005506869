#include "prices/MtgjsonPriceReader.h"

#include "prices/JsonPriceFile.h"
#include "prices/PriceTextParser.h"

#include <charconv>
#include <unordered_map>
#include <vector>

namespace od = simdjson::ondemand;

namespace {

std::int64_t IdFromText(std::string_view text)
{
    std::int64_t id = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), id);
    return result.ec == std::errc() && result.ptr == text.data() + text.size() && id > 0 ? id : 0;
}

constexpr JsonPriceFile::CardFieldNames kCardFields = {"name", "setCode", "number"};

// The game's ids of a card's regular and foil versions among its "identifiers" (0 when absent).
void ReadGameIds(od::object identifiers, ImportedCard& card)
{
    for (od::field field : identifiers) {
        if (field.key() == "mtgoId") {
            card.gameId = IdFromText(JsonPriceFile::Text(field.value()));
        } else if (field.key() == "mtgoFoilId") {
            card.gameFoilId = IdFromText(JsonPriceFile::Text(field.value()));
        }
    }
}

// Calls `read` with the value of each field `key` of `parent` that is an object.
template <class Read> void ForEachObject(od::object parent, std::string_view key, const Read& read)
{
    for (od::field field : parent) {
        if (field.key() != key) {
            continue;
        }
        od::value value = field.value();
        if (value.type() == od::json_type::object) {
            read(value.get_object());
        }
    }
}

// One MTGJSON set's name and code, given to its cards once the set object ends (the keys come
// in alphabetical order, so "cards" comes before "code" and "name").
struct SetInfo {
    std::string code;
    std::string name;
};

} // namespace

struct MtgjsonPriceReader::State {
    od::parser parser;
    std::vector<ImportedCard> cards;                     // cards in file order
    std::unordered_map<std::string, std::size_t> byUuid; // uuid -> index in cards
    // uuid -> game prices read before the card they belong to; later ones go to the card.
    std::unordered_map<std::string, std::vector<DatedPrice>> prices;
    bool sawCardFile = false;
    bool sawPriceFile = false;
    JsonPriceFile* file = nullptr; // the file being read

    void ReadTop(od::object top);
    void ReadData(od::object data);
    bool ReadEntry(std::string_view key, od::object entry);
    void ReadCards(od::array cards, std::vector<std::size_t>& added);
    void ReadCard(od::object card, std::string uuid, std::vector<std::size_t>* added);
    std::vector<DatedPrice> ReadGamePrices(od::object formats);
    void AddCard(ImportedCard&& card, const std::string& uuid, std::vector<std::size_t>* added);
};

void MtgjsonPriceReader::State::ReadTop(od::object top)
{
    bool data = false;
    for (od::field field : top) {
        if (field.key() == "data") {
            od::value value = field.value();
            if (value.type() != od::json_type::object) {
                throw PriceError::File(file->File() + " byte " + std::to_string(file->Offset()) +
                                       ": \"data\" is not an object; is it an MTGJSON file?");
            }
            ReadData(value.get_object());
            data = true;
        }
    }
    if (!data) {
        throw PriceError::File(file->File() +
                               " is a JSON object without \"data\": neither an MTGJSON card "
                               "file (AllPrintings, a set file, AllIdentifiers) nor an "
                               "MTGJSON price file (AllPricesToday, AllPrices).");
    }
}

void MtgjsonPriceReader::State::ReadData(od::object data)
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
            single.code = JsonPriceFile::Text(value);
        } else if (key == "name" && type == od::json_type::string) {
            single.name = JsonPriceFile::Text(value);
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
        throw PriceError::File(file->File() +
                               " holds no MTGJSON cards or prices under \"data\"; give "
                               "AllPrintings.json (or a set file) and AllPricesToday.json.");
    }
}

bool MtgjsonPriceReader::State::ReadEntry(std::string_view key, od::object entry)
{
    file->Tick();
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
            set.code = JsonPriceFile::Text(value);
        } else if (name == "name") {
            set.name = card.name = JsonPriceFile::Text(value);
        } else if (name == "setCode") {
            card.setCode = JsonPriceFile::Text(value);
            isCard = true;
        } else if (name == "uuid") {
            uuid = JsonPriceFile::Text(value);
        } else if (name == "identifiers" && value.type() == od::json_type::object) {
            isCard = true;
            ReadGameIds(value.get_object(), card);
        } else {
            JsonPriceFile::ReadCardField(kCardFields, name, value, card);
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

void MtgjsonPriceReader::State::ReadCards(od::array array, std::vector<std::size_t>& added)
{
    for (od::value element : array) {
        file->Tick();
        if (element.type() == od::json_type::object) {
            ReadCard(element.get_object(), std::string(), &added);
        }
    }
}

void MtgjsonPriceReader::State::ReadCard(od::object object, std::string uuid,
                                         std::vector<std::size_t>* added)
{
    ImportedCard card;
    card.where = file->Where();
    for (od::field field : object) {
        const od::raw_json_string key = field.key();
        od::value value = field.value();
        if (key == "uuid") {
            uuid = JsonPriceFile::Text(value);
        } else if (key == "identifiers" && value.type() == od::json_type::object) {
            ReadGameIds(value.get_object(), card);
        } else {
            JsonPriceFile::ReadCardField(kCardFields, key, value, card);
        }
    }
    AddCard(std::move(card), uuid, added);
}

void MtgjsonPriceReader::State::AddCard(ImportedCard&& card, const std::string& uuid,
                                        std::vector<std::size_t>* added)
{
    sawCardFile = true;
    if (card.where.empty()) {
        card.where = file->Where();
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

std::vector<DatedPrice> MtgjsonPriceReader::State::ReadGamePrices(od::object formats)
{
    std::vector<DatedPrice> days;
    ForEachObject(formats, "cardhoarder", [&](od::object provider) {
        for (od::field list : provider) {
            // What the store sells for (retail) and what its bots pay (buylist).
            const bool buylist = list.key() == "buylist";
            od::value sides = list.value();
            if ((!buylist && list.key() != "retail") || sides.type() != od::json_type::object) {
                continue;
            }
            for (od::field side : sides.get_object()) {
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
                    if (!price_text_parser::IsDate(date) ||
                        number.type() != od::json_type::number ||
                        number.get_double().get(value) != simdjson::SUCCESS) {
                        file->Sink().Skip(file->Where(), "a price that is not a dated number");
                        continue;
                    }
                    if (!price_text_parser::IsPlausiblePrice(value)) {
                        char shown[32];
                        const auto end = std::to_chars(shown, shown + sizeof shown, value).ptr;
                        file->Sink().Skip(file->Where(),
                                          std::string(price_text_parser::kImplausiblePrice) + " " +
                                              std::string(shown, end));
                        continue;
                    }
                    DatedPrice price;
                    price.date = date;
                    if (buylist) {
                        (normal ? price.buy : price.buyFoil) = value;
                    } else {
                        (normal ? price.regular : price.foil) = value;
                    }
                    days.push_back(std::move(price));
                }
            }
        }
    });
    return days;
}

MtgjsonPriceReader::MtgjsonPriceReader() : m_state(std::make_unique<State>()) {}

MtgjsonPriceReader::~MtgjsonPriceReader() = default;

void MtgjsonPriceReader::Read(const simdjson::padded_string& text, const std::string& fileName,
                              ImportSink& sink)
{
    Read(JsonPiece{text, 0, 0, text.size()}, fileName, sink);
}

void MtgjsonPriceReader::Read(const JsonPiece& piece, const std::string& fileName,
                              ImportSink& sink)
{
    State& state = *m_state;
    JsonPriceFile file(piece, fileName, sink);
    state.file = &file;
    try {
        file.Read(state.parser, [&state](od::document& doc) {
            if (doc.type() == od::json_type::object) {
                state.ReadTop(doc.get_object());
            }
        });
    } catch (...) {
        state.file = nullptr;
        throw;
    }
    state.file = nullptr;
}

void MtgjsonPriceReader::Finish(ImportSink& sink)
{
    State& state = *m_state;
    if (state.sawCardFile && !state.sawPriceFile) {
        throw PriceError::File("The MTGJSON card file has no price file beside it: give "
                               "AllPricesToday.json (or AllPrices.json) on the same command.");
    }
    if (state.sawPriceFile && !state.sawCardFile) {
        throw PriceError::File("The MTGJSON price file has no card file beside it: give "
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
