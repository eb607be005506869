#include "update/UpdatePlan.h"

#include "update/DownloadCache.h"
#include "update/FileFetcher.h"
#include "update/HttpClient.h"
#include "update/PriceUpdate.h"
#include "update/UpdateProgress.h"

#include <simdjson.h>

#include <chrono>
#include <thread>

namespace {

constexpr const char* kSource = "scryfall";
constexpr const char* kBulk = "bulk-data/default-cards";
constexpr const char* kBulkCache = "default-cards.bulk.json";
constexpr const char* kCards = "default-cards.json";
// Scryfall asks for 50-100 ms between requests.
constexpr auto kRequestGap = std::chrono::milliseconds(100);
constexpr std::uint64_t kLargestDownload = 4ull << 30;

struct Bulk {
    std::string updatedAt;
    std::string downloadUri;
    std::uint64_t size = 0;
};

bool ParseBulk(const std::string& text, Bulk& bulk)
{
    simdjson::dom::parser parser;
    simdjson::dom::element root;
    std::string_view updated, uri;
    if (parser.parse(text).get(root) != simdjson::SUCCESS ||
        root["updated_at"].get(updated) != simdjson::SUCCESS ||
        root["download_uri"].get(uri) != simdjson::SUCCESS || updated.size() < 10) {
        return false;
    }
    bulk.updatedAt = std::string(updated);
    bulk.downloadUri = std::string(uri);
    std::uint64_t size = 0;
    if (root["size"].get(size) == simdjson::SUCCESS) {
        bulk.size = size;
    }
    return true;
}

PlannedImport Fail(PlannedImport plan, std::string error)
{
    plan.error = std::move(error);
    return plan;
}

} // namespace

PlannedImport PlanScryfall(UpdatePlanContext& context)
{
    PlannedImport plan;
    if (context.offline) {
        if (!context.cache.Has(kCards)) {
            return Fail(plan, "The cache folder " + context.cache.Folder() +
                                  " holds no Scryfall download yet: update once without "
                                  "--offline.");
        }
        const std::string updatedAt = context.cache.ReadInfo(kCards).version;
        plan.date = updatedAt.substr(0, 10);
        plan.label = "Scryfall " + plan.date;
        plan.files = {context.cache.PathOf(kCards)};
        plan.records = {{kSource, "default-cards", updatedAt, plan.date, {}, {}}};
        return plan;
    }
    const std::vector<std::string> headers = {"Accept: application/json;q=0.9,*/*;q=0.8"};
    FileFetcher fetcher(context.client, context.cache, headers);
    if (!context.progress.Step("Checking Scryfall's default cards")) {
        plan.cancelled = true;
        return plan;
    }
    const FileFetcher::Outcome answer = fetcher.Small(context.base + kBulk, kBulkCache, true);
    if (!answer.ok) {
        plan.cancelled = answer.cancelled;
        return answer.cancelled ? plan : Fail(plan, answer.error);
    }
    const auto asked = std::chrono::steady_clock::now();
    context.fetched.push_back(
        std::string(kBulk) +
        (answer.notModified ? " (unchanged)" : " (" + PriceUpdate::Size(answer.bytes) + ")"));
    Bulk bulk;
    if (!ParseBulk(answer.text, bulk)) {
        context.cache.Remove(kBulkCache);
        return Fail(plan, context.base + kBulk +
                              " is not Scryfall's bulk data object (no updated_at and "
                              "download_uri). Check the source address.");
    }
    const std::string uri = HttpClient::Resolve(context.base + kBulk, bulk.downloadUri);
    if (!uri.starts_with("https://") &&
        !(uri.starts_with("http://") && !context.base.starts_with("https://"))) {
        return Fail(plan, "Scryfall names its file at " + uri +
                              ", which is not an HTTPS address; it was not downloaded.");
    }
    plan.date = bulk.updatedAt.substr(0, 10);
    plan.label = "Scryfall " + plan.date;
    const SourceRecord* last = SourceRecord::Find(context.recorded, kSource, "default-cards");
    if (last != nullptr && last->version >= bulk.updatedAt) {
        plan.upToDate = true;
        return plan;
    }
    std::this_thread::sleep_until(asked + kRequestGap);
    if (!context.progress.Step("Downloading default-cards")) {
        plan.cancelled = true;
        return plan;
    }
    const std::uint64_t bound =
        bulk.size > 0 ? std::min<std::uint64_t>(kLargestDownload, bulk.size * 2 + (64u << 20))
                      : kLargestDownload;
    const FileFetcher::Outcome file =
        context.cache.Has(kCards) && context.cache.ReadInfo(kCards).version == bulk.updatedAt
            ? FileFetcher::Outcome{true, false, false, true, 0, {}, {}}
            : fetcher.Large(uri, kCards, {}, bulk.updatedAt, bound, true,
                            [&context](std::uint64_t done, std::uint64_t total) {
                                return context.progress.Bytes(done, total);
                            });
    if (!file.ok) {
        plan.cancelled = file.cancelled;
        return file.cancelled ? plan : Fail(plan, file.error);
    }
    context.fetched.push_back(
        std::string(kCards) +
        (file.fromCache ? " (in the cache)" : " (" + PriceUpdate::Size(file.bytes) + ")"));
    plan.files = {context.cache.PathOf(kCards)};
    plan.records = {{kSource, "default-cards", bulk.updatedAt, plan.date, {}, {}}};
    return plan;
}
