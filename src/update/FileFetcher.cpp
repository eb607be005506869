#include "update/FileFetcher.h"

#include "update/DownloadCache.h"
#include "update/HttpClient.h"
#include "update/Sha256.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// Resumes of one download within one run, after the connection broke off midway.
constexpr int kMostResumes = 3;

std::string StatusText(const std::string& url, long status)
{
    std::string text = url + " answered HTTP " + std::to_string(status);
    if (status == 404 || status == 410) {
        return text + " (not found). Check the source address (--url, or the setting).";
    }
    if (status == 429) {
        return text + " (too many requests). Try again later.";
    }
    if (status >= 500) {
        return text + " (a server error). Try again later.";
    }
    return text + ". Check the source address.";
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

} // namespace

FileFetcher::FileFetcher(const HttpClient& client, const DownloadCache& cache,
                         std::vector<std::string> headers)
    : m_client(client), m_cache(cache), m_headers(std::move(headers))
{
}

FileFetcher::Outcome FileFetcher::Small(const std::string& url, const std::string& name,
                                        bool conditional, std::uint64_t maxBytes) const
{
    Outcome outcome;
    HttpRequest request;
    request.url = url;
    request.headers = m_headers;
    request.maxBytes = maxBytes;
    request.acceptGzip = true;
    const DownloadCache::Info cached = m_cache.ReadInfo(name);
    const bool haveCopy = conditional && m_cache.Has(name);
    if (haveCopy) {
        request.ifNoneMatch = cached.etag;
        request.ifModifiedSince = cached.lastModified;
    }
    std::string body;
    const HttpResult result = m_client.Get(
        request,
        [&body](const char* data, std::size_t size, std::uint64_t, const std::string&) {
            body.append(data, size);
            return true;
        },
        {});
    if (result.cancelled) {
        outcome.cancelled = true;
        return outcome;
    }
    if (!result.error.empty()) {
        outcome.error = result.error;
        return outcome;
    }
    if (result.status == 304 && haveCopy) {
        outcome.ok = outcome.notModified = true;
        outcome.text = m_cache.ReadFile(name);
        return outcome;
    }
    if (result.status != 200) {
        outcome.error = StatusText(url, result.status);
        return outcome;
    }
    outcome.bytes = body.size();
    DownloadCache::Info info;
    info.url = url;
    info.etag = result.etag;
    info.lastModified = result.lastModified;
    if (!m_cache.WriteFile(name, body, &outcome.error) ||
        !m_cache.WriteInfo(name, info, &outcome.error)) {
        return outcome;
    }
    outcome.ok = true;
    outcome.text = std::move(body);
    return outcome;
}

