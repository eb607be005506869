#pragma once

#include <string>
#include <vector>

struct sqlite3;

/// What an update read from a price source, kept in the price database (table
/// `price_source`, one row per source and file) so that the next update downloads only what
/// changed since.
struct SourceRecord {
    std::string source;  ///< "mtgjson", "scryfall"
    std::string file;    ///< "AllPrintings", "AllPricesToday", "default-cards"
    std::string version; ///< the source's version of the file (MTGJSON's meta.version,
                         ///< Scryfall's updated_at)
    std::string date;    ///< the day the file's prices are of, "YYYY-MM-DD"
    std::string sha256;
    std::string readAt; ///< when it was imported, "YYYY-MM-DD HH:MM:SS" UTC

    /// Every record of the database at `databasePath` (none when it has no such table yet).
    /// False (with *error) when the database cannot be read.
    static bool ReadAll(const std::string& databasePath, std::vector<SourceRecord>& records,
                        std::string* error = nullptr);
    /// Stores `records` (replacing those of the same source and file), creating the table when
    /// missing; call it inside the import's transaction. False (with *error) when refused.
    static bool WriteAll(sqlite3* db, const std::vector<SourceRecord>& records,
                         std::string* error = nullptr);
    /// The record of `source` and `file` in `records`, or null.
    static const SourceRecord* Find(const std::vector<SourceRecord>& records,
                                    const std::string& source, const std::string& file);
};
