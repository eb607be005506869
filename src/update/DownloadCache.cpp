#include "update/DownloadCache.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

void SetError(std::string* error, std::string text)
{
    if (error != nullptr) {
        *error = std::move(text);
    }
}

} // namespace

DownloadCache::DownloadCache(std::string folder) : m_folder(std::move(folder)) {}

std::string DownloadCache::DefaultFolder()
{
    const char* cache = std::getenv("XDG_CACHE_HOME");
    if (cache != nullptr && cache[0] == '/') {
        return std::string(cache) + "/quorvel";
    }
    const char* home = std::getenv("HOME");
    return std::string(home != nullptr ? home : ".") + "/.cache/quorvel";
}

std::string DownloadCache::PathOf(const std::string& name) const
{
    return m_folder + "/" + name;
}

bool DownloadCache::Has(const std::string& name) const
{
    std::error_code ec;
    return fs::is_regular_file(PathOf(name), ec);
}

bool DownloadCache::Prepare(std::string* error) const
{
    std::error_code ec;
    fs::create_directories(m_folder, ec);
    if (ec) {
        SetError(error, "Cannot create the cache folder " + m_folder + ": " + ec.message() + ".");
        return false;
    }
    return true;
}

DownloadCache::Info DownloadCache::ReadInfo(const std::string& name) const
{
    Info info;
    std::istringstream lines(ReadFile(name + ".info"));
    std::string line;
    while (std::getline(lines, line)) {
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos) {
            continue;
        }
        const std::string key = line.substr(0, equals);
        std::string value = line.substr(equals + 1);
        if (key == "url") {
            info.url = std::move(value);
        } else if (key == "etag") {
            info.etag = std::move(value);
        } else if (key == "last-modified") {
            info.lastModified = std::move(value);
        } else if (key == "sha256") {
            info.sha256 = std::move(value);
        } else if (key == "version") {
            info.version = std::move(value);
        }
    }
    return info;
}

bool DownloadCache::WriteInfo(const std::string& name, const Info& info, std::string* error) const
{
    // Header values cannot hold line breaks, but a hostile server's could try.
    const auto clean = [](std::string text) {
        std::erase_if(text, [](char c) { return c == '\n' || c == '\r'; });
        return text;
    };
    std::string text = "url=" + clean(info.url) + "\netag=" + clean(info.etag) +
                       "\nlast-modified=" + clean(info.lastModified) +
                       "\nsha256=" + clean(info.sha256) + "\nversion=" + clean(info.version) + "\n";
    return WriteFile(name + ".info", text, error);
}

bool DownloadCache::WriteFile(const std::string& name, const std::string& text,
                              std::string* error) const
{
    if (!Prepare(error)) {
        return false;
    }
    const std::string path = PathOf(name);
    const std::string temporary = path + ".tmp" + std::to_string(::getpid());
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        out.close();
        if (!out) {
            std::error_code ignored;
            fs::remove(temporary, ignored);
            SetError(error, "Cannot write " + path + " (is the disk full?).");
            return false;
        }
    }
    std::error_code ec;
    fs::rename(temporary, path, ec);
    if (ec) {
        fs::remove(temporary, ec);
        SetError(error, "Cannot write " + path + ": " + ec.message() + ".");
        return false;
    }
    return true;
}

std::string DownloadCache::ReadFile(const std::string& name) const
{
    std::ifstream in(PathOf(name), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void DownloadCache::Remove(const std::string& name) const
{
    std::error_code ignored;
    fs::remove(PathOf(name), ignored);
    fs::remove(PathOf(name + ".info"), ignored);
}
