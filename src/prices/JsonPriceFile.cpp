#include "prices/JsonPriceFile.h"

#include "prices/PriceTextParser.h"

#include <algorithm>

namespace od = simdjson::ondemand;

namespace {

constexpr std::size_t kProgressEvery = 512;

} // namespace

JsonPriceFile::JsonPriceFile(const JsonPiece& piece, std::string fileName, ImportSink& sink)
    : m_piece(piece), m_file(std::move(fileName)), m_sink(sink)
{
}

void JsonPriceFile::Read(od::parser& parser, const std::function<void(od::document&)>& read)
{
    m_items = 0;
    // The document outlives the try block: an error's byte offset is read from it afterwards.
    od::document doc;
    try {
        doc = parser.iterate(m_piece.text);
        m_doc = &doc;
        read(doc);
        m_doc = nullptr;
    } catch (const simdjson::simdjson_error& error) {
        const std::size_t offset = Offset();
        m_doc = nullptr;
        throw PriceError::File(m_file + " byte " + std::to_string(offset) +
                               ": the JSON is invalid or cut short (" + error.what() +
                               "). Download the file again.");
    } catch (...) {
        m_doc = nullptr;
        throw;
    }
    Report(m_piece.FileOffset(m_piece.text.size()));
}

void JsonPriceFile::Report(std::uint64_t offset) const
{
    // Reading the file was the first tenth of the work.
    const std::uint64_t size = m_piece.fileSize;
    m_sink.Progress(size / 10 + std::min(offset, size) * 9 / 10, size);
}

std::size_t JsonPriceFile::Offset() const
{
    const char* at = nullptr;
    if (m_doc == nullptr || m_doc->current_location().get(at) != simdjson::SUCCESS) {
        return m_piece.FileOffset(m_piece.text.size());
    }
    return m_piece.FileOffset(static_cast<std::size_t>(at - m_piece.text.data()));
}

void JsonPriceFile::Tick()
{
    if (++m_items % kProgressEvery == 0) {
        Report(Offset());
    }
}

std::string JsonPriceFile::Text(od::value value)
{
    if (value.type() != od::json_type::string) {
        return {};
    }
    return std::string(std::string_view(value.get_string()));
}

bool JsonPriceFile::ReadCardField(const CardFieldNames& names, const od::raw_json_string& key,
                                  od::value value, ImportedCard& card)
{
    std::string* const text = key == names.name      ? &card.name
                              : key == names.setCode ? &card.setCode
                              : key == names.number  ? &card.number
                                                     : nullptr;
    if (text != nullptr) {
        *text = Text(value);
        return true;
    }
    if (key == "rarity") {
        card.rarity = price_text_parser::RarityCode(Text(value));
        return true;
    }
    return false;
}
