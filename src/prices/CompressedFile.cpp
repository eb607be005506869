#include "prices/CompressedFile.h"

Compression DetectCompression(std::string_view firstBytes)
{
    using namespace std::string_view_literals;
    struct Magic {
        std::string_view bytes;
        Compression compression;
    };
    static constexpr Magic kMagics[] = {
        {"\x1F\x8B"sv, Compression::Gzip},
        {"\xFD\x37zXZ\0"sv, Compression::Xz},
        {"PK\x03\x04"sv, Compression::Zip},
        {"\x28\xB5\x2F\xFD"sv, Compression::Zstd},
    };
    for (const Magic& magic : kMagics) {
        if (firstBytes.starts_with(magic.bytes)) {
            return magic.compression;
        }
    }
    // "BZh" and the block size, a digit: a text file may well start with "BZh" alone.
    if (firstBytes.size() >= 4 && firstBytes.starts_with("BZh") && firstBytes[3] >= '1' &&
        firstBytes[3] <= '9') {
        return Compression::Bzip2;
    }
    return Compression::None;
}

std::string_view CompressionName(Compression compression)
{
    switch (compression) {
    case Compression::Gzip:
        return "gzip";
    case Compression::Xz:
        return "xz";
    case Compression::Bzip2:
        return "bzip2";
    case Compression::Zip:
        return "zip";
    case Compression::Zstd:
        return "zstd";
    case Compression::None:
        break;
    }
    return {};
}
