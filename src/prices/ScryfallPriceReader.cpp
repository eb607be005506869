#include "prices/ScryfallPriceReader.h"

#include "prices/JsonPriceFile.h"
#include "prices/PriceTextParser.h"

namespace od = simdjson::ondemand;

namespace {

constexpr JsonPriceFile::CardFieldNames kCardFields = {"name", "set", "collector_number"};

void ReadCards(JsonPriceFile& file, od::array array)
{
    ImportSink& sink = file.Sink();
    std::size_t seen = 0;
    std::size_t known = 0;
    for (od::value element : array) {
        file.Tick();
        ++seen;
        const std::string where = file.Where();
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
            if (JsonPriceFile::ReadCardField(kCardFields, key, value, card)) {
                continue;
            }
            if (key == "object") {
                isCard = JsonPriceFile::Text(value) == "card";
            } else if (key == "set_name") {
                card.setName = JsonPriceFile::Text(value);
            } else if (key == "mtgo_foil_id") {
                std::int64_t id = 0;
                if (value.get_int64().get(id) == simdjson::SUCCESS && id > 0) {
                    card.gameFoilId = id;
                }
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
            sink.NotOnGame();
            continue;
        }
        const std::optional<double> value = price_text_parser::ParseNumber(*tix);
        const std::string refusal = price_text_parser::PriceRefusal(value, *tix);
        if (!refusal.empty()) {
            sink.Skip(where, refusal);
            continue;
        }
        DatedPrice price;
        price.date = sink.DefaultDate();
        price.regular = *value;
        card.prices.push_back(std::move(price));
        sink.Card(std::move(card));
    }
    if (seen > 0 && known == 0) {
        throw PriceError::File(file.File() +
                               " is a JSON array but holds no Scryfall cards (objects with "
                               "\"name\" and \"set\"); is it Scryfall's \"Default Cards\"?");
    }
}

} // namespace

void ScryfallPriceReader::Read(const simdjson::padded_string& text, const std::string& fileName,
                               ImportSink& sink)
{
    od::parser parser;
    Read(JsonPiece{text, 0, 0, text.size()}, fileName, sink, parser);
}

void ScryfallPriceReader::Read(const JsonPiece& piece, const std::string& fileName,
                               ImportSink& sink, od::parser& parser)
{
    JsonPriceFile file(piece, fileName, sink);
    file.Read(parser, [&file](od::document& doc) {
        if (doc.type() == od::json_type::array) {
            ReadCards(file, doc.get_array());
        }
    });
}
