// makedb: creates the price database (mtgo.mdb) and the collection database (collection.mdb).

#include "data/DatabaseSchema.h"
#include "data/DateTime.h"
#include "data/SampleCatalogue.h"
#include "QuorvelVersion.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <unistd.h>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kMaxSyntheticCards = 16777215; // catalogue ids lie below 16777216

struct Options {
    std::string out;
    bool keep = false;
    bool force = false;
    bool synthetic = false;
    std::size_t syntheticCount = 0;
    std::string data;
};

std::string InstalledDataFile()
{
    std::error_code ec;
    const fs::path program = fs::read_symlink("/proc/self/exe", ec);
    if (ec) {
        return {};
    }
    return (program.parent_path() / ".." / "share" / "quorvel" / "sets-2003.tsv")
        .lexically_normal()
        .string();
}

// The installed copy wins over the source tree's, so an installed makedb never depends on a
// build folder that may be gone.
std::string DefaultDataFile()
{
    const std::string installed = InstalledDataFile();
    std::error_code ec;
    if (!installed.empty() && fs::is_regular_file(installed, ec)) {
        return installed;
    }
    return QUORVEL_SOURCE_DATA_FILE;
}

// Names no path of the machine makedb was built on: the help of an installed makedb must read
// the same everywhere.
void PrintHelp()
{
    std::printf(
        "Usage: makedb --out DIR [--keep | --force] [--synthetic N] [--data TSV]\n"
        "\n"
        "Creates DIR/mtgo.mdb (the price database) and DIR/collection.mdb (an empty collection\n"
        "database). The files are made in a private temporary folder and moved into place only\n"
        "when every one of them is complete: a failure leaves no half-written database and\n"
        "writes neither file. A file that already exists is never replaced unless --force is\n"
        "given: makedb names it and stops without writing anything.\n"
        "\n"
        "  --out DIR        folder for the two files (created if missing)\n"
        "  --keep           leave a file that already exists untouched, create the missing one\n"
        "  --force          replace existing files (a collection.mdb loses every logged deal)\n"
        "  --synthetic N    fill mtgo.mdb with N made-up cards (1 to %zu) instead of the sample\n"
        "  --data TSV       the sample card list to read (tab-separated: set_id, set_code,\n"
        "                   set_name, collection_no, rarity, name)\n"
        "  -h, --help       show this text\n"
        "  --version        show the version\n"
        "\n"
        "Without --data the sample card list is share/quorvel/sets-2003.tsv beside makedb's own\n"
        "folder (/usr/share/quorvel/sets-2003.tsv when installed from the package); a makedb\n"
        "that is not installed reads the copy in its source tree.\n"
        "\n"
        "The sample prices are illustrative, not market prices.\n",
        kMaxSyntheticCards);
}

bool ParseArguments(int argc, char* argv[], Options& options, std::string& error)
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        const auto value = [&](std::string& out) {
            if (i + 1 >= argc) {
                error = "makedb: " + std::string(argument) + " needs a value";
                return false;
            }
            out = argv[++i];
            return true;
        };
        if (argument == "--out") {
            if (!value(options.out)) {
                return false;
            }
        } else if (argument == "--keep") {
            options.keep = true;
        } else if (argument == "--force") {
            options.force = true;
        } else if (argument == "--data") {
            if (!value(options.data)) {
                return false;
            }
        } else if (argument == "--synthetic") {
            std::string count;
            if (!value(count)) {
                return false;
            }
            const auto result =
                std::from_chars(count.data(), count.data() + count.size(), options.syntheticCount);
            if (result.ec != std::errc() || result.ptr != count.data() + count.size() ||
                options.syntheticCount == 0 || options.syntheticCount > kMaxSyntheticCards) {
                error = "makedb: --synthetic needs a whole number from 1 to " +
                        std::to_string(kMaxSyntheticCards) + ", not \"" + count + "\"";
                return false;
            }
            options.synthetic = true;
        } else {
            error = "makedb: unknown argument \"" + std::string(argument) + "\" (see --help)";
            return false;
        }
    }
    if (options.out.empty()) {
        error = "makedb: --out DIR is required (see --help)";
        return false;
    }
    if (options.keep && options.force) {
        error = "makedb: --keep and --force exclude each other";
        return false;
    }
    return true;
}

bool Exists(const fs::path& target)
{
    std::error_code ec;
    return fs::exists(fs::symlink_status(target, ec));
}

using Maker = std::function<bool(const std::string&, std::string*)>;

