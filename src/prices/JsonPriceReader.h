#pragma once

#include <memory>
#include <string>

class ImportSink;
namespace simdjson {
struct padded_string;
}

/// Reads the JSON price files, telling them apart by content: MTGJSON card files
/// (AllPrintings, a single set file, AllIdentifiers) and price files (AllPricesToday,
/// AllPrices; `mtgo.cardhoarder.retail`), and Scryfall's default cards (an array of cards with
/// `prices.tix`). The files are read on demand, never built into a tree; MTGJSON cards and
/// prices meet by uuid once every file is read, so they may come in any order.
class JsonPriceReader {
public:
    JsonPriceReader();
    ~JsonPriceReader();
    JsonPriceReader(const JsonPriceReader&) = delete;
    JsonPriceReader& operator=(const JsonPriceReader&) = delete;

    /// Reads one file. Scryfall cards go to the sink at once; MTGJSON cards and prices wait
    /// for `Finish`. Throws `PriceImportError` naming the file and the byte offset for invalid or
    /// truncated JSON and for JSON of another structure.
    void Read(const simdjson::padded_string& text, const std::string& fileName, ImportSink& sink);

    /// Delivers the MTGJSON cards that have game prices. Throws `PriceFileError` when card
    /// files came without a price file or the other way round.
    void Finish(ImportSink& sink);

private:
    struct State;
    std::unique_ptr<State> m_state;
};
