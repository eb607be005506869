#include "decks/CopiedDeckText.h"

#include "data/AsciiText.h"
#include "decks/CollectionCsvReader.h"
#include "decks/DeckTextReader.h"
#include "decks/DekReader.h"
#include "data/TextLines.h"

#include <cctype>

namespace copied_deck {

namespace {

constexpr std::size_t kMaxText = 1024 * 1024;

std::string Names(const DeckFile& file)
{
    std::string names;
    for (const DeckLine& line : file.lines) {
        if (!line.name.empty()) {
            names += (names.empty() ? "" : "; ") + line.name;
        }
    }
    return names;
}

bool IsHeading(std::string_view line)
{
    std::string word = AsciiLower(line);
    if (word.ends_with(':')) {
        word.pop_back();
    }
    return word.starts_with("//") || word == "sideboard" || word == "deck" || word == "main deck" ||
           word == "maindeck" || word == "companion";
}

// Every line a card line or a heading, and at least two card lines: a single "4 Shock" is a
// trade line like any other.
bool IsDeckText(std::string_view text)
{
    int cards = 0;
    TextLines lines(text);
    std::string_view raw;
    while (lines.Next(raw)) {
        const std::string_view line = TrimBlanks(raw);
        DeckLine card;
        if (line.empty() || IsHeading(line)) {
            continue;
        }
        if (!DeckTextReader::ParseCardLine(line, card, nullptr)) {
            return false;
        }
        ++cards;
    }
    return cards >= 2;
}

} // namespace

std::string LookupText(std::string_view text)
{
    // Far beyond what a copied lookup reads; such a text is left to the lookup's own bounds.
    if (text.size() > kMaxText) {
        return std::string(text);
    }
    std::string names;
    if (text.find("<Cards") != std::string_view::npos) {
        names = Names(DekReader::ReadPiece(text));
    } else if (CollectionCsvReader::LooksLikeCollection(TrimBlanks(text))) {
        names = Names(CollectionCsvReader::Read(TrimBlanks(text)));
    } else if (IsDeckText(text)) {
        names = Names(DeckTextReader::Read(text));
    }
    return names.empty() ? std::string(text) : names;
}

} // namespace copied_deck
