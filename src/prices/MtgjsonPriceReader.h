#pragma once

#include <memory>
#include <string>

class ImportSink;
struct JsonPiece;
namespace simdjson {
struct padded_string;
}

/// Reads MTGJSON's files: card files (AllPrintings, a single set file, AllIdentifiers) and
/// price files (AllPricesToday, AllPrices; `mtgo.cardhoarder.retail`). Cards and prices meet by
/// uuid once every file is read, so they may come in any order.
class MtgjsonPriceReader {
public:
    MtgjsonPriceReader();
    ~MtgjsonPriceReader(); // not copyable: it owns the cards read so far

    /// Reads one file; its cards and prices wait for `Finish`. Throws `PriceError` naming
    /// the file and the byte offset for invalid or truncated JSON and for JSON of another
    /// structure.
    void Read(const simdjson::padded_string& text, const std::string& fileName, ImportSink& sink);
    /// The same for one piece of a file read in pieces (see JsonPieces).
    void Read(const JsonPiece& piece, const std::string& fileName, ImportSink& sink);

    /// Delivers the cards that have game prices. Throws `PriceError` when card files
    /// came without a price file or the other way round.
    void Finish(ImportSink& sink);

private:
    struct State;
    std::unique_ptr<State> m_state;
};
