#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class DownloadCache;
class HttpClient;

/// Fetches files into the download cache: small ones (checked with a conditional request
/// against the cached copy) and large ones (into `NAME.part`, resumed with a Range after an
/// interruption, checked against their SHA-256 and only then renamed to `NAME`).
class FileFetcher {
public:
    struct Outcome {
        bool ok = false;
        bool cancelled = false;
        bool notModified = false; ///< the server said the cached copy is current
        bool fromCache = false;   ///< nothing was downloaded: the cache held the file already
        std::uint64_t bytes = 0;  ///< downloaded now
        std::string text;         ///< the body of a small file
        std::string error;
    };
    /// Bytes of the file so far and its size (0 unknown); false cancels.
    using Progress = std::function<bool(std::uint64_t done, std::uint64_t total)>;

    FileFetcher(const HttpClient& client, const DownloadCache& cache,
                std::vector<std::string> headers = {});

    /// A file of at most `maxBytes`, kept in memory and in the cache as `name`. With
    /// `conditional`, the cached copy's ETag / Last-Modified go along and a 304 gives it back.
    Outcome Small(const std::string& url, const std::string& name, bool conditional,
                  std::uint64_t maxBytes = 1u << 20) const;

    /// A large file into the cache as `name`. When `sha256` is given and the cache holds a file
    /// of that digest, nothing is downloaded; a download of another digest is removed and is
    /// an error. `version` is remembered with it.
    Outcome Large(const std::string& url, const std::string& name, const std::string& sha256,
                  const std::string& version, std::uint64_t maxBytes, bool acceptGzip,
                  const Progress& progress) const;

private:
    const HttpClient& m_client;
    const DownloadCache& m_cache;
    std::vector<std::string> m_headers;
};
