#include "trade/TradeListFile.h"

#include "trade/TextCodec.h"
#include "trade/TradeList.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fcntl.h>
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

void AddRecord(TradeListFileContents& contents, const char* record)
{
    contents.records.push_back(GetRecord(record));
    // Selling a negative quantity would raise the owned count: it is read as none.
    std::int32_t& quantity = contents.records.back().second.quantity;
    if (quantity < 0) {
        quantity = 0;
        ++contents.negativeQuantities;
    }
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
    contents.declaredCount = GetInt(bytes.data() + 68);
    const std::size_t wanted =
        contents.declaredCount > 0 ? static_cast<std::size_t>(contents.declaredCount) : 0;
    const std::size_t present = (bytes.size() - kHeaderSize) / kRecordSize;
    const std::size_t count = std::min(wanted, present);
    contents.truncated = wanted > present;
    contents.records.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        AddRecord(contents, bytes.data() + kHeaderSize + i * kRecordSize);
    }
    return contents;
}

TradeListFileContents WriteTradeListFile(const std::string& path, const TradeList& list)
{
    TradeListFileContents result;
    const std::string bytes = SerializeTradeList(list);
    // A temporary file in the same folder, renamed over the target once it is complete.
    std::string temp = path + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        result.status = TradeListFileStatus::CannotOpen;
        result.error = SystemError("Cannot create", path);
        return result;
    }
    // mkstemp creates the file for the owner alone; a saved list gets the usual permissions.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);
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
    return result;
}

TradeListFileContents ReadTradeListFile(const std::string& path)
{
    TradeListFileContents contents;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        contents.status = TradeListFileStatus::CannotOpen;
        contents.error = SystemError("Cannot open", path);
        return contents;
    }
    char header[kHeaderSize];
    if (std::fread(header, 1, kHeaderSize, file) != kHeaderSize || !HeaderPasses(header)) {
        if (std::ferror(file)) {  // a folder, an unreadable device
            contents.status = TradeListFileStatus::CannotOpen;
            contents.error = SystemError("Cannot read", path);
            std::fclose(file);
            return contents;
        }
        std::fclose(file);
        contents.status = TradeListFileStatus::NotTradeList;
        return contents;
    }
    contents.declaredCount = GetInt(header + 68);
    // Records are read one by one so a hostile count never sizes an allocation.
    char record[kRecordSize];
    for (std::int32_t i = 0; i < contents.declaredCount; ++i) {
        if (std::fread(record, 1, kRecordSize, file) != kRecordSize) {
            contents.truncated = true;
            break;
        }
        AddRecord(contents, record);
    }
    std::fclose(file);
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
