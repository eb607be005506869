#include "decks/DeckTextReader.h"

#include "data/AsciiText.h"
#include "decks/DeckLineChecks.h"
#include "data/TextLines.h"

#include <cctype>

namespace {

bool IsAlnum(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) != 0;
}

// "Name (M10) 146" or "Name (M10)": takes the set and number off the end of the name.
void TakeSetAndNumber(std::string_view& name, DeckLine& card)
{
    std::string_view rest = name;
    std::string_view number;
    const std::size_t lastBlank = rest.rfind(' ');
    if (!rest.ends_with(')') && lastBlank != std::string_view::npos) {
        number = rest.substr(lastBlank + 1);
        rest = TrimBlanks(rest.substr(0, lastBlank));
        if (number.empty() || !IsAlnum(number.front())) {
            return;
        }
    }
    if (!rest.ends_with(')')) {
        return;
    }
    const std::size_t open = rest.rfind('(');
    if (open == std::string_view::npos || open == 0) {
        return;
    }
    const std::string_view set = rest.substr(open + 1, rest.size() - open - 2);
    if (set.size() < 2 || set.size() > 6) {
        return;
    }
    for (char c : set) {
        if (!IsAlnum(c)) {
            return;
        }
    }
    card.setCode = AsciiUpper(set);
    card.number = std::string(number);
    name = TrimBlanks(rest.substr(0, open));
}

enum class LineKind { Blank, Heading, Sideboard, Card, Bad };

LineKind Classify(std::string_view line)
{
    line = TrimBlanks(line);
    if (line.empty()) {
        return LineKind::Blank;
    }
    if (line.starts_with("//") || line.starts_with('#')) {
        return LineKind::Heading;
    }
    std::string word = AsciiLower(line);
    if (word.ends_with(':')) {
        word.pop_back();
    }
    if (word == "sideboard" || word == "companion") {
        return LineKind::Sideboard;
    }
    if (word == "deck" || word == "main deck" || word == "maindeck" || word == "main") {
        return LineKind::Heading;
    }
    return std::isdigit(static_cast<unsigned char>(line.front())) || line.front() == '-'
               ? LineKind::Card
               : LineKind::Bad;
}

} // namespace

bool DeckTextReader::ParseCardLine(std::string_view line, DeckLine& card, std::string* why)
{
    line = TrimBlanks(line);
    std::size_t end = 0;
    if (end < line.size() && line[end] == '-') {
        ++end;
    }
    while (end < line.size() && std::isdigit(static_cast<unsigned char>(line[end]))) {
        ++end;
    }
    if (end == 0 || end == line.size() ||
        (line[end] != 'x' && line[end] != 'X' && line[end] != ' ' && line[end] != '\t')) {
        if (why) {
            *why =
                "not a card line (a quantity, then the card's name): \"" + std::string(line) + "\"";
        }
        return false;
    }
    const std::string_view quantityText = line.substr(0, end);
    if (line[end] == 'x' || line[end] == 'X') {
        ++end;
        if (end < line.size() && line[end] != ' ' && line[end] != '\t') {
            if (why) {
                *why = "not a card line: \"" + std::string(line) + "\"";
            }
            return false;
        }
    }
    std::string_view name = TrimBlanks(line.substr(end));
    if (name.empty()) {
        if (why) {
            *why = "a quantity without a card name";
        }
        return false;
    }
    const auto quantity = deck_checks::Quantity(quantityText, why);
    if (!quantity) {
        return false;
    }
    card.quantity = *quantity;
    TakeSetAndNumber(name, card);
    card.name = std::string(name);
    return true;
}

DeckFile DeckTextReader::Read(std::string_view text)
{
    DeckFile file;
    bool sideboard = false;
    bool anyCard = false;
    TextLines lines(text);
    std::string_view line;
    while (lines.Next(line)) {
        const int lineNo = lines.Number();
        switch (Classify(line)) {
        case LineKind::Blank:
            // The first blank line after main deck cards starts the sideboard.
            sideboard = sideboard || anyCard;
            break;
        case LineKind::Heading:
            break;
        case LineKind::Sideboard:
            sideboard = true;
            break;
        case LineKind::Card:
        case LineKind::Bad: {
            DeckLine card;
            card.line = lineNo;
            card.sideboard = sideboard;
            std::string why;
            if (ParseCardLine(line, card, &why)) {
                file.lines.push_back(std::move(card));
                anyCard = true;
            } else {
                file.problems.push_back({lineNo, why});
            }
            break;
        }
        }
    }
    return file;
}
