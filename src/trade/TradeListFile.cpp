#include "trade/TradeListFile.h"

#include "data/PlausibleValues.h"
#include "trade/TextCodec.h"
#include "trade/TradeList.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <new>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using namespace trade_file;

void PutInt(std::string& out, std::int32_t value)
{
    const auto u = static_cast<std::uint32_t>(value);
    out += static_cast<char>(u & 0xFF);
    out += static_cast<char>((u >> 8) & 0xFF);
    out += static_cast<char>((u >> 16) & 0xFF);
    out += static_cast<char>((u >> 24) & 0xFF);
}

void PutFloat(std::string& out, float value)
{
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof(bits));
    PutInt(out, static_cast<std::int32_t>(bits));
}

std::int32_t GetInt(const char* p)
{
    const auto b = [p](int i) { return static_cast<std::uint32_t>(static_cast<unsigned char>(p[i])); };
    return static_cast<std::int32_t>(b(0) | (b(1) << 8) | (b(2) << 16) | (b(3) << 24));
}

// A price that is not a finite number (a damaged file) would poison every total; it reads as 0.
float GetPrice(const char* p)
{
    const std::uint32_t bits = static_cast<std::uint32_t>(GetInt(p));
    float value = 0.0f;
    std::memcpy(&value, &bits, sizeof(value));
    return std::isfinite(value) ? value : 0.0f;
}

void PutRecord(std::string& out, std::int32_t key, const TradeListEntry& entry)
{
    PutInt(out, key);
    PutInt(out, entry.card_id);
    PutInt(out, entry.quantity);
    std::string name = EncodeFileName(EntryName(entry));
    name.resize(256, '\0');  // at most 255 bytes of name, the rest zeros
    out += name;
    PutInt(out, entry.foil);
    PutFloat(out, entry.buy_value);
    PutFloat(out, entry.sell_value);
    PutInt(out, entry.buying_mark);
    PutInt(out, entry.selling_mark);
}

std::pair<std::int32_t, TradeListEntry> GetRecord(const char* p)
{
    TradeListEntry entry;
    const std::int32_t key = GetInt(p);
    entry.card_id = GetInt(p + 4);
    entry.quantity = GetInt(p + 8);
    const char* name = p + 12;
    // A name with no terminating zero is taken up to the end of its field.
    const char* end = std::find(name, name + 256, '\0');
    SetEntryName(entry, DecodeFileName(std::string_view(name, static_cast<std::size_t>(end - name))));
    entry.foil = GetInt(p + 268);
    entry.buy_value = GetPrice(p + 272);
    entry.sell_value = GetPrice(p + 276);
    entry.buying_mark = GetInt(p + 280);
    entry.selling_mark = GetInt(p + 284);
    return {key, entry};
}

// Why a line cannot come from a trade list, or empty when it can.
std::string ImplausibleLine(const TradeListEntry& entry, std::size_t index)
{
    const char* what = entry.quantity > plausible::kMostCards              ? "too many copies"
                       : std::fabs(entry.buy_value) > plausible::kMostTix  ? "too high a buy value"
                       : std::fabs(entry.sell_value) > plausible::kMostTix ? "too high a sell value"
                                                                           : nullptr;
    if (!what) {
        return {};
    }
    return "line " + std::to_string(index + 1) + " (\"" + std::string(EntryName(entry)) +
           "\") has " + what + ": a trade holds at most 1,000,000 cards and 1,000,000 Tix a " +
           "line. Nothing was loaded.";
}

// Files one record; false (with the reason in `error`) when the line is implausible.
bool AddRecord(TradeListFileContents& contents, const char* record)
{
    contents.records.push_back(GetRecord(record));
    TradeListEntry& entry = contents.records.back().second;
    const std::string refusal = ImplausibleLine(entry, contents.records.size() - 1);
    if (!refusal.empty()) {
        contents.status = TradeListFileStatus::Refused;
        contents.error = refusal;
        contents.records.clear();
        return false;
    }
    // Selling a negative quantity would raise the owned count: it is read as none.
    if (entry.quantity < 0) {
        entry.quantity = 0;
        ++contents.negativeQuantities;
    }
    return true;
}

// The header's count, refused when no trade list can hold that many lines.
bool TakeCount(TradeListFileContents& contents, const char* header)
{
    contents.declaredCount = GetInt(header + 68);
    if (contents.declaredCount <= kMostRecords) {
        return true;
    }
    contents.status = TradeListFileStatus::Refused;
    contents.error = "it announces " + std::to_string(contents.declaredCount) +
                     " cards, more than a trade list holds (at most 1,000,000 lines), so it is "
                     "damaged or not a trade list. Nothing was loaded.";
    return false;
}