FileFetcher::Outcome FileFetcher::Large(const std::string& url, const std::string& name,
                                        const std::string& sha256, const std::string& version,
                                        std::uint64_t maxBytes, bool acceptGzip,
                                        const Progress& progress) const
{
    Outcome outcome;
    if (!sha256.empty() && m_cache.Has(name) && m_cache.ReadInfo(name).sha256 == sha256) {
        outcome.ok = outcome.fromCache = true;
        return outcome;
    }
    if (!m_cache.Prepare(&outcome.error)) {
        return outcome;
    }
    const std::string part = name + ".part";
    const std::string partPath = m_cache.PathOf(part);
    for (int round = 0; round <= kMostResumes; ++round) {
        std::error_code ec;
        std::uint64_t have = fs::exists(partPath, ec) ? fs::file_size(partPath, ec) : 0;
        const DownloadCache::Info partInfo = m_cache.ReadInfo(part);
        // A part can only be continued from the same file: same address, a known ETag, and
        // not gzip-encoded on the way (a Range then counts encoded bytes).
        const bool resume =
            have > 0 && !acceptGzip && partInfo.url == url && !partInfo.etag.empty();
        if (!resume) {
            have = 0;
        }
        std::unique_ptr<std::FILE, FileCloser> file(
            std::fopen(partPath.c_str(), resume ? "r+b" : "wb"));
        if (!file) {
            outcome.error = "Cannot write " + partPath + ": " + std::strerror(errno) + ".";
            return outcome;
        }
        HttpRequest request;
        request.url = url;
        request.headers = m_headers;
        request.maxBytes = maxBytes;
        request.acceptGzip = acceptGzip;
        if (resume) {
            request.resumeFrom = have;
            request.ifRange = partInfo.etag;
        }
        std::uint64_t written = have;
        bool infoWritten = false;
        std::string writeError;
        const auto sink = [&](const char* data, std::size_t size, std::uint64_t offset,
                              const std::string& etag) {
            if (offset != written) {
                // The server sent the whole file again: start the part over.
                if (offset != 0 || std::fseek(file.get(), 0, SEEK_SET) != 0 ||
                    ::ftruncate(fileno(file.get()), 0) != 0) {
                    writeError = "Cannot write " + partPath + ": " + std::strerror(errno) + ".";
                    return false;
                }
                written = 0;
            }
            if (written == have && resume) {
                std::fseek(file.get(), static_cast<long>(have), SEEK_SET);
            }
            if (!infoWritten) {
                // Remembered before the bytes, so that a killed process can still resume.
                DownloadCache::Info info;
                info.url = url;
                info.etag = etag;
                infoWritten = m_cache.WriteInfo(part, info, &writeError);
                if (!infoWritten) {
                    return false;
                }
            }
            if (std::fwrite(data, 1, size, file.get()) != size) {
                writeError = "Cannot write " + partPath + ": " + std::strerror(errno) +
                             ". Free some disk space and update again.";
                return false;
            }
            written += size;
            return true;
        };
        const HttpResult result = m_client.Get(request, sink, progress);
        outcome.bytes += result.received;
        const bool flushed = std::fflush(file.get()) == 0;
        file.reset();
        if (result.cancelled) {
            outcome.cancelled = true;
            return outcome;
        }
        if (!writeError.empty() || !flushed) {
            outcome.error = !writeError.empty() ? writeError
                                                : "Cannot write " + partPath +
                                                      ". Free some disk space and update again.";
            return outcome;
        }
        if (result.status == 416 && resume) {
            m_cache.Remove(part); // the part no longer fits the file: start over
            continue;
        }
        if (!result.error.empty()) {
            if (result.received > 0 && result.status != -1 && round < kMostResumes) {
                continue; // broke off midway: go on from what arrived
            }
            outcome.error =
                result.error + (written > 0 ? " What arrived is kept; the next update goes on from "
                                              "there."
                                            : " Check the network connection and try again.");
            return outcome;
        }
        if (result.status != 200 && result.status != 206) {
            outcome.error = StatusText(url, result.status);
            return outcome;
        }
        if (result.expected > 0 && result.received < result.expected) {
            continue;
        }
        const std::string digest = Sha256::OfFile(partPath);
        if (!sha256.empty() && digest != sha256) {
            m_cache.Remove(part);
            outcome.error = name + " does not match its published checksum (SHA-256 " + digest +
                            ", expected " + sha256 +
                            "): it was damaged on the way or the files are being replaced. "
                            "Nothing was imported; try again later.";
            return outcome;
        }
        DownloadCache::Info info;
        info.url = url;
        info.etag = result.etag;
        info.lastModified = result.lastModified;
        info.sha256 = digest;
        info.version = version;
        m_cache.Remove(name);
        fs::rename(partPath, m_cache.PathOf(name), ec);
        if (ec || !m_cache.WriteInfo(name, info, &outcome.error)) {
            if (ec) {
                outcome.error = "Cannot store " + m_cache.PathOf(name) + ": " + ec.message() + ".";
            }
            return outcome;
        }
        m_cache.Remove(part);
        outcome.ok = true;
        return outcome;
    }
    outcome.error = url + " kept breaking off; what arrived is kept and the next update goes on "
                          "from there.";
    return outcome;
}
