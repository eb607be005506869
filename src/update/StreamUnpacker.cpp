#include "update/StreamUnpacker.h"

#include "update/Sha256.h"

#include <lzma.h>
#include <zlib.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <vector>

namespace {

constexpr std::size_t kBuffer = 1u << 20;
// Enough for every dictionary xz itself writes (its -9 needs 65 MB); the buffers here are 2 MB.
constexpr std::uint64_t kXzMemoryLimit = 96ull << 20;

enum class Kind { Plain, Xz, Gzip };

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// One decoder behind a common face: take input, give output, say when the stream ended.
class Decoder {
public:
    virtual ~Decoder() = default;
    /// Consumes from `in`, writes to `out`; returns false with `error` set on bad data.
    virtual bool Step(const unsigned char*& in, std::size_t& inLeft, unsigned char* out,
                      std::size_t& outLeft, bool finish, std::string& error) = 0;
    virtual bool Ended() const = 0;
};

class XzDecoder : public Decoder {
public:
    XzDecoder()
    {
        m_ok = lzma_stream_decoder(&m_stream, kXzMemoryLimit, LZMA_CONCATENATED) == LZMA_OK;
    }
    ~XzDecoder() override { lzma_end(&m_stream); }
    bool Step(const unsigned char*& in, std::size_t& inLeft, unsigned char* out,
              std::size_t& outLeft, bool finish, std::string& error) override
    {
        if (!m_ok) {
            error = "the xz decoder could not start (out of memory)";
            return false;
        }
        m_stream.next_in = in;
        m_stream.avail_in = inLeft;
        m_stream.next_out = out;
        m_stream.avail_out = outLeft;
        const lzma_ret ret = lzma_code(&m_stream, finish ? LZMA_FINISH : LZMA_RUN);
        in = m_stream.next_in;
        inLeft = m_stream.avail_in;
        outLeft = m_stream.avail_out;
        if (ret == LZMA_STREAM_END) {
            m_ended = true;
            return true;
        }
        if (ret == LZMA_OK || ret == LZMA_BUF_ERROR) {
            return true;
        }
        error = ret == LZMA_MEMLIMIT_ERROR ? "it was packed with a dictionary too large to unpack"
                : ret == LZMA_DATA_ERROR   ? "its xz data is damaged"
                : ret == LZMA_FORMAT_ERROR ? "it is not an xz file"
                                           : "its xz data cannot be unpacked";
        return false;
    }
    bool Ended() const override { return m_ended; }

private:
    lzma_stream m_stream = LZMA_STREAM_INIT;
    bool m_ok = false;
    bool m_ended = false;
};

class GzipDecoder : public Decoder {
public:
    GzipDecoder() { m_ok = inflateInit2(&m_stream, 15 + 16) == Z_OK; }
    ~GzipDecoder() override { inflateEnd(&m_stream); }
    bool Step(const unsigned char*& in, std::size_t& inLeft, unsigned char* out,
              std::size_t& outLeft, bool, std::string& error) override
    {
        if (!m_ok) {
            error = "the gzip decoder could not start (out of memory)";
            return false;
        }
        if (m_ended && inLeft > 0) {
            // Several gzip members one after the other, as `cat a.gz b.gz` makes.
            inflateReset(&m_stream);
            m_ended = false;
        }
        m_stream.next_in = const_cast<unsigned char*>(in);
        m_stream.avail_in = static_cast<uInt>(inLeft);
        m_stream.next_out = out;
        m_stream.avail_out = static_cast<uInt>(outLeft);
        const int ret = inflate(&m_stream, Z_NO_FLUSH);
        in = m_stream.next_in;
        inLeft = m_stream.avail_in;
        outLeft = m_stream.avail_out;
        if (ret == Z_STREAM_END) {
            m_ended = true;
            return true;
        }
        if (ret == Z_OK || ret == Z_BUF_ERROR) {
            return true;
        }
        error = "its gzip data is damaged";
        return false;
    }
    bool Ended() const override { return m_ended; }

private:
    z_stream m_stream{};
    bool m_ok = false;
    bool m_ended = false;
};

Kind KindOf(const unsigned char* head, std::size_t size)
{
    static constexpr unsigned char kXz[] = {0xFD, '7', 'z', 'X', 'Z', 0x00};
    if (size >= sizeof kXz && std::memcmp(head, kXz, sizeof kXz) == 0) {
        return Kind::Xz;
    }
    if (size >= 2 && head[0] == 0x1F && head[1] == 0x8B) {
        return Kind::Gzip;
    }
    return Kind::Plain;
}

} // namespace

