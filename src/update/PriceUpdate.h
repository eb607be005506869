#pragma once

#include "prices/PriceImportSummary.h"
#include "update/HttpClient.h"
#include "update/UpdateProgress.h"

#include <string>
#include <vector>

/// Choices of one price update.
struct PriceUpdateOptions {
    std::string source = "mtgjson"; ///< "mtgjson" or "scryfall"
    std::string baseUrl;            ///< empty: the source's public address
    bool offline = false;           ///< import again what the cache holds, without the network
    bool overwriteManual = false;   ///< also replace prices set by hand
    std::string cacheFolder;        ///< empty: DownloadCache::DefaultFolder()
    HttpSettings http;              ///< user agent, extra certificates, timeouts
};

/// What an update did.
struct PriceUpdateResult {
    enum class Outcome {
        Updated,       ///< new files were imported
        UpToDate,      ///< nothing new at the source (or the files changed no price)
        NothingUsable, ///< the files held no price that could be used
        Cancelled,
        Failed,
    };
    Outcome outcome = Outcome::Failed;
    std::vector<std::string> fetched; ///< "AllPricesToday.json.xz (7.9 MB)", "... (in the cache)"
    bool imported = false;            ///< `summary` is an import's
    PriceImportSummary summary;
    std::string label; ///< "MTGJSON 2026-12-08"
    std::string error; ///< what failed and what to do

    /// The closing line: "Prices are up to date (MTGJSON 2026-12-08)", or the error.
    std::string Closing() const;
    /// 0 updated or current, 1 nothing usable, 2 an error or a cancel.
    int ExitStatus() const;
};

/// Brings the price database up to date from MTGJSON or Scryfall: downloads what changed
/// since the last update into the cache, checks it, and imports it in one transaction
/// together with the record of what was read (table `price_source`). No Qt: the command and
/// the window share it; it may run on any thread.
class PriceUpdate {
public:
    PriceUpdate(std::string databasePath, PriceUpdateOptions options);

    PriceUpdateResult Run(const UpdateProgressCallback& progress = {}) const;

    /// The public addresses.
    static constexpr const char* kMtgjsonBase = "https://mtgjson.com/api/v5/";
    static constexpr const char* kScryfallBase = "https://api.scryfall.com/";
    /// "Quorvel/1.0.0.0" and where it comes from, for the User-Agent.
    static std::string UserAgent();
    /// "1.2 MB", "312 bytes".
    static std::string Size(std::uint64_t bytes);

private:
    std::string m_databasePath;
    PriceUpdateOptions m_options;
};
