#include "prices/PriceImport.h"

#include "data/DatabaseSchema.h"
#include "data/DateTime.h"

#include "prices/CompressedFile.h"
#include "prices/CsvPriceReader.h"
#include "prices/ImportPlanner.h"
#include "prices/ImportedCard.h"
#include "prices/JsonPieces.h"
#include "prices/MtgjsonPriceReader.h"
#include "prices/PriceTextParser.h"
#include "prices/ScryfallPriceReader.h"

#include <simdjson.h>
#include <sqlite3.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Share of the progress bar given to reading the files; the rest is matching and writing.
constexpr double kReadingShare = 0.8;
// Then matching the cards to the catalogue; the rest is working out and writing the changes.
constexpr double kMatchingShare = 0.05;
// Reports while reading the catalogue and matching, so a big one still answers Cancel.
constexpr std::size_t kMatchReportEvery = 2048;
constexpr std::size_t kChunk = 4u << 20;

std::string Today()
{
    return DateTime::UtcNow().Format("%Y-%m-%d");
}

std::string BaseName(const std::string& path)
{
    return std::filesystem::path(path).filename().string();
}

// Collects what the readers deliver and turns progress into the caller's share.
class Collector : public ImportSink {
public:
    Collector(PriceImportSummary& summary, const PriceImportProgress& progress, std::string date)
        : m_summary(summary), m_progress(progress), m_date(std::move(date))
    {
    }

    void Card(ImportedCard&& card) override { m_cards.push_back(std::move(card)); }
    void Skip(const std::string& where, const std::string& why) override
    {
        ++m_summary.rowsSkipped;
        if (m_summary.skipReasons.size() < 5) {
            m_summary.skipReasons.push_back(where + ": " + why);
        }
    }
    void NotOnGame() override { ++m_summary.notOnGame; }
    void Progress(std::uint64_t done, std::uint64_t total) override
    {
        const double inFile =
            total > 0 ? static_cast<double>(done) / static_cast<double>(total) : 1;
        Report(kReadingShare * (m_before + inFile * m_fileShare));
    }
    const std::string& DefaultDate() const override { return m_date; }

    void Report(double fraction) const
    {
        if (m_progress && !m_progress(fraction)) {
            throw PriceError::Cancel();
        }
    }
    void StartFile(double before, double share)
    {
        m_before = before;
        m_fileShare = share;
    }
    std::vector<ImportedCard>& Cards() { return m_cards; }

private:
    PriceImportSummary& m_summary;
    const PriceImportProgress& m_progress;
    std::string m_date;
    std::vector<ImportedCard> m_cards;
    double m_before = 0.0;
    double m_fileShare = 0.0;
};

