#pragma once

#include "prices/JsonPieces.h"

#include <string>

class ImportSink;

/// Reads Scryfall's "Default Cards" file: a JSON array of cards, each with its game id
/// (`mtgo_id`) and its price in event tickets (`prices.tix`).
class ScryfallPriceReader {
public:
    /// Delivers the file's cards to `sink` as they are read; `fileName` names the file in
    /// messages. Throws `PriceError` naming the file and the byte offset for invalid or
    /// truncated JSON and for an array that holds no Scryfall cards.
    static void Read(const simdjson::padded_string& text, const std::string& fileName,
                     ImportSink& sink);
    /// The same for one piece of a file read in pieces (see JsonPieces), with the caller's
    /// parser so that its buffers serve every piece.
    static void Read(const JsonPiece& piece, const std::string& fileName, ImportSink& sink,
                     simdjson::ondemand::parser& parser);
};
