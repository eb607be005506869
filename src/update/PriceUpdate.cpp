#include "update/PriceUpdate.h"

#include "prices/PriceImport.h"
#include "update/DownloadCache.h"
#include "update/UpdatePlan.h"

#include "QuorvelVersion.h"

#include <cstdio>
#include <filesystem>

std::string PriceUpdateResult::Closing() const
{
    switch (outcome) {
    case Outcome::Updated:
    case Outcome::UpToDate:
        return "Prices are up to date (" + label + ")";
    case Outcome::NothingUsable:
        return "The files of " + label + " held no price that could be used; nothing was changed.";
    case Outcome::Cancelled:
        return "Update cancelled; the price database is as it was.";
    case Outcome::Failed:
        break;
    }
    return error;
}

int PriceUpdateResult::ExitStatus() const
{
    switch (outcome) {
    case Outcome::Updated:
    case Outcome::UpToDate:
        return 0;
    case Outcome::NothingUsable:
        return 1;
    default:
        return 2;
    }
}

PriceUpdate::PriceUpdate(std::string databasePath, PriceUpdateOptions options)
    : m_databasePath(std::move(databasePath)), m_options(std::move(options))
{
    if (m_options.http.userAgent.empty()) {
        m_options.http.userAgent = UserAgent();
    }
}

std::string PriceUpdate::UserAgent()
{
    return std::string("Quorvel/") + quorvel_version::kText;
}

std::string PriceUpdate::Size(std::uint64_t bytes)
{
    char text[32];
    if (bytes < 10000) {
        std::snprintf(text, sizeof text, "%llu bytes", static_cast<unsigned long long>(bytes));
    } else if (bytes < 1'000'000) {
        std::snprintf(text, sizeof text, "%.1f kB", static_cast<double>(bytes) / 1e3);
    } else {
        std::snprintf(text, sizeof text, "%.1f MB", static_cast<double>(bytes) / 1e6);
    }
    return text;
}

PriceUpdateResult PriceUpdate::Run(const UpdateProgressCallback& callback) const
{
    PriceUpdateResult result;
    const bool scryfall = m_options.source == "scryfall";
    if (!scryfall && m_options.source != "mtgjson") {
        result.error =
            "Unknown price source \"" + m_options.source + "\": choose mtgjson or scryfall.";
        return result;
    }
    std::error_code ec;
    if (!std::filesystem::is_regular_file(m_databasePath, ec)) {
        result.error = "The price database " + m_databasePath +
                       " does not exist. Run the update in the folder that holds mtgo.mdb.";
        return result;
    }
    std::vector<SourceRecord> recorded;
    if (!SourceRecord::ReadAll(m_databasePath, recorded, &result.error)) {
        return result;
    }
    std::string base =
        m_options.baseUrl.empty() ? (scryfall ? kScryfallBase : kMtgjsonBase) : m_options.baseUrl;
    if (!base.ends_with("/")) {
        base += "/";
    }
    if (!base.starts_with("http://") && !base.starts_with("https://")) {
        result.error = "The source address \"" + base + "\" is not an http:// or https:// address.";
        return result;
    }
    const DownloadCache cache(
        (m_options.cacheFolder.empty() ? DownloadCache::DefaultFolder() : m_options.cacheFolder) +
        (scryfall ? "/scryfall" : "/mtgjson"));
    const HttpClient client(m_options.http);
    UpdateProgress progress(callback);
    UpdatePlanContext context{client,   cache,         progress, base, m_options.offline,
                              recorded, result.fetched};
    PlannedImport plan = scryfall ? PlanScryfall(context) : PlanMtgjson(context);
    result.label = plan.label;
    const auto cleanUp = [&plan] {
        for (const std::string& path : plan.temporaries) {
            std::error_code ignored;
            std::filesystem::remove(path, ignored);
        }
    };
    if (plan.cancelled || progress.Cancelled()) {
        cleanUp();
        result.outcome = PriceUpdateResult::Outcome::Cancelled;
        return result;
    }
    if (!plan.error.empty()) {
        cleanUp();
        result.error = plan.error;
        return result;
    }
    if (plan.upToDate) {
        result.outcome = PriceUpdateResult::Outcome::UpToDate;
        return result;
    }
    PriceImportOptions options;
    options.date = plan.date;
    options.overwriteManual = m_options.overwriteManual;
    const std::vector<SourceRecord> records = plan.records;
    options.alsoStore = [&records](sqlite3* db, std::string& error) {
        return SourceRecord::WriteAll(db, records, &error);
    };
    progress.Step("Importing prices");
    result.summary =
        PriceImport(m_databasePath).Run(plan.files, options, [&progress](double share) {
            return progress.Share(share);
        });
    result.imported = true;
    cleanUp();
    using Import = PriceImportSummary::Outcome;
    switch (result.summary.outcome) {
    case Import::Imported:
        result.outcome = PriceUpdateResult::Outcome::Updated;
        break;
    case Import::NothingChanged:
        result.outcome = PriceUpdateResult::Outcome::UpToDate;
        break;
    case Import::NothingImported:
        result.outcome = PriceUpdateResult::Outcome::NothingUsable;
        break;
    case Import::Cancelled:
        result.outcome = PriceUpdateResult::Outcome::Cancelled;
        break;
    case Import::Failed:
        result.error = result.summary.error;
        break;
    }
    return result;
}
