#include "decks/DeckFileReader.h"

#include "data/AsciiText.h"
#include "decks/CollectionCsvReader.h"
#include "decks/DeckInputText.h"
#include "decks/DeckTextReader.h"
#include "decks/DekReader.h"

namespace {

DeckFile ReadText(const DeckInputText& input)
{
    DeckFile file;
    if (!input.error.empty()) {
        file.error = input.error;
        return file;
    }
    switch (DeckFileReader::KindOf(input.text)) {
    case DeckFileKind::Dek:
        file = DekReader::Read(input.text);
        break;
    case DeckFileKind::CollectionCsv:
        file = CollectionCsvReader::Read(input.text);
        break;
    case DeckFileKind::DeckText:
        file = DeckTextReader::Read(input.text);
        break;
    }
    if (!input.note.empty()) {
        file.notes.push_back(input.note);
    }
    if (!file.Failed() && file.lines.empty() && file.problems.empty()) {
        file.error = "the text names no card";
    }
    return file;
}

} // namespace

DeckFileKind DeckFileReader::KindOf(std::string_view text)
{
    if (TrimBlanks(text).starts_with('<')) {
        return DeckFileKind::Dek;
    }
    return CollectionCsvReader::LooksLikeCollection(text) ? DeckFileKind::CollectionCsv
                                                          : DeckFileKind::DeckText;
}

DeckFile DeckFileReader::ReadFile(const std::string& path)
{
    return ReadText(DeckInputText::FromFile(path));
}

DeckFile DeckFileReader::ReadBytes(std::string_view bytes)
{
    return ReadText(DeckInputText::FromBytes(bytes));
}
