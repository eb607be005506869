#include "prices/CsvPriceReader.h"
#include "data/AsciiText.h"

#include "prices/ImportedCard.h"
#include "prices/PriceTextParser.h"

#include <array>
#include <cctype>
#include <vector>

namespace {

enum Column { kName, kSet, kNumber, kRarity, kRegular, kFoil, kDate, kColumns };

// Header words of each column, lower case, blanks and underscores already removed.
const std::array<std::vector<std::string_view>, kColumns> kHeaderWords = {{
    {"name", "cardname", "card"},
    {"set", "setcode", "setname", "edition", "expansion"},
    {"number", "collectornumber", "collectionnumber", "no", "#"},
    {"rarity"},
    {"regular", "price", "tix", "regularprice", "value"},
    {"foil", "foilprice", "foiltix", "foilvalue"},
    {"date", "pricedate"},
}};

std::string HeaderKey(std::string_view field)
{
    std::string key;
    for (const char c : field) {
        if (!std::isspace(static_cast<unsigned char>(c)) && c != '_' && c != '-') {
            key += c;
        }
    }
    return AsciiLower(key);
}

// Splits one record starting at `at`, which moves past it; `line` counts the lines passed.
// Returns false when a quoted field is never closed.
bool NextRecord(std::string_view text, std::size_t& at, char separator,
                std::vector<std::string>& fields, std::size_t& line)
{
    fields.assign(1, std::string());
    bool quoted = false;
    while (at < text.size()) {
        const char c = text[at++];
        if (quoted) {
            if (c == '"') {
                if (at < text.size() && text[at] == '"') {
                    fields.back() += '"';
                    ++at;
                } else {
                    quoted = false;
                }
            } else {
                line += c == '\n' ? 1 : 0;
                fields.back() += c;
            }
        } else if (c == '"' && TrimBlanks(fields.back()).empty()) {
            fields.back().clear();
            quoted = true;
        } else if (c == separator) {
            fields.emplace_back();
        } else if (c == '\n') {
            ++line;
            break;
        } else if (c != '\r') {
            fields.back() += c;
        }
    }
    return !quoted;
}

char FindSeparator(std::string_view header)
{
    const std::string_view firstLine = header.substr(0, header.find('\n'));
    if (firstLine.find('\t') != std::string_view::npos) {
        return '\t';
    }
    if (firstLine.find(';') != std::string_view::npos) {
        return ';';
    }
    return ',';
}

} // namespace

void CsvPriceReader::Read(std::string_view text, const std::string& fileName, ImportSink& sink)
{
    if (text.starts_with("\xEF\xBB\xBF")) {
        text.remove_prefix(3);
    }
    const char separator = FindSeparator(text);
    std::size_t at = 0;
    std::size_t line = 1;
    std::vector<std::string> fields;
    if (!NextRecord(text, at, separator, fields, line)) {
        throw PriceError::File(fileName +
                               " line 1: a quoted field of the header row is never closed.");
    }
    std::array<int, kColumns> column;
    column.fill(-1);
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const std::string key = HeaderKey(fields[i]);
        for (int c = 0; c < kColumns; ++c) {
            for (const std::string_view word : kHeaderWords[static_cast<std::size_t>(c)]) {
                if (key == word && column[static_cast<std::size_t>(c)] < 0) {
                    column[static_cast<std::size_t>(c)] = static_cast<int>(i);
                }
            }
        }
    }
    if (column[kName] < 0 || column[kSet] < 0 || (column[kRegular] < 0 && column[kFoil] < 0)) {
        const std::string_view header = TrimBlanks(text.substr(0, std::min(at, text.size())));
        throw PriceError::File(fileName +
                               " line 1: the header row must name the columns \"name\", \"set\" "
                               "and \"regular\" or \"foil\"; it reads \"" +
                               std::string(header.substr(0, 200)) + "\".");
    }
    const bool decimalComma = separator == ';';
    const auto field = [&](Column c) -> std::string_view {
        const int index = column[static_cast<std::size_t>(c)];
        return index >= 0 && static_cast<std::size_t>(index) < fields.size()
                   ? TrimBlanks(fields[static_cast<std::size_t>(index)])
                   : std::string_view();
    };
    std::size_t rows = 0;
    while (at < text.size()) {
        const std::size_t rowLine = line;
        if (!NextRecord(text, at, separator, fields, line)) {
            throw PriceError::File(fileName + " line " + std::to_string(rowLine) +
                                   ": a quoted field is never closed.");
        }
        if (++rows % 4096 == 0) {
            sink.Progress(at, text.size());
        }
        if (fields.size() == 1 && TrimBlanks(fields[0]).empty()) {
            continue; // a blank line
        }
        const std::string where = fileName + " line " + std::to_string(rowLine);
        ImportedCard card;
        card.where = where;
        card.name = std::string(field(kName));
        const std::string_view set = field(kSet);
        card.setCode = std::string(set);
        card.setName = std::string(set);
        card.number = std::string(field(kNumber));
        card.rarity = price_text_parser::RarityCode(field(kRarity));
        DatedPrice price;
        price.date = std::string(field(kDate).substr(0, 10));
        if (price.date.empty()) {
            price.date = sink.DefaultDate();
        } else if (!price_text_parser::IsDate(price.date)) {
            sink.Skip(where, "the date \"" + std::string(field(kDate)) + "\" is not YYYY-MM-DD");
            continue;
        }
        bool bad = false;
        for (const Column side : {kRegular, kFoil}) {
            const std::string_view value = field(side);
            if (value.empty()) {
                continue;
            }
            const std::optional<double> number =
                price_text_parser::ParseNumber(value, decimalComma);
            const std::string refusal = price_text_parser::PriceRefusal(number, value);
            if (!refusal.empty()) {
                sink.Skip(where, refusal);
                bad = true;
                break;
            }
            (side == kRegular ? price.regular : price.foil) = *number;
        }
        if (bad) {
            continue;
        }
        if (!price.regular && !price.foil) {
            sink.Skip(where, "no price");
            continue;
        }
        card.prices.push_back(std::move(price));
        sink.Card(std::move(card));
    }
    sink.Progress(text.size(), text.size());
}
