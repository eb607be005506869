#pragma once

#include <string>
#include <string_view>

class ImportSink;

/// Reads a price list with a header row naming its columns (any letter case, any order, other
/// columns ignored): name, set (code or name), number, rarity, regular, foil and date, under a
/// few usual spellings. Comma, semicolon or tab separated; double-quoted fields with doubled
/// quotes; a decimal comma in semicolon files; a UTF-8 byte-order mark.
class CsvPriceReader {
public:
    /// `fileName` names the file in messages. Throws `PriceError` when the header lacks a
    /// needed column or a quote is never closed; rows with bad values are skipped and counted.
    static void Read(std::string_view text, const std::string& fileName, ImportSink& sink);
};