bool HeaderPasses(const char* header)
{
    const char* end = std::find(header, header + 64, '\0');
    return std::string_view(header, static_cast<std::size_t>(end - header)) == kTypeText;
}

std::string SystemError(const std::string& what, const std::string& path)
{
    return what + " \"" + path + "\": " + std::strerror(errno);
}

bool WriteAll(int fd, const std::string& bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// Reads up to n bytes, fewer only at the end of the file; -1 on an error.
ssize_t ReadFull(int fd, char* buffer, std::size_t n)
{
    std::size_t done = 0;
    while (done < n) {
        const ssize_t got = ::read(fd, buffer + done, n - done);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return -1;
        }
        if (got == 0) {
            break;
        }
        done += static_cast<std::size_t>(got);
    }
    return static_cast<ssize_t>(done);
}

// A save in progress writes ".NAME.save-XXXXXX" beside NAME: hidden, and a name no other
// program uses, so the leftovers of a killed save can be recognised and removed safely.
std::string TemporaryPrefix(const std::string& name)
{
    return "." + name + ".save-";
}

// Removes the user's own leftovers of earlier saves to the same name killed before their end.
void RemoveLeftovers(const std::string& folder, const std::string& name)
{
    const std::string prefix = TemporaryPrefix(name);
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::string entry = it->path().filename().string();
        if (entry.size() != prefix.size() + 6 || entry.compare(0, prefix.size(), prefix) != 0) {
            continue;
        }
        struct stat info {};
        if (::lstat(it->path().c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
            info.st_uid == ::geteuid()) {
            ::unlink(it->path().c_str());
        }
    }
}

// Creates a new file of an unpredictable name beside the target, exclusively (never an
// existing file or a link planted there), with the given mode trimmed by the umask.
int CreateTemporary(const std::string& folder, const std::string& name, mode_t mode,
                    std::string& temp)
{
    static constexpr char kLetters[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string suffix(6, 'x');
        for (char& c : suffix) {
            c = kLetters[random() % (sizeof(kLetters) - 1)];
        }
        temp = folder + "/" + TemporaryPrefix(name) + suffix;
        const int fd =
            ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, mode);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    return -1;
}

}  // namespace

std::string SerializeTradeList(const TradeList& list)
{
    std::string out;
    out.reserve(kHeaderSize + kRecordSize * list.Count());
    out += kTypeText;
    out.resize(64, '\0');
    PutInt(out, kFormatNumber);
    PutInt(out, static_cast<std::int32_t>(list.Count()));
    out.resize(kHeaderSize, '\0');
    for (const auto& [key, entry] : list) {
        PutRecord(out, key, entry);
    }
    return out;
}

TradeListFileContents ParseTradeList(std::string_view bytes)
{
    TradeListFileContents contents;
    if (bytes.size() < kHeaderSize || !HeaderPasses(bytes.data())) {
        contents.status = TradeListFileStatus::NotTradeList;
        return contents;
    }
    if (!TakeCount(contents, bytes.data())) {
        return contents;
    }
    const std::size_t wanted =
        contents.declaredCount > 0 ? static_cast<std::size_t>(contents.declaredCount) : 0;
    const std::size_t present = (bytes.size() - kHeaderSize) / kRecordSize;
    const std::size_t count = std::min(wanted, present);
    contents.truncated = wanted > present;
    contents.records.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        if (!AddRecord(contents, bytes.data() + kHeaderSize + i * kRecordSize)) {
            contents.truncated = false;
            break;
        }
    }
    return contents;
}