// A private folder beside the targets (mode 0700, a name nobody can guess, created
// exclusively): the files are made in it, where no other user can plant a link or read a
// half-made database, and it is removed with whatever it holds when makedb is done.
class Staging {
public:
    explicit Staging(const fs::path& out)
    {
        std::string pattern = (out / ".makedb-XXXXXX").string();
        if (::mkdtemp(pattern.data()) != nullptr) {
            m_folder = pattern;
        }
    }
    ~Staging()
    {
        std::error_code ec;
        if (!m_folder.empty()) {
            fs::remove_all(m_folder, ec);
        }
    }
    bool Made() const { return !m_folder.empty(); }
    fs::path File(const fs::path& target) const { return m_folder / target.filename(); }

private:
    fs::path m_folder;
};

// Makes every target that is to be written in the staging folder and moves them into place
// only when all of them are complete, so a failure never leaves one made and one not.
bool WriteFiles(const fs::path& out, const std::vector<std::pair<fs::path, Maker>>& targets,
                bool keep)
{
    Staging staging(out);
    if (!staging.Made()) {
        std::fprintf(stderr, "makedb: cannot create a temporary folder in %s: %s\n", out.c_str(),
                     std::strerror(errno));
        return false;
    }
    std::vector<fs::path> made;
    for (const auto& [target, make] : targets) {
        if (keep && Exists(target)) {
            std::printf("makedb: kept %s\n", target.c_str());
            continue;
        }
        std::string error;
        if (!make(staging.File(target).string(), &error)) {
            std::fprintf(stderr, "makedb: %s\nmakedb: nothing was written\n", error.c_str());
            return false;
        }
        made.push_back(target);
    }
    std::vector<fs::path> placed;
    for (const fs::path& target : made) {
        const bool existed = Exists(target);
        std::error_code ec;
        fs::rename(staging.File(target), target, ec);
        if (ec) {
            std::fprintf(stderr, "makedb: cannot write %s: %s\n", target.c_str(),
                         ec.message().c_str());
            // A new file placed before this one would stand alone: it goes again.
            for (const fs::path& done : placed) {
                fs::remove(done, ec);
            }
            return false;
        }
        if (!existed) {
            placed.push_back(target);
        }
    }
    const int folder = ::open(out.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    for (const fs::path& target : made) {
        std::printf("makedb: wrote %s\n", target.c_str());
    }
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            PrintHelp();
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("makedb (Quorvel) %s\n", quorvel_version::kText);
            return 0;
        }
    }
    Options options;
    std::string error;
    if (!ParseArguments(argc, argv, options, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 2;
    }
    std::error_code ec;
    fs::create_directories(options.out, ec);
    if (ec || !fs::is_directory(options.out)) {
        std::fprintf(stderr, "makedb: cannot create the folder %s: %s\n", options.out.c_str(),
                     ec ? ec.message().c_str() : "a file of that name exists");
        return 1;
    }
    const fs::path out(options.out);
    const fs::path targets[] = {out / "mtgo.mdb", out / "collection.mdb"};

    // A collection holds the user's deals: nothing is replaced unless asked for by name.
    if (!options.keep && !options.force) {
        bool existing = false;
        for (const fs::path& target : targets) {
            if (Exists(target)) {
                std::fprintf(stderr,
                             "makedb: %s exists; nothing was written (--keep creates only the "
                             "missing files, --force replaces existing ones)\n",
                             target.c_str());
                existing = true;
            }
        }
        if (existing) {
            return 1;
        }
    }

    const auto makePrices = [&](const std::string& path, std::string* failure) {
        std::vector<CardSet> sets;
        std::vector<CardRecord> cards;
        if (options.synthetic) {
            sets = sample_catalogue::NineSets();
            cards =
                sample_catalogue::MakeSyntheticCards(options.syntheticCount, 2003, DateTime::Now());
        } else {
            const std::string data = options.data.empty() ? DefaultDataFile() : options.data;
            if (!sample_catalogue::ReadSetsTsv(data, sets, cards, failure)) {
                return false;
            }
            sample_catalogue::ApplyIllustrativePrices(cards, DateTime::Now());
        }
        return sample_catalogue::WritePriceDatabase(path, sets, cards, failure);
    };
    const auto makeCollection = [](const std::string& path, std::string* failure) {
        return database_schema::CreateCollectionDatabase(path, failure);
    };

    return WriteFiles(out, {{targets[0], makePrices}, {targets[1], makeCollection}}, options.keep)
               ? 0
               : 1;
}
