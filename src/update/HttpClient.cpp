#include "update/HttpClient.h"

#include <curl/curl.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <mutex>
#include <thread>

namespace {

constexpr int kMostRedirects = 5;
// Bytes of an error page kept for nothing but draining the connection.
constexpr std::uint64_t kErrorBodyBound = 1u << 20;

void GlobalInit()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string Trim(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) {
        return {};
    }
    const std::size_t last = text.find_last_not_of(" \t\r\n");
    return std::string(text.substr(first, last - first + 1));
}

std::string Scheme(const std::string& url)
{
    const std::size_t colon = url.find("://");
    return colon == std::string::npos ? std::string() : Lower(url.substr(0, colon));
}

// What one transfer collects from the callbacks.
struct Transfer {
    CURL* curl = nullptr;
    const HttpRequest* request = nullptr;
    const HttpClient::Sink* sink = nullptr;
    const HttpClient::Progress* progress = nullptr;
    HttpResult result;
    std::string location;
    std::string retryAfter;
    std::uint64_t discarded = 0;
    std::uint64_t base = 0; // where the body starts in the whole file
    bool tooLarge = false;
    bool sinkRefused = false;
    bool cancelled = false;

    bool Success()
    {
        long status = 0;
        curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
        return status >= 200 && status < 300;
    }
};

std::size_t OnHeader(char* data, std::size_t size, std::size_t count, void* user)
{
    Transfer& transfer = *static_cast<Transfer*>(user);
    const std::string_view line(data, size * count);
    if (line.starts_with("HTTP/")) {
        transfer.result.etag.clear();
        transfer.result.lastModified.clear();
        transfer.location.clear();
        transfer.retryAfter.clear();
        return size * count;
    }
    const std::size_t colon = line.find(':');
    if (colon != std::string_view::npos) {
        const std::string name = Lower(std::string(line.substr(0, colon)));
        std::string value = Trim(line.substr(colon + 1));
        if (name == "etag") {
            transfer.result.etag = std::move(value);
        } else if (name == "last-modified") {
            transfer.result.lastModified = std::move(value);
        } else if (name == "location") {
            transfer.location = std::move(value);
        } else if (name == "retry-after") {
            transfer.retryAfter = std::move(value);
        }
    }
    return size * count;
}

std::size_t OnBody(char* data, std::size_t size, std::size_t count, void* user)
{
    Transfer& transfer = *static_cast<Transfer*>(user);
    const std::size_t bytes = size * count;
    if (!transfer.Success()) {
        // An error page: read and dropped, unless it never ends.
        transfer.discarded += bytes;
        return transfer.discarded > kErrorBodyBound ? 0 : bytes;
    }
    if (transfer.result.received == 0) {
        long status = 0;
        curl_easy_getinfo(transfer.curl, CURLINFO_RESPONSE_CODE, &status);
        transfer.base = status == 206 ? transfer.request->resumeFrom : 0;
    }
    const std::uint64_t offset = transfer.base + transfer.result.received;
    const std::uint64_t bound = transfer.request->maxBytes;
    if (bound > 0 && offset + bytes > bound) {
        transfer.tooLarge = true;
        return 0;
    }
    if (*transfer.sink && !(*transfer.sink)(data, bytes, offset, transfer.result.etag)) {
        transfer.sinkRefused = true;
        return 0;
    }
    transfer.result.received += bytes;
    return bytes;
}

int OnProgress(void* user, curl_off_t total, curl_off_t now, curl_off_t, curl_off_t)
{
    Transfer& transfer = *static_cast<Transfer*>(user);
    if (*transfer.progress == nullptr) {
        return 0;
    }
    const std::uint64_t before = transfer.request->resumeFrom;
    const bool go =
        (*transfer.progress)(before + static_cast<std::uint64_t>(now),
                             total > 0 ? before + static_cast<std::uint64_t>(total) : 0);
    transfer.cancelled = !go;
    return go ? 0 : 1;
}