// Closes a file descriptor on every way out.
class OpenFile {
public:
    explicit OpenFile(int fd) : m_fd(fd) {}
    ~OpenFile()
    {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
    int Fd() const { return m_fd; }

private:
    int m_fd;
};

// The file opened for reading, with its size. A pipe or a device is refused before anything
// waits on it: opening a pipe with no writer, or reading one, would hang the import, and a
// device never ends.
struct CheckedFile {
    std::unique_ptr<OpenFile> file;
    std::uint64_t size = 0;
};

CheckedFile OpenChecked(const std::string& path)
{
    const auto refuse = [&path](const std::string& why) {
        return PriceError::File("Cannot read " + path + ": " + why +
                                ". Check the file name and that you may read it.");
    };
    CheckedFile checked;
    checked.file = std::make_unique<OpenFile>(
        ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    struct stat info {};
    if (checked.file->Fd() < 0 || ::fstat(checked.file->Fd(), &info) != 0) {
        throw refuse(std::strerror(errno));
    }
    if (S_ISDIR(info.st_mode)) {
        throw refuse("it is a folder");
    }
    if (!S_ISREG(info.st_mode)) {
        throw refuse("it is not a regular file (a pipe or a device); save the prices to a file "
                     "first");
    }
    checked.size = static_cast<std::uint64_t>(info.st_size);
    return checked;
}

// The whole file, padded for the JSON parser, read in pieces so progress keeps moving.
simdjson::padded_string LoadFile(const std::string& path, const CheckedFile& file,
                                 Collector& collector)
{
    const auto size = static_cast<std::size_t>(file.size);
    simdjson::padded_string text(size);
    if (size > 0 && text.data() == nullptr) {
        throw PriceError::File("Not enough memory to read " + path + ".");
    }
    std::size_t done = 0;
    while (done < size) {
        const std::size_t piece = std::min<std::size_t>(kChunk, size - done);
        const ssize_t got = ::read(file.file->Fd(), text.data() + done, piece);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            throw PriceError::File("Cannot read " + path + " to its end (byte " +
                                   std::to_string(done) + ").");
        }
        done += static_cast<std::size_t>(got);
        collector.Progress(done / 10, size); // reading is about a tenth of the work
    }
    return text;
}

// The first bytes of a large file, to tell its kind; empty when they are all blank.
std::string Head(const CheckedFile& file)
{
    std::string head(4096, '\0');
    const ssize_t got = ::pread(file.file->Fd(), head.data(), head.size(), 0);
    head.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    return head;
}

// A packed file would be read as text and quoted byte for byte in a message: it is named as
// what it is instead.
void RefuseCompressed(std::string_view text, const std::string& name)
{
    const Compression compression = DetectCompression(text);
    if (compression != Compression::None) {
        throw PriceError::File(name + ": compressed file: unpack it first (it is a " +
                               std::string(CompressionName(compression)) + " file).");
    }
}

std::string_view FirstNonBlank(std::string_view text)
{
    if (text.starts_with("\xEF\xBB\xBF")) {
        text.remove_prefix(3);
    }
    const std::size_t at = text.find_first_not_of(" \t\r\n");
    return at == std::string_view::npos ? std::string_view() : text.substr(at, 1);
}

class Database {
public:
    ~Database() { sqlite3_close_v2(m_db); }
    sqlite3* m_db = nullptr;
};

std::string EngineText(sqlite3* db)
{
    return db != nullptr ? sqlite3_errmsg(db) : "out of memory";
}

// The message for a database that refused the import: the engine's `what` and, where the
// engine's result `code` says so, what the user can do about it.
std::string RefusedText(const std::string& path, const std::string& what, int code)
{
    std::string text = "The price database " + path + " could not be updated: " + what + ".";
    if (code == SQLITE_BUSY || code == SQLITE_LOCKED) {
        text += " Another program is writing to it; wait until it is done (or close it) "
                "and import again.";
    } else if (code == SQLITE_FULL) {
        text += " Free some disk space and import again.";
    } else if (code == SQLITE_READONLY) {
        text += " Allow writing to it (and to its folder) and import again.";
    }
    return text;
}

} // namespace

PriceImport::PriceImport(std::string databasePath) : m_databasePath(std::move(databasePath)) {}

