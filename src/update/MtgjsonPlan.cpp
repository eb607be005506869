#include "update/UpdatePlan.h"

#include "prices/PriceTextParser.h"
#include "update/CardFileDigest.h"
#include "update/DownloadCache.h"
#include "update/FileFetcher.h"
#include "update/HttpClient.h"
#include "update/PriceUpdate.h"
#include "update/Sha256.h"
#include "update/StreamUnpacker.h"
#include "update/UpdateProgress.h"

#include <simdjson.h>

#include <filesystem>

namespace {

constexpr const char* kSource = "mtgjson";
constexpr const char* kMeta = "Meta.json";
constexpr const char* kPrintings = "AllPrintings.json.xz";
constexpr const char* kPrices = "AllPricesToday.json.xz";
// The cards of AllPrintings that a price import reads, shrunk; see CardFileDigest.
constexpr const char* kCards = "AllPrintings.cards.json";
constexpr std::uint64_t kLargestDownload = 2ull << 30;

struct Meta {
    std::string date;
    std::string version;
};

// meta.date and meta.version (Meta.json repeats them under "data").
bool ParseMeta(const std::string& text, Meta& meta)
{
    simdjson::dom::parser parser;
    simdjson::dom::element root;
    if (parser.parse(text).get(root) != simdjson::SUCCESS) {
        return false;
    }
    for (const char* key : {"meta", "data"}) {
        std::string_view date, version;
        if (root[key]["date"].get(date) == simdjson::SUCCESS &&
            root[key]["version"].get(version) == simdjson::SUCCESS) {
            meta.date = std::string(date);
            meta.version = std::string(version);
            return price_text_parser::IsDate(meta.date) && !meta.version.empty();
        }
    }
    return false;
}

class MtgjsonPlan {
public:
    explicit MtgjsonPlan(UpdatePlanContext& context)
        : m_context(context), m_fetcher(context.client, context.cache)
    {
    }

    PlannedImport Run()
    {
        Meta meta;
        if (m_context.offline) {
            if (!m_context.cache.Has(kCards) || !m_context.cache.Has(kPrices)) {
                return Fail("The cache folder " + m_context.cache.Folder() +
                            " holds no complete MTGJSON download yet: update once without "
                            "--offline.");
            }
            ParseMeta(m_context.cache.ReadFile(kMeta), meta);
            meta.version = m_context.cache.ReadInfo(kCards).version;
            meta.date = m_context.cache.ReadInfo(kPrices).version;
            m_plan.label = "MTGJSON " + meta.date;
            if (!Unpack(m_context.cache.ReadInfo(kPrices).sha256)) {
                return m_plan;
            }
            Record(meta, m_context.cache.ReadInfo(kPrices).sha256);
            return m_plan;
        }
        if (!m_context.progress.Step("Checking " + std::string(kMeta))) {
            return Cancelled();
        }
        const FileFetcher::Outcome metaFile = m_fetcher.Small(m_context.base + kMeta, kMeta, true);
        if (!metaFile.ok) {
            return metaFile.cancelled ? Cancelled() : Fail(metaFile.error);
        }
        m_context.fetched.push_back(std::string(kMeta) +
                                    (metaFile.notModified
                                         ? " (unchanged)"
                                         : " (" + PriceUpdate::Size(metaFile.bytes) + ")"));
        if (!ParseMeta(metaFile.text, meta)) {
            m_context.cache.Remove(kMeta);
            return Fail(m_context.base + kMeta +
                        " is not MTGJSON's Meta.json (no meta.date and meta.version). Check the "
                        "source address.");
        }
        m_plan.label = "MTGJSON " + meta.date;
        const SourceRecord* cards = SourceRecord::Find(m_context.recorded, kSource, "AllPrintings");
        const SourceRecord* prices =
            SourceRecord::Find(m_context.recorded, kSource, "AllPricesToday");
        const bool needCards = cards == nullptr || cards->version != meta.version ||
                               !m_context.cache.Has(kCards) ||
                               m_context.cache.ReadInfo(kCards).version != meta.version;
        const bool needPrices = needCards || prices == nullptr || prices->date != meta.date;
        if (!needPrices) {
            m_plan.upToDate = true;
            return m_plan;
        }
        if (needCards && !FetchCards(meta)) {
            return m_plan;
        }
        const std::string sha = Published(kPrices);
        if (sha.empty() || !Fetch(kPrices, sha, meta.date) || !Unpack(sha)) {
            return m_plan;
        }
        Record(meta, sha);
        return m_plan;
    }

private:
    PlannedImport Fail(std::string error)
    {
        m_plan.error = std::move(error);
        return m_plan;
    }
    PlannedImport Cancelled()
    {
        m_plan.cancelled = true;
        return m_plan;
    }
    bool Failed(const std::string& error, bool cancelled)
    {
        m_plan.cancelled = cancelled;
        if (!cancelled) {
            m_plan.error = error;
        }
        return false;
    }

