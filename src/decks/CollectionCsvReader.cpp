#include "decks/CollectionCsvReader.h"

#include "data/AsciiText.h"
#include "decks/DeckLineChecks.h"
#include "data/TextLines.h"

#include <array>
#include <cctype>
#include <optional>

namespace {

enum Column { kName, kQuantity, kId, kSet, kNumber, kPremium, kColumns };

// Header words of each column, lower case, with blanks, '_', '-' and '#' removed.
const std::array<std::vector<std::string_view>, kColumns> kHeaderWords = {{
    {"cardname", "name", "card"},
    {"quantity", "qty", "count", "owned"},
    {"id", "catid", "mtgoid"},
    {"set", "setcode", "edition", "expansion"},
    {"collector", "collectornumber", "number", "no"},
    {"premium", "foil"},
}};

std::string HeaderKey(std::string_view field)
{
    std::string key;
    for (const char c : field) {
        if (!std::isspace(static_cast<unsigned char>(c)) && c != '_' && c != '-' && c != '#') {
            key += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
    }
    return key;
}

// Splits one line into fields; false when a quote is never closed.
bool SplitRecord(std::string_view line, char separator, std::vector<std::string>& fields)
{
    fields.assign(1, std::string());
    bool quoted = false;
    for (std::size_t at = 0; at < line.size(); ++at) {
        const char c = line[at];
        if (quoted) {
            if (c != '"') {
                fields.back() += c;
            } else if (at + 1 < line.size() && line[at + 1] == '"') {
                fields.back() += '"';
                ++at;
            } else {
                quoted = false;
            }
        } else if (c == '"' && TrimBlanks(fields.back()).empty()) {
            fields.back().clear();
            quoted = true;
        } else if (c == separator) {
            fields.emplace_back();
        } else if (c != '\r') {
            fields.back() += c;
        }
    }
    return !quoted;
}

char FindSeparator(std::string_view header)
{
    if (header.find('\t') != std::string_view::npos) {
        return '\t';
    }
    if (header.find(';') != std::string_view::npos && header.find(',') == std::string_view::npos) {
        return ';';
    }
    return ',';
}

std::array<int, kColumns> FindColumns(const std::vector<std::string>& header)
{
    std::array<int, kColumns> columns;
    columns.fill(-1);
    for (int column = 0; column < kColumns; ++column) {
        for (std::size_t i = 0; i < header.size() && columns[column] < 0; ++i) {
            const std::string key = HeaderKey(header[i]);
            for (std::string_view word : kHeaderWords[column]) {
                if (key == word) {
                    columns[column] = static_cast<int>(i);
                    break;
                }
            }
        }
    }
    return columns;
}

std::string_view FirstLine(std::string_view text)
{
    return text.substr(0, text.find('\n'));
}

std::string_view Field(const std::vector<std::string>& fields, int column)
{
    return column >= 0 && static_cast<std::size_t>(column) < fields.size()
               ? TrimBlanks(fields[static_cast<std::size_t>(column)])
               : std::string_view();
}

bool IsYes(std::string_view text)
{
    const std::string word = AsciiUpper(TrimBlanks(text));
    return word == "YES" || word == "Y" || word == "TRUE" || word == "1" || word == "FOIL";
}

std::string Quoted(const std::string& field)
{
    if (field.find_first_of(",\"\n\r") == std::string::npos) {
        return field;
    }
    std::string out = "\"";
    for (char c : field) {
        out += c;
        if (c == '"') {
            out += '"';
        }
    }
    return out + "\"";
}

} // namespace

const char* const CollectionCsvReader::kHeader =
    "Card Name,Quantity,ID #,Rarity,Set,Collector #,Premium\n";

bool CollectionCsvReader::LooksLikeCollection(std::string_view text)
{
    const std::string_view header = FirstLine(text);
    std::vector<std::string> fields;
    SplitRecord(header, FindSeparator(header), fields);
    const auto columns = FindColumns(fields);
    return fields.size() >= 2 && (columns[kName] >= 0 || columns[kId] >= 0) &&
           columns[kQuantity] >= 0;
}

DeckFile CollectionCsvReader::Read(std::string_view text)
{
    DeckFile file;
    const std::string_view header = FirstLine(text);
    const char separator = FindSeparator(header);
    std::vector<std::string> fields;
    SplitRecord(header, separator, fields);
    const auto columns = FindColumns(fields);
    if ((columns[kName] < 0 && columns[kId] < 0) || columns[kQuantity] < 0) {
        file.error = "line 1: the header names no \"Card Name\" and \"Quantity\" columns, so "
                     "this is not a collection export";
        return file;
    }
    TextLines lines(text, header.size() + 1);
    std::string_view line;
    while (lines.Next(line)) {
        const int lineNo = 1 + lines.Number(); // the header is line 1
        if (TrimBlanks(line).empty()) {
            continue;
        }
        if (!SplitRecord(line, separator, fields)) {
            file.problems.push_back({lineNo, "a quote is never closed"});
            continue;
        }
        DeckLine card;
        card.line = lineNo;
        card.name = std::string(Field(fields, columns[kName]));
        const std::string_view id = Field(fields, columns[kId]);
        if (!id.empty()) {
            const auto catId = deck_checks::CatalogueId(id);
            if (!catId) {
                file.problems.push_back(
                    {lineNo, "ID \"" + std::string(id) + "\" is not a catalogue id"});
                continue;
            }
            card.catId = *catId;
        }
        if (card.name.empty() && card.catId == 0) {
            file.problems.push_back({lineNo, "a row with neither a card name nor an ID"});
            continue;
        }
        std::string why;
        const auto quantity = deck_checks::Quantity(Field(fields, columns[kQuantity]), &why);
        if (!quantity) {
            file.problems.push_back({lineNo, why});
            continue;
        }
        card.quantity = *quantity;
        card.setCode = AsciiUpper(Field(fields, columns[kSet]));
        card.number = std::string(Field(fields, columns[kNumber]));
        card.foil = IsYes(Field(fields, columns[kPremium]));
        file.lines.push_back(std::move(card));
    }
    return file;
}

std::string CollectionCsvReader::Row(const std::string& name, std::int32_t quantity,
                                     std::int64_t catId, const std::string& rarity,
                                     const std::string& setCode, const std::string& number,
                                     bool foil)
{
    return Quoted(name) + "," + std::to_string(quantity) + "," +
           (catId > 0 ? std::to_string(catId) : std::string()) + "," + Quoted(rarity) + "," +
           Quoted(setCode) + "," + Quoted(number) + "," + (foil ? "Yes" : "No") + "\n";
}
