#pragma once

// Reads any bytes as a price file, as the import does (JSON when it starts with { or [, else
// CSV), and checks what comes back: every delivered card has a name and prices, every price is
// a finite, non-negative number on a real day. Shared by the fuzz target and the corpus test.

#include "prices/CsvPriceReader.h"
#include "prices/ImportedCard.h"
#include "prices/MtgjsonPriceReader.h"
#include "prices/PriceTextParser.h"
#include "prices/ScryfallPriceReader.h"

#include <simdjson.h>

#include <cmath>
#include <string_view>

namespace price_file_check {

class CheckingSink : public ImportSink {
public:
    void Card(ImportedCard&& card) override
    {
        m_ok = m_ok && !card.prices.empty();
        for (const DatedPrice& price : card.prices) {
            m_ok = m_ok && price_text_parser::IsDate(price.date) && (price.regular || price.foil);
            for (const auto& side : {price.regular, price.foil}) {
                m_ok = m_ok && (!side || (std::isfinite(*side) && *side >= 0));
            }
        }
    }
    void Skip(const std::string& where, const std::string& why) override
    {
        m_ok = m_ok && !where.empty() && !why.empty();
    }
    void NotOnGame() override {}
    void Progress(std::uint64_t done, std::uint64_t total) override
    {
        m_ok = m_ok && done <= total;
    }
    const std::string& DefaultDate() const override { return m_date; }
    bool Ok() const { return m_ok; }

private:
    bool m_ok = true;
    std::string m_date = "2026-12-01";
};

/// False when the reader broke a rule; a damaged file (a price file error) is a fine
/// outcome.
inline bool ReadsSoundly(std::string_view bytes)
{
    CheckingSink sink;
    const simdjson::padded_string text(bytes);
    std::string_view start = bytes;
    if (start.starts_with("\xEF\xBB\xBF")) {
        start.remove_prefix(3);
    }
    const std::size_t first = start.find_first_not_of(" \t\r\n");
    try {
        if (first != std::string_view::npos && start[first] == '{') {
            MtgjsonPriceReader reader;
            reader.Read(text, "fuzz.json", sink);
            reader.Finish(sink);
        } else if (first != std::string_view::npos && start[first] == '[') {
            ScryfallPriceReader::Read(text, "fuzz.json", sink);
        } else {
            CsvPriceReader::Read(bytes, "fuzz.csv", sink);
        }
    } catch (const PriceError& error) {
        if (error.GetKind() != PriceError::Kind::PriceFile) {
            throw;
        }
        return *error.what() != '\0' && sink.Ok();
    }
    return sink.Ok();
}

} // namespace price_file_check
