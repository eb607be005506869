#pragma once

#include <simdjson.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

/// Some of a JSON price file's entries as a document of their own, wrapped as the file's top
/// level: `{"data": {...}}` for an object with "data" (MTGJSON), `[...]` for an array
/// (Scryfall). A whole file read at once is one piece without a wrapper.
struct JsonPiece {
    const simdjson::padded_string& text;
    std::size_t wrapper = 0;    ///< bytes of `text` before the first entry
    std::uint64_t offset = 0;   ///< where the first entry starts in the file
    std::uint64_t fileSize = 0; ///< of the whole file

    /// The byte of the file that byte `at` of `text` stands for.
    std::uint64_t FileOffset(std::size_t at) const
    {
        return offset + (at > wrapper ? at - wrapper : 0);
    }
};

/// Reads a large JSON price file in pieces of a few megabytes instead of whole, so that the
/// memory an import needs does not grow with the file: the file is read front to back in
/// chunks, each entry under the top object's "data" (or each element of a top array) is found
/// by its brackets, and a run of whole entries becomes one `JsonPiece` for the JSON parser.
/// The parser checks each piece; this only follows strings and brackets.
class JsonPieces {
public:
    /// Reads the open file `fd` of `size` bytes (named `name` in messages) from its start and
    /// calls `each` with pieces of about `pieceBytes` (an entry larger than that is a piece of
    /// its own). A top object without "data" gives one empty object `{}`. Each other member of
    /// the top object ("meta") goes to `members`, when given, as an object of its own. Throws
    /// `PriceError` for a file that cannot be read or that ends inside its JSON.
    static void Read(int fd, std::uint64_t size, const std::string& name, std::size_t pieceBytes,
                     const std::function<void(const JsonPiece&)>& each,
                     const std::function<void(const JsonPiece&)>* members = nullptr);
};