// Seconds a Retry-After asks for (a number or an HTTP date); negative when not given.
double RetryAfterSeconds(const std::string& value)
{
    if (value.empty()) {
        return -1.0;
    }
    if (std::all_of(value.begin(), value.end(), [](unsigned char c) { return std::isdigit(c); })) {
        return std::stod(value);
    }
    const time_t when = curl_getdate(value.c_str(), nullptr);
    if (when < 0) {
        return -1.0;
    }
    return std::max(0.0, std::difftime(when, std::time(nullptr)));
}

bool Transient(CURLcode code)
{
    switch (code) {
    case CURLE_COULDNT_CONNECT:
    case CURLE_OPERATION_TIMEDOUT:
    case CURLE_PARTIAL_FILE:
    case CURLE_RECV_ERROR:
    case CURLE_SEND_ERROR:
    case CURLE_GOT_NOTHING:
    case CURLE_HTTP2:
    case CURLE_HTTP2_STREAM:
        return true;
    default:
        return false;
    }
}

} // namespace

HttpClient::HttpClient(HttpSettings settings) : m_settings(std::move(settings))
{
    GlobalInit();
}

std::string HttpClient::Host(const std::string& url)
{
    std::size_t start = url.find("://");
    start = start == std::string::npos ? 0 : start + 3;
    std::size_t end = url.find_first_of("/?#", start);
    std::string authority = url.substr(start, end == std::string::npos ? end : end - start);
    const std::size_t at = authority.rfind('@');
    if (at != std::string::npos) {
        authority.erase(0, at + 1);
    }
    if (authority.starts_with("[")) {
        return Lower(authority.substr(0, authority.find(']') + 1));
    }
    return Lower(authority.substr(0, authority.find(':')));
}

std::string HttpClient::Resolve(const std::string& base, const std::string& reference)
{
    if (reference.find("://") != std::string::npos) {
        return reference;
    }
    const std::size_t schemeEnd = base.find("://");
    const std::size_t pathStart =
        schemeEnd == std::string::npos ? 0 : base.find('/', schemeEnd + 3);
    const std::string origin = pathStart == std::string::npos ? base : base.substr(0, pathStart);
    if (reference.starts_with("//")) {
        return base.substr(0, schemeEnd + 1) + reference;
    }
    if (reference.starts_with("/")) {
        return origin + reference;
    }
    std::string folder = pathStart == std::string::npos ? origin + "/" : base;
    folder.erase(folder.find_first_of("?#") == std::string::npos ? folder.size()
                                                                 : folder.find_first_of("?#"));
    folder.erase(folder.rfind('/') + 1);
    return folder + reference;
}

