#pragma once

#include "prices/ImportedCard.h"
#include "prices/JsonPieces.h"

#include <simdjson.h>

#include <cstddef>
#include <functional>
#include <string>

/// The plumbing both JSON price readers share: one file read on demand (never built into a
/// tree), the place in it for messages and progress, and the message for JSON that is invalid
/// or cut short.
class JsonPriceFile {
public:
    /// One piece of a file read in pieces (messages and progress name places in the file).
    JsonPriceFile(const JsonPiece& piece, std::string fileName, ImportSink& sink);

    /// Parses the file with `parser` and hands its document to `read`. Throws
    /// `PriceError` naming the file and the byte offset for invalid or truncated JSON;
    /// reports the whole file read when `read` returns.
    void Read(simdjson::ondemand::parser& parser,
              const std::function<void(simdjson::ondemand::document&)>& read);

    const std::string& File() const { return m_file; }
    ImportSink& Sink() const { return m_sink; }
    /// The byte offset reached, or the file's size outside `Read`.
    std::size_t Offset() const;
    /// "file byte 1234", for messages.
    std::string Where() const { return m_file + " byte " + std::to_string(Offset()); }
    /// Counts one card or entry read, reporting the progress every few hundred.
    void Tick();

    /// A string value, or empty when the value is of another kind (null, number...).
    static std::string Text(simdjson::ondemand::value value);

    /// The names one format gives the text fields every card has.
    struct CardFieldNames {
        std::string_view name;
        std::string_view setCode;
        std::string_view number;
    };
    /// Takes the field `key` into `card` when it is the card's name, set code or collector
    /// number under `names`, or its "rarity"; false for any other field.
    static bool ReadCardField(const CardFieldNames& names,
                              const simdjson::ondemand::raw_json_string& key,
                              simdjson::ondemand::value value, ImportedCard& card);

private:
    void Report(std::uint64_t offset) const;

    JsonPiece m_piece;
    std::string m_file;
    ImportSink& m_sink;
    simdjson::ondemand::document* m_doc = nullptr;
    std::size_t m_items = 0;
};
