#include "update/CardFileDigest.h"

#include "prices/JsonPieces.h"
#include "prices/PriceError.h"

#include <simdjson.h>

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace od = simdjson::ondemand;

namespace {

constexpr std::size_t kProgressEvery = 1024;
constexpr std::size_t kPieceBytes = 4u << 20;

void Quoted(std::string& out, std::string_view text)
{
    out += '"';
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (u < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", u);
            out += escaped;
        } else {
            out += c;
        }
    }
    out += '"';
}

std::string Text(od::value value)
{
    if (value.type() != od::json_type::string) {
        return {};
    }
    return std::string(std::string_view(value.get_string()));
}

struct Card {
    std::string uuid, name, setCode, number, rarity, mtgoId;
};

} // namespace

CardFileDigest::Result CardFileDigest::Write(const std::string& from, const std::string& to,
                                             const Progress& progress)
{
    Result result;
    const std::string name = std::filesystem::path(from).filename().string();
    // Read in pieces of its sets, so that memory does not grow with the file.
    const int fd = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat info {};
    if (fd < 0 || ::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        if (fd >= 0) {
            ::close(fd);
        }
        result.error = "Cannot read " + from + ".";
        return result;
    }
    const auto size = static_cast<std::uint64_t>(info.st_size);
    std::string out;
    std::size_t items = 0;
    od::parser parser;
    std::string date, version;
    bool sawData = false;
    std::string sets;
    struct Cancelled {};
    const std::function<void(const JsonPiece&)> readPiece = [&](const JsonPiece& piece) {
        od::document doc = parser.iterate(piece.text);
        for (od::field top : doc.get_object()) {
            const std::string_view key = top.unescaped_key();
            od::value value = top.value();
            if (key == "meta" && value.type() == od::json_type::object) {
                for (od::field meta : value.get_object()) {
                    const std::string_view metaKey = meta.unescaped_key();
                    if (metaKey == "date") {
                        date = Text(meta.value());
                    } else if (metaKey == "version") {
                        version = Text(meta.value());
                    }
                }
            } else if (key == "data" && value.type() == od::json_type::object) {
                sawData = true;
                for (od::field set : value.get_object()) {
                    const std::string setKey(std::string_view(set.unescaped_key()));
                    od::value setValue = set.value();
                    if (setValue.type() != od::json_type::object) {
                        continue;
                    }
                    std::string code, setName, cards;
                    for (od::field field : setValue.get_object()) {
                        const std::string_view fieldKey = field.unescaped_key();
                        od::value fieldValue = field.value();
                        if (fieldKey == "code") {
                            code = Text(fieldValue);
                        } else if (fieldKey == "name") {
                            setName = Text(fieldValue);
                        } else if (fieldKey == "cards" &&
                                   fieldValue.type() == od::json_type::array) {
                            for (od::value element : fieldValue.get_array()) {
                                if (++items % kProgressEvery == 0 && progress) {
                                    const char* at = nullptr;
                                    if (doc.current_location().get(at) != simdjson::SUCCESS) {
                                        at = piece.text.data();
                                    }
                                    const double share = double(piece.FileOffset(
                                                             std::size_t(at - piece.text.data()))) /
                                                         double(std::max<std::uint64_t>(size, 1));
                                    if (!progress(share)) {
                                        throw Cancelled();
                                    }
                                }
                                if (element.type() != od::json_type::object) {
                                    continue;
                                }
                                Card card;
                                for (od::field cardField : element.get_object()) {
                                    const std::string_view k = cardField.unescaped_key();
                                    od::value v = cardField.value();
                                    if (k == "uuid") {
                                        card.uuid = Text(v);
                                    } else if (k == "name") {
                                        card.name = Text(v);
                                    } else if (k == "setCode") {
                                        card.setCode = Text(v);
                                    } else if (k == "number") {
                                        card.number = Text(v);
                                    } else if (k == "rarity") {
                                        card.rarity = Text(v);
                                    } else if (k == "identifiers" &&
                                               v.type() == od::json_type::object) {
                                        for (od::field id : v.get_object()) {
                                            if (id.key() == "mtgoId") {
                                                card.mtgoId = Text(id.value());
                                            }
                                        }
                                    }
                                }
                                if (card.mtgoId.empty() || card.uuid.empty()) {
                                    continue;
                                }
                                cards += cards.empty() ? "\n{" : ",\n{";
                                const auto put = [&cards](const char* key, const std::string& v,
                                                          bool comma) {
                                    cards += '"';
                                    cards += key;
                                    cards += "\":";
                                    Quoted(cards, v);
                                    if (comma) {
                                        cards += ',';
                                    }
                                };
                                put("uuid", card.uuid, true);
                                put("name", card.name, true);
                                put("setCode", card.setCode, true);
                                put("number", card.number, true);
                                put("rarity", card.rarity, true);
                                cards += "\"identifiers\":{";
                                put("mtgoId", card.mtgoId, false);
                                cards += "}}";
                                ++result.cards;
                            }
                        }
                    }
                    if (cards.empty()) {
                        continue; // a set with nothing on the game's servers
                    }
                    sets += sets.empty() ? "\n" : ",\n";
                    Quoted(sets, setKey);
                    sets += ":{\"code\":";
                    Quoted(sets, code.empty() ? setKey : code);
                    sets += ",\"name\":";
                    Quoted(sets, setName);
                    sets += ",\"cards\":[" + cards + "]}";
                }
            }
        }
    };
    try {
        JsonPieces::Read(fd, size, name, kPieceBytes, readPiece, &readPiece);
        ::close(fd);
        if (!sawData) {
            result.error = name + " is not MTGJSON's AllPrintings file (no \"data\" object).";
            return result;
        }
        out += "{\"meta\":{\"date\":";
        Quoted(out, date);
        out += ",\"version\":";
        Quoted(out, version);
        out += "},\"data\":{" + sets + "\n}}\n";
    } catch (const simdjson::simdjson_error& error) {
        ::close(fd);
        result.error = name + " is not valid JSON or is cut short (" + error.what() +
                       "). It is downloaded again at the next update.";
        return result;
    } catch (const PriceError& error) {
        ::close(fd);
        result.error = error.what() + std::string(" It is downloaded again at the next update.");
        return result;
    } catch (const Cancelled&) {
        ::close(fd);
        result.cancelled = true;
        result.error = "Cancelled.";
        return result;
    }
    std::ofstream file(to, std::ios::binary | std::ios::trunc);
    file.write(out.data(), static_cast<std::streamsize>(out.size()));
    file.close();
    if (!file) {
        std::error_code ignored;
        std::filesystem::remove(to, ignored);
        result.error = "Cannot write " + to + " (is the disk full?).";
        return result;
    }
    result.ok = true;
    return result;
}