HttpResult HttpClient::Get(const HttpRequest& request, const Sink& sink,
                           const Progress& progress) const
{
    std::string url = request.url;
    int redirects = 0;
    int attempt = 0;
    for (;;) {
        std::string location;
        double retryAfter = -1.0;
        HttpResult result = Once(request, url, sink, progress, location, retryAfter);
        if (result.cancelled) {
            return result;
        }
        const bool redirect = result.error.empty() && result.status >= 300 && result.status < 400 &&
                              result.status != 304 && !location.empty();
        if (redirect) {
            const std::string next = Resolve(url, location);
            const std::string scheme = Scheme(next);
            if (scheme != "http" && scheme != "https") {
                result.error = url + " redirects to " + next + ", which is not a web address.";
                return result;
            }
            if (Host(next) != Host(url) && scheme != "https") {
                result.error = url + " redirects to another server over plain HTTP (" + next +
                               "); only HTTPS is followed there. Check the source address.";
                return result;
            }
            if (++redirects > kMostRedirects) {
                result.error = url + " redirects too often (more than 5 times).";
                return result;
            }
            url = next;
            continue;
        }
        const bool retryStatus =
            result.error.empty() && (result.status == 429 || result.status >= 500);
        const bool retryTransfer = !result.error.empty() && result.received == 0 &&
                                   result.status != -1; // -1: an error not worth a retry
        if ((!retryStatus && !retryTransfer) || ++attempt >= m_settings.attempts) {
            return result;
        }
        double wait = m_settings.firstBackoff * std::pow(2.0, attempt - 1);
        if (retryAfter >= 0.0) {
            if (retryAfter > m_settings.longestWait) {
                result.error = url + " asks to wait " + std::to_string(long(retryAfter)) +
                               " seconds before the next request (HTTP " +
                               std::to_string(result.status) + "). Try again later.";
                return result;
            }
            wait = std::max(wait, retryAfter);
        }
        const auto until = std::chrono::steady_clock::now() + std::chrono::duration<double>(wait);
        while (std::chrono::steady_clock::now() < until) {
            if (progress && !progress(request.resumeFrom, 0)) {
                result.cancelled = true;
                return result;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }
}

HttpResult HttpClient::Once(const HttpRequest& request, const std::string& url, const Sink& sink,
                            const Progress& progress, std::string& location,
                            double& retryAfter) const
{
    Transfer transfer;
    transfer.request = &request;
    transfer.sink = &sink;
    transfer.progress = &progress;
    transfer.result.url = url;
    CURL* curl = curl_easy_init();
    if (curl == nullptr) {
        transfer.result.status = -1;
        transfer.result.error = "The HTTP library could not start (out of memory).";
        return transfer.result;
    }
    transfer.curl = curl;
    curl_slist* headers = nullptr;
    for (const std::string& header : request.headers) {
        headers = curl_slist_append(headers, header.c_str());
    }
    if (!request.ifNoneMatch.empty()) {
        headers = curl_slist_append(headers, ("If-None-Match: " + request.ifNoneMatch).c_str());
    }
    if (!request.ifModifiedSince.empty()) {
        headers =
            curl_slist_append(headers, ("If-Modified-Since: " + request.ifModifiedSince).c_str());
    }
    if (request.resumeFrom > 0 && !request.ifRange.empty()) {
        headers = curl_slist_append(headers, ("If-Range: " + request.ifRange).c_str());
    }
    char errorText[CURL_ERROR_SIZE] = {};
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, errorText);
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 0L);
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
    curl_easy_setopt(curl, CURLOPT_USERAGENT, m_settings.userAgent.c_str());
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, m_settings.connectSeconds);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, m_settings.stallSeconds);
    if (!m_settings.extraCaFile.empty()) {
        // The file is added to the system's folder of certificates, not put in its place.
        curl_easy_setopt(curl, CURLOPT_CAINFO, m_settings.extraCaFile.c_str());
        curl_easy_setopt(curl, CURLOPT_CAPATH, "/etc/ssl/certs");
    }
    if (request.acceptGzip) {
        curl_easy_setopt(curl, CURLOPT_ACCEPT_ENCODING, "gzip");
    }
    const std::string range = std::to_string(request.resumeFrom) + "-";
    if (request.resumeFrom > 0) {
        curl_easy_setopt(curl, CURLOPT_RANGE, range.c_str());
    }
    curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, OnHeader);
    curl_easy_setopt(curl, CURLOPT_HEADERDATA, &transfer);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, OnBody);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, OnProgress);
    curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &transfer);

    const CURLcode code = curl_easy_perform(curl);
    HttpResult& result = transfer.result;
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &result.status);
    curl_off_t length = -1;
    curl_easy_getinfo(curl, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length);
    result.partial = result.status == 206;
    result.expected = length > 0 ? static_cast<std::uint64_t>(length) : 0;
    location = transfer.location;
    retryAfter = RetryAfterSeconds(transfer.retryAfter);
    if (transfer.cancelled) {
        result.cancelled = true;
    } else if (transfer.tooLarge) {
        result.status = -1;
        result.error = url + " sent more than the " + std::to_string(request.maxBytes >> 20) +
                       " MB expected of it; the transfer was stopped.";
    } else if (transfer.sinkRefused) {
        result.status = -1;
        result.error = "The download of " + url + " could not be stored.";
    } else if (code != CURLE_OK) {
        std::string what = errorText[0] != '\0' ? errorText : curl_easy_strerror(code);
        if (code == CURLE_OPERATION_TIMEDOUT) {
            what += " (no answer within the time allowed)";
        }
        result.error = "Cannot download " + url + ": " + what + ".";
        if (!Transient(code)) {
            result.status = -1;
        }
    }
    curl_slist_free_all(headers);
    curl_easy_cleanup(curl);
    return result;
}
