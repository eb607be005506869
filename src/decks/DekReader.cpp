#include "decks/DekReader.h"

#include "data/AsciiText.h"
#include "decks/DeckLineChecks.h"
#include "data/TextLines.h"

#include <expat.h>

#include <cstring>
#include <memory>

namespace {

struct ParseState {
    XML_Parser parser = nullptr;
    DeckFile* file = nullptr;
    bool requireDeckRoot = true;
    int lineOffset = 0; ///< added to the parser's line numbers (pieces are read line by line)
    int depth = 0;
    std::string refusal; ///< set when the parser was stopped on purpose
};

const char* Attribute(const XML_Char** attributes, const char* name)
{
    for (int i = 0; attributes[i]; i += 2) {
        if (std::strcmp(attributes[i], name) == 0) {
            return attributes[i + 1];
        }
    }
    return nullptr;
}

void CardsElement(ParseState& state, const XML_Char** attributes)
{
    const int line = static_cast<int>(XML_GetCurrentLineNumber(state.parser)) + state.lineOffset;
    DeckLine card;
    card.line = line;
    const char* name = Attribute(attributes, "Name");
    card.name = name ? std::string(TrimBlanks(name)) : std::string();
    const char* catId = Attribute(attributes, "CatID");
    if (catId) {
        const auto id = deck_checks::CatalogueId(catId);
        if (!id) {
            state.file->problems.push_back(
                {line, "CatID \"" + std::string(catId) + "\" is not a catalogue id"});
            return;
        }
        card.catId = *id;
    }
    if (card.name.empty() && card.catId == 0) {
        state.file->problems.push_back({line, "a card line with neither a name nor a CatID"});
        return;
    }
    const char* quantity = Attribute(attributes, "Quantity");
    std::string why;
    const auto copies = deck_checks::Quantity(quantity ? quantity : "", &why);
    if (!copies) {
        state.file->problems.push_back({line, why});
        return;
    }
    card.quantity = *copies;
    const char* sideboard = Attribute(attributes, "Sideboard");
    card.sideboard = sideboard && AsciiUpper(TrimBlanks(sideboard)) == "TRUE";
    state.file->lines.push_back(std::move(card));
}

void XMLCALL StartElement(void* data, const XML_Char* element, const XML_Char** attributes)
{
    auto& state = *static_cast<ParseState*>(data);
    if (state.depth++ == 0 && state.requireDeckRoot && std::strcmp(element, "Deck") != 0) {
        state.refusal = std::string("this is not a deck file: its root element is <") + element +
                        ">, not <Deck>";
        XML_StopParser(state.parser, XML_FALSE);
        return;
    }
    if (std::strcmp(element, "Cards") == 0) {
        CardsElement(state, attributes);
    }
}

void XMLCALL EndElement(void* data, const XML_Char*)
{
    --static_cast<ParseState*>(data)->depth;
}

// A deck file has no document type; refusing one keeps every entity, internal or external,
// from ever being defined or expanded.
void XMLCALL StartDoctype(void* data, const XML_Char*, const XML_Char*, const XML_Char*, int)
{
    auto& state = *static_cast<ParseState*>(data);
    state.refusal = "a document type declaration is not allowed in a deck file";
    XML_StopParser(state.parser, XML_FALSE);
}

void XMLCALL EntityDeclaration(void* data, const XML_Char*, int, const XML_Char*, int,
                               const XML_Char*, const XML_Char*, const XML_Char*, const XML_Char*)
{
    StartDoctype(data, nullptr, nullptr, nullptr, 0);
}

// Parses `text` as one document; false with *error set (line and column) when it is not
// well-formed or was refused.
bool Parse(std::string_view text, ParseState& state, std::string* error)
{
    std::unique_ptr<XML_ParserStruct, void (*)(XML_Parser)> parser(XML_ParserCreate("UTF-8"),
                                                                   XML_ParserFree);
    if (!parser) {
        *error = "out of memory";
        return false;
    }
    state.parser = parser.get();
    XML_SetUserData(parser.get(), &state);
    XML_SetElementHandler(parser.get(), StartElement, EndElement);
    XML_SetStartDoctypeDeclHandler(parser.get(), StartDoctype);
    XML_SetEntityDeclHandler(parser.get(), EntityDeclaration);
    XML_SetParamEntityParsing(parser.get(), XML_PARAM_ENTITY_PARSING_NEVER);
    const auto status =
        XML_Parse(parser.get(), text.data(), static_cast<int>(text.size()), XML_TRUE);
    if (status == XML_STATUS_OK) {
        return true;
    }
    const int line = static_cast<int>(XML_GetCurrentLineNumber(parser.get())) + state.lineOffset;
    const int column = static_cast<int>(XML_GetCurrentColumnNumber(parser.get())) + 1;
    const std::string what =
        !state.refusal.empty() ? state.refusal : XML_ErrorString(XML_GetErrorCode(parser.get()));
    *error = "line " + std::to_string(line) + ", column " + std::to_string(column) + ": " + what;
    return false;
}

} // namespace

DeckFile DekReader::Read(std::string_view text)
{
    DeckFile file;
    ParseState state;
    state.file = &file;
    std::string error;
    if (!Parse(text, state, &error)) {
        file = DeckFile{};
        file.error =
            state.refusal.empty() ? "the deck file is not well-formed XML: " + error : error;
    }
    return file;
}

DeckFile DekReader::ReadPiece(std::string_view text)
{
    DeckFile file;
    TextLines lines(text);
    std::string_view raw;
    while (lines.Next(raw)) {
        const std::string_view piece = TrimBlanks(raw);
        const int line = lines.Number();
        if (piece.starts_with("<Cards")) {
            ParseState state;
            state.file = &file;
            state.requireDeckRoot = false;
            state.lineOffset = line - 1;
            std::string ignored;
            const std::size_t before = file.lines.size();
            if (!Parse(piece, state, &ignored)) {
                file.lines.resize(before);
            }
        }
    }
    return file;
}
