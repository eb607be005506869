#pragma once

#include <string_view>

/// The packings public price files come in (MTGJSON publishes .xz, .gz, .bz2 and .zip beside
/// each file), recognised by their first bytes rather than by a name that may lie.
enum class Compression { None, Gzip, Xz, Bzip2, Zip, Zstd };

/// The packing the bytes at the start of a file announce; None for anything else.
Compression DetectCompression(std::string_view firstBytes);

/// "gzip", "xz", "bzip2", "zip" or "zstd"; empty for None.
std::string_view CompressionName(Compression compression);