PriceImportSummary PriceImport::Run(const std::vector<std::string>& files,
                                    const PriceImportOptions& options,
                                    const PriceImportProgress& progress) const
{
    PriceImportSummary summary;
    summary.dryRun = options.dryRun;
    const auto fail = [&summary](std::string text) {
        const bool dryRun = summary.dryRun;
        summary = PriceImportSummary();
        summary.dryRun = dryRun;
        summary.outcome = PriceImportSummary::Outcome::Failed;
        summary.error = std::move(text);
        return summary;
    };
    if (!options.date.empty() && !price_text_parser::IsDate(options.date)) {
        return fail("The date \"" + options.date + "\" is not a day written YYYY-MM-DD.");
    }
    if (files.empty()) {
        return fail("No price file given.");
    }
    std::error_code ec;
    if (!std::filesystem::is_regular_file(m_databasePath, ec)) {
        return fail("The price database " + m_databasePath +
                    " does not exist. Run the import in the folder that holds mtgo.mdb.");
    }
    Database database;
    const int flags = options.dryRun ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE;
    if (sqlite3_open_v2(m_databasePath.c_str(), &database.m_db, flags | SQLITE_OPEN_NOMUTEX,
                        nullptr) != SQLITE_OK) {
        return fail("Cannot open the price database " + m_databasePath + ": " +
                    EngineText(database.m_db) + ". Nothing was changed.");
    }
    sqlite3* db = database.m_db;
    sqlite3_busy_timeout(db, 2000);
    if (!options.dryRun && sqlite3_db_readonly(db, "main") == 1) {
        return fail("The price database " + m_databasePath +
                    " is read-only. Allow writing to it (and to its folder) and import again; "
                    "nothing was changed.");
    }
    if (!database_schema::HaveTable(db, "cardslist", "manual_modify")) {
        const int code = sqlite3_errcode(db);
        if (code == SQLITE_BUSY || code == SQLITE_LOCKED) {
            return fail("The price database " + m_databasePath +
                        " is locked: another program is using it. Wait until it is done (or "
                        "close it) and import again; nothing was changed.");
        }
        return fail(m_databasePath + " is not a price database (" + EngineText(db) +
                    "). Nothing was changed.");
    }

    Collector collector(summary, progress, options.date.empty() ? Today() : options.date);
    MtgjsonPriceReader mtgjson;
    bool began = false;
    std::size_t usable = 0;
    try {
        std::uintmax_t total = 0;
        std::vector<std::uintmax_t> sizes;
        for (const std::string& path : files) {
            sizes.push_back(std::filesystem::file_size(path, ec));
            total += ec ? 0 : sizes.back();
        }
        double before = 0.0;
        for (std::size_t i = 0; i < files.size(); ++i) {
            const double share =
                total > 0 ? static_cast<double>(sizes[i]) / static_cast<double>(total) : 1.0;
            collector.StartFile(before, share);
            const CheckedFile file = OpenChecked(files[i]);
            const std::string name = BaseName(files[i]);
            if (file.size > options.piecesFrom) {
                const std::string head = Head(file);
                RefuseCompressed(head, name);
                const std::string_view first = FirstNonBlank(head);
                if (first == "{" || first == "[") {
                    simdjson::ondemand::parser parser;
                    JsonPieces::Read(file.file->Fd(), file.size, name, options.pieceBytes,
                                     [&](const JsonPiece& piece) {
                                         if (first == "{") {
                                             mtgjson.Read(piece, name, collector);
                                         } else {
                                             ScryfallPriceReader::Read(piece, name, collector,
                                                                       parser);
                                         }
                                     });
                    before += share;
                    continue;
                }
            }
            const simdjson::padded_string text = LoadFile(files[i], file, collector);
            RefuseCompressed(text, name);
            const std::string_view first = FirstNonBlank(text);
            if (first == "{") {
                mtgjson.Read(text, name, collector);
            } else if (first == "[") {
                ScryfallPriceReader::Read(text, name, collector);
            } else if (first.empty()) {
                throw PriceError::File(name + " is empty: it holds no prices.");
            } else {
                CsvPriceReader::Read(text, name, collector);
            }
            before += share;
        }
        mtgjson.Finish(collector);
        collector.Report(kReadingShare);

        if (sqlite3_exec(db, options.dryRun ? "BEGIN" : "BEGIN IMMEDIATE", nullptr, nullptr,
                         nullptr) != SQLITE_OK) {
            throw PriceError::Database(EngineText(db));
        }
        began = true;
        ImportPlanner planner(db, options.overwriteManual, summary);
        std::vector<ImportedCard>& cards = collector.Cards();
        planner.Load(kMatchReportEvery, [&collector] { collector.Report(kReadingShare); });
        planner.Reserve(cards.size());
        for (std::size_t i = 0; i < cards.size(); ++i) {
            if (i % kMatchReportEvery == 0) {
                collector.Report(kReadingShare + kMatchingShare * static_cast<double>(i) /
                                                     static_cast<double>(cards.size()));
            }
            planner.Add(std::move(cards[i]));
        }
        cards.clear();
        cards.shrink_to_fit();
        const auto tick = [&collector](double share) {
            const double before = kReadingShare + kMatchingShare;
            collector.Report(before + (1.0 - before) * share);
        };
        planner.Apply(!options.dryRun, tick);
        usable = planner.Usable();
        // The last chance to cancel is before the commit: once it is done, the import is done,
        // and a cancel asked for then must not be reported as one.
        collector.Report(1.0);
        std::string storeError;
        if (!options.dryRun && options.alsoStore && !options.alsoStore(db, storeError)) {
            throw PriceError::Database(storeError);
        }
        // An import that changes nothing leaves the file untouched, even the added tables.
        const bool commit = !options.dryRun && (summary.Changed() || options.alsoStore);
        if (sqlite3_exec(db, commit ? "COMMIT" : "ROLLBACK", nullptr, nullptr, nullptr) !=
            SQLITE_OK) {
            throw PriceError::Database(EngineText(db));
        }
        began = false;
    } catch (const PriceError& failure) {
        if (failure.GetKind() == PriceError::Kind::Cancelled) {
            summary = PriceImportSummary();
            summary.dryRun = options.dryRun;
            summary.outcome = PriceImportSummary::Outcome::Cancelled;
        } else if (failure.GetKind() == PriceError::Kind::PriceFile) {
            summary = fail(failure.what() + std::string(" Nothing was changed."));
        } else {
            summary = fail(RefusedText(m_databasePath, failure.what(), sqlite3_errcode(db)) +
                           " Nothing was changed.");
        }
    } catch (const std::bad_alloc&) {
        summary = fail("Not enough memory to import the prices. Nothing was changed.");
    }
    if (began) {
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    }
    if (summary.outcome == PriceImportSummary::Outcome::Failed ||
        summary.outcome == PriceImportSummary::Outcome::Cancelled) {
        return summary;
    }
    summary.outcome = summary.Changed() ? PriceImportSummary::Outcome::Imported
                      : usable > 0      ? PriceImportSummary::Outcome::NothingChanged
                                        : PriceImportSummary::Outcome::NothingImported;
    return summary;
}