StreamUnpacker::Result StreamUnpacker::Unpack(const std::string& from, const std::string& to,
                                              std::uint64_t maxUnpacked, const Progress& progress)
{
    Result result;
    const std::string name = std::filesystem::path(from).filename().string();
    const auto fail = [&](std::string text) {
        result.ok = false;
        result.error = std::move(text);
        std::error_code ignored;
        std::filesystem::remove(to, ignored);
        return result;
    };
    File in(std::fopen(from.c_str(), "rb"));
    if (!in) {
        return fail("Cannot read " + from + ": " + std::strerror(errno) + ".");
    }
    std::error_code ec;
    const std::uint64_t total = std::filesystem::file_size(from, ec);
    File out(std::fopen(to.c_str(), "wb"));
    if (!out) {
        return fail("Cannot write " + to + ": " + std::strerror(errno) +
                    ". Check that the cache folder may be written to.");
    }
    std::vector<unsigned char> inBuffer(kBuffer);
    std::vector<unsigned char> outBuffer(kBuffer);
    Sha256 sha;
    std::unique_ptr<Decoder> decoder;
    bool plain = false;
    std::uint64_t done = 0;
    bool atEnd = false;
    while (!atEnd) {
        const std::size_t got = std::fread(inBuffer.data(), 1, inBuffer.size(), in.get());
        if (got < inBuffer.size()) {
            if (std::ferror(in.get()) != 0) {
                return fail("Cannot read " + from + " to its end: " + std::strerror(errno) + ".");
            }
            atEnd = true;
        }
        sha.Add(inBuffer.data(), got);
        if (done == 0 && got > 0) {
            const Kind kind = KindOf(inBuffer.data(), got);
            plain = kind == Kind::Plain;
            if (kind == Kind::Xz) {
                decoder = std::make_unique<XzDecoder>();
            } else if (kind == Kind::Gzip) {
                decoder = std::make_unique<GzipDecoder>();
            }
        }
        done += got;
        const unsigned char* next = inBuffer.data();
        std::size_t left = got;
        do {
            const std::size_t leftBefore = left;
            std::size_t outLeft = outBuffer.size();
            if (plain) {
                std::memcpy(outBuffer.data(), next, left);
                outLeft -= left;
                left = 0;
            } else if (decoder) {
                std::string why;
                if (!decoder->Step(next, left, outBuffer.data(), outLeft, atEnd, why)) {
                    return fail(name + " cannot be unpacked: " + why +
                                ". Download it again (delete it from the cache folder).");
                }
            }
            const std::size_t produced = outBuffer.size() - outLeft;
            result.unpacked += produced;
            if (result.unpacked > maxUnpacked) {
                return fail(name + " unpacks to more than " + std::to_string(maxUnpacked >> 20) +
                            " MB, far more than a price file holds; it was not unpacked. "
                            "Check the source address.");
            }
            if (produced > 0 && std::fwrite(outBuffer.data(), 1, produced, out.get()) != produced) {
                return fail("Cannot write " + to + ": " + std::strerror(errno) +
                            ". Free some disk space and update again.");
            }
            if (produced == 0 && left == leftBefore) {
                break; // no step forward: the input is used up, or the stream cannot go on
            }
        } while (left > 0 || (atEnd && decoder && !decoder->Ended()));
        if (progress && !progress(done, total)) {
            result.cancelled = true;
            return fail("Cancelled.");
        }
    }
    if (decoder && !decoder->Ended()) {
        return fail(name + " is cut short: its packed data ends too early. Download it again.");
    }
    if (std::fflush(out.get()) != 0 || std::fclose(out.release()) != 0) {
        return fail("Cannot write " + to + ": " + std::strerror(errno) +
                    ". Free some disk space and update again.");
    }
    result.ok = true;
    result.packedSha256 = sha.Hex();
    return result;
}
