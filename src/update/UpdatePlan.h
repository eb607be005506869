#pragma once

#include "update/SourceRecord.h"

#include <string>
#include <vector>

class DownloadCache;
class HttpClient;
class UpdateProgress;

/// What a source's plan hands the update: the files to import and what to record, or why not.
struct PlannedImport {
    bool upToDate = false;
    bool cancelled = false;
    std::string error;
    std::vector<std::string> files;       ///< to import, in this order
    std::vector<std::string> temporaries; ///< removed after the import
    std::vector<SourceRecord> records;
    std::string date;  ///< for prices a file gives no date
    std::string label; ///< "MTGJSON 2026-12-08"
};

/// What both plans work with.
struct UpdatePlanContext {
    const HttpClient& client;
    const DownloadCache& cache;
    UpdateProgress& progress;
    std::string base; ///< ends in "/"
    bool offline = false;
    std::vector<SourceRecord> recorded; ///< of the price database
    std::vector<std::string>& fetched;  ///< lines for the report
};

/// MTGJSON: Meta.json first; AllPricesToday.json.xz when the date changed; AllPrintings.json.xz
/// only when never read or when meta.version changed (then shrunk to the cards on the game's
/// servers, kept in the cache); each checked against its published .sha256.
PlannedImport PlanMtgjson(UpdatePlanContext& context);

/// Scryfall: bulk-data/default-cards, then its download_uri only when updated_at is newer
/// than the last import.
PlannedImport PlanScryfall(UpdatePlanContext& context);