    // The digest published beside `name`, or empty (with the plan's error set).
    std::string Published(const std::string& name)
    {
        const std::string sums = name + ".sha256";
        const FileFetcher::Outcome file = m_fetcher.Small(m_context.base + sums, sums, true);
        if (!file.ok) {
            Failed(file.error, file.cancelled);
            return {};
        }
        const std::string sha = Sha256::FromPublished(file.text);
        if (sha.empty()) {
            m_context.cache.Remove(sums);
            Failed(m_context.base + sums + " holds no SHA-256 digest. Check the source address.",
                   false);
        }
        return sha;
    }

    bool Fetch(const std::string& name, const std::string& sha, const std::string& version)
    {
        if (!m_context.progress.Step("Downloading " + name)) {
            return Failed({}, true);
        }
        const FileFetcher::Outcome file =
            m_fetcher.Large(m_context.base + name, name, sha, version, kLargestDownload, false,
                            [this](std::uint64_t done, std::uint64_t total) {
                                return m_context.progress.Bytes(done, total);
                            });
        if (!file.ok) {
            return Failed(file.error, file.cancelled);
        }
        m_context.fetched.push_back(name + (file.fromCache
                                                ? " (in the cache)"
                                                : " (" + PriceUpdate::Size(file.bytes) + ")"));
        return true;
    }

    // Unpacks `name` into a temporary file of the cache, checking its digest on the way.
    bool UnpackTo(const std::string& name, const std::string& sha, const std::string& to)
    {
        if (!m_context.progress.Step("Unpacking " + name)) {
            return Failed({}, true);
        }
        const StreamUnpacker::Result unpacked = StreamUnpacker::Unpack(
            m_context.cache.PathOf(name), to, StreamUnpacker::kDefaultBound,
            [this](std::uint64_t done, std::uint64_t total) {
                return m_context.progress.Share(total > 0 ? double(done) / double(total) : 0.0);
            });
        if (!unpacked.ok) {
            return Failed(unpacked.error, unpacked.cancelled);
        }
        if (!sha.empty() && unpacked.packedSha256 != sha) {
            m_context.cache.Remove(name);
            std::error_code ignored;
            std::filesystem::remove(to, ignored);
            return Failed(name + " in the cache no longer matches its checksum; it was removed. "
                                 "Update again (without --offline) to download it anew.",
                          false);
        }
        return true;
    }

    bool FetchCards(const Meta& meta)
    {
        const std::string sha = Published(kPrintings);
        if (sha.empty() || !Fetch(kPrintings, sha, meta.version)) {
            return false;
        }
        const std::string whole = m_context.cache.PathOf("AllPrintings.json.unpacking");
        const std::string digest = m_context.cache.PathOf(std::string(kCards) + ".part");
        const bool unpacked = UnpackTo(kPrintings, sha, whole);
        CardFileDigest::Result cards;
        if (unpacked) {
            m_context.progress.Step("Reading the cards of AllPrintings.json");
            cards = CardFileDigest::Write(
                whole, digest, [this](double share) { return m_context.progress.Share(share); });
        }
        std::error_code ignored;
        std::filesystem::remove(whole, ignored);
        if (!unpacked) {
            return false;
        }
        if (!cards.ok) {
            std::filesystem::remove(digest, ignored);
            return Failed(cards.error, cards.cancelled);
        }
        m_context.cache.Remove(kCards);
        std::error_code ec;
        std::filesystem::rename(digest, m_context.cache.PathOf(kCards), ec);
        DownloadCache::Info info;
        info.version = meta.version;
        info.sha256 = sha;
        std::string error;
        if (ec || !m_context.cache.WriteInfo(kCards, info, &error)) {
            return Failed(
                ec ? "Cannot store " + m_context.cache.PathOf(kCards) + ": " + ec.message() : error,
                false);
        }
        return true;
    }

    bool Unpack(const std::string& sha)
    {
        const std::string prices = m_context.cache.PathOf("AllPricesToday.json.unpacked");
        if (!UnpackTo(kPrices, sha, prices)) {
            return false;
        }
        m_plan.files = {m_context.cache.PathOf(kCards), prices};
        m_plan.temporaries = {prices};
        return true;
    }

    void Record(const Meta& meta, const std::string& pricesSha)
    {
        SourceRecord cards;
        cards.source = kSource;
        cards.file = "AllPrintings";
        cards.version = meta.version;
        cards.date = meta.date;
        cards.sha256 = m_context.cache.ReadInfo(kCards).sha256;
        SourceRecord prices = cards;
        prices.file = "AllPricesToday";
        prices.sha256 = pricesSha;
        m_plan.records = {cards, prices};
    }

    UpdatePlanContext& m_context;
    FileFetcher m_fetcher;
    PlannedImport m_plan;
};

} // namespace

PlannedImport PlanMtgjson(UpdatePlanContext& context)
{
    return MtgjsonPlan(context).Run();
}
