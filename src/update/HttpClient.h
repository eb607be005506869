#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

/// How the program talks to web servers; the defaults are for the public price servers, tests
/// shorten the waits.
struct HttpSettings {
    std::string userAgent;      ///< sent with every request
    std::string extraCaFile;    ///< a certificate-authority file trusted besides the system's
    long connectSeconds = 15;   ///< to open the connection
    long stallSeconds = 60;     ///< without a single byte received
    int attempts = 4;           ///< tries of one request on 5xx, 429 and dropped connections
    double firstBackoff = 1.0;  ///< seconds before the second try; doubled for each next
    double longestWait = 120.0; ///< a Retry-After asking for more gives up instead
};

/// One GET.
struct HttpRequest {
    std::string url;
    std::vector<std::string> headers; ///< "Name: value"
    std::string ifNoneMatch;          ///< an ETag from the last answer: 304 when unchanged
    std::string ifModifiedSince;      ///< a Last-Modified from the last answer
    std::uint64_t resumeFrom = 0;     ///< asks for the bytes from here on (Range)
    std::string ifRange;              ///< the ETag the first part came with
    std::uint64_t maxBytes = 0;       ///< the body may not be larger (0: no bound)
    bool acceptGzip = false;          ///< takes a gzip-encoded body, unpacked on the way
};

/// What came back. `error` is empty when the server answered (any status).
struct HttpResult {
    long status = 0;
    std::string etag;
    std::string lastModified;
    std::string url;            ///< the last address, after redirects
    std::uint64_t received = 0; ///< body bytes given to the sink
    std::uint64_t expected = 0; ///< the body's announced size, 0 when unknown
    bool partial = false;       ///< a 206 answer: the body continues `resumeFrom`
    bool cancelled = false;
    std::string error; ///< a message naming the address and what failed
};

/// GET over HTTP and HTTPS with libcurl: the system's certificates (and an extra file),
/// proxies from the environment, timeouts, a bounded retry with back-off on server errors
/// and 429 (honouring Retry-After), and redirects, to another host only over HTTPS.
class HttpClient {
public:
    /// Receives body bytes of a successful answer, `offset` being their place in the whole
    /// file (a server may answer a Range with the whole file again) and `etag` the answer's;
    /// false stops with an error (disk full).
    using Sink = std::function<bool(const char* data, std::size_t size, std::uint64_t offset,
                                    const std::string& etag)>;
    /// Bytes received so far and the expected total (0 unknown); false cancels.
    using Progress = std::function<bool(std::uint64_t received, std::uint64_t total)>;

    explicit HttpClient(HttpSettings settings);

    /// Follows redirects and retries as the settings say. Only the body of a 2xx answer
    /// reaches the sink.
    HttpResult Get(const HttpRequest& request, const Sink& sink, const Progress& progress) const;

    const HttpSettings& Settings() const { return m_settings; }

    /// The host of an address ("https://a.b:8/x" -> "a.b"), lower case.
    static std::string Host(const std::string& url);
    /// `reference` resolved against `base` ("../x", "/x", "https://...").
    static std::string Resolve(const std::string& base, const std::string& reference);

private:
    HttpResult Once(const HttpRequest& request, const std::string& url, const Sink& sink,
                    const Progress& progress, std::string& location, double& retryAfter) const;

    HttpSettings m_settings;
};
