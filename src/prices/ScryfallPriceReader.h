#pragma once

#include <string>

class ImportSink;
namespace simdjson {
struct padded_string;
}

/// Reads Scryfall's "Default Cards" file: a JSON array of cards, each with its game id
/// (`mtgo_id`) and its price in event tickets (`prices.tix`).
class ScryfallPriceReader {
public:
    /// Delivers the file's cards to `sink` as they are read; `fileName` names the file in
    /// messages. Throws `PriceError` naming the file and the byte offset for invalid or
    /// truncated JSON and for an array that holds no Scryfall cards.
    static void Read(const simdjson::padded_string& text, const std::string& fileName,
                     ImportSink& sink);
};