TradeListFileContents WriteTradeListFile(const std::string& path, const TradeList& list)
{
    TradeListFileContents result;
    const std::string bytes = SerializeTradeList(list);
    const std::filesystem::path target(path);
    const std::string folder =
        target.has_parent_path() ? target.parent_path().string() : std::string(".");
    const std::string name = target.filename().string();
    RemoveLeftovers(folder, name);
    // The replacement takes the mode and owner of the file it replaces (a link is replaced,
    // not followed); a new file gets the usual permissions, which the system's umask trims.
    struct stat old {};
    const bool replaces = ::lstat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode);
    std::string temp;
    const int fd = CreateTemporary(folder, name, replaces ? 0600 : 0666, temp);
    if (fd < 0) {
        result.status = TradeListFileStatus::CannotOpen;
        result.error = SystemError("Cannot create", path);
        return result;
    }
    if (replaces) {
        // Giving a file away needs privileges; the group alone is often allowed.
        if ((old.st_uid != ::geteuid() || old.st_gid != ::getegid()) &&
            ::fchown(fd, old.st_uid, old.st_gid) != 0) {
            [[maybe_unused]] const int ignored = ::fchown(fd, static_cast<uid_t>(-1), old.st_gid);
        }
        ::fchmod(fd, old.st_mode & 07777);
    }
    const bool written = WriteAll(fd, bytes) && ::fsync(fd) == 0;
    const int savedErrno = errno;
    if (::close(fd) != 0 || !written) {
        errno = written ? errno : savedErrno;
        result.status = TradeListFileStatus::CannotWrite;
        result.error = SystemError("Cannot write", path);
        ::unlink(temp.c_str());
        return result;
    }
    if (std::rename(temp.c_str(), path.c_str()) != 0) {
        result.status = TradeListFileStatus::CannotOpen;
        result.error = SystemError("Cannot create", path);
        ::unlink(temp.c_str());
        return result;
    }
    // The rename lives in the folder: without this a crash soon after may undo the save.
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return result;
}

TradeListFileContents ReadTradeListFile(const std::string& path)
{
    TradeListFileContents contents;
    const auto fail = [&contents, &path](TradeListFileStatus status, std::string what) {
        contents = TradeListFileContents();
        contents.status = status;
        contents.error = what.empty() ? SystemError("Cannot read", path)
                                      : "Cannot read \"" + path + "\": " + what;
        return contents;
    };
    // Opening a pipe or a device must not wait for a writer, so nothing blocks before the
    // file is known to be a regular one.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        contents.status = TradeListFileStatus::CannotOpen;
        contents.error = SystemError("Cannot open", path);
        return contents;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        const bool folder = S_ISDIR(info.st_mode);
        ::close(fd);
        return fail(TradeListFileStatus::CannotOpen,
                    folder ? "it is a folder" : "it is not a regular file (a pipe or a device)");
    }
    char header[kHeaderSize];
    const ssize_t got = ReadFull(fd, header, kHeaderSize);
    if (got < 0) {
        const int savedErrno = errno;
        ::close(fd);
        errno = savedErrno;
        return fail(TradeListFileStatus::CannotOpen, {});
    }
    if (static_cast<std::size_t>(got) != kHeaderSize || !HeaderPasses(header) ||
        !TakeCount(contents, header)) {
        ::close(fd);
        if (contents.status == TradeListFileStatus::Refused) {
            return fail(TradeListFileStatus::Refused, contents.error);
        }
        contents.status = TradeListFileStatus::NotTradeList;
        return contents;
    }
    // The file's size bounds the records read and the memory taken for them.
    const auto size = static_cast<std::uintmax_t>(info.st_size);
    const std::size_t present = static_cast<std::size_t>((size - kHeaderSize) / kRecordSize);
    const std::size_t wanted =
        contents.declaredCount > 0 ? static_cast<std::size_t>(contents.declaredCount) : 0;
    try {
        contents.records.reserve(std::min(wanted, present));
        char record[kRecordSize];
        for (std::size_t i = 0; i < wanted; ++i) {
            const ssize_t n = ReadFull(fd, record, kRecordSize);
            if (n < 0) {
                const int savedErrno = errno;
                ::close(fd);
                errno = savedErrno;
                return fail(TradeListFileStatus::CannotOpen, {});
            }
            if (static_cast<std::size_t>(n) != kRecordSize) {
                contents.truncated = true;
                break;
            }
            if (!AddRecord(contents, record)) {
                ::close(fd);
                return fail(TradeListFileStatus::Refused, contents.error);
            }
        }
    } catch (const std::bad_alloc&) {
        ::close(fd);
        return fail(TradeListFileStatus::Refused, "there is not enough memory for its " +
                                                      std::to_string(contents.declaredCount) +
                                                      " cards. Nothing was loaded.");
    }
    ::close(fd);
    return contents;
}

void FillTradeList(TradeList& list, const TradeListFileContents& contents)
{
    list.Clear();
    for (const auto& [key, entry] : contents.records) {
        list.Set(key, entry);
    }
}

std::string WithTradeListExtension(const std::string& path)
{
    if (std::filesystem::path(path).has_extension()) {
        return path;
    }
    return path + ".ryn";
}
