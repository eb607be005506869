#pragma once

#include <cstdint>
#include <functional>
#include <string>

/// Unpacks an .xz or .gz file (told apart by its first bytes; anything else is copied as it
/// is) into another file, in pieces: the buffers stay a few megabytes whatever the size.
/// The packed file's SHA-256 is worked out on the way.
class StreamUnpacker {
public:
    /// Packed bytes read so far and the packed size; false cancels.
    using Progress = std::function<bool(std::uint64_t done, std::uint64_t total)>;

    struct Result {
        bool ok = false;
        bool cancelled = false;
        std::string error;        ///< names the file and what to do
        std::string packedSha256; ///< of `from`, when read to its end
        std::uint64_t unpacked = 0;
    };

    /// Unpacks `from` into `to` (created or emptied). More than `maxUnpacked` bytes stop it
    /// with an error, so a small file that unpacks without end never fills the disk. On any
    /// failure `to` is removed.
    static Result Unpack(const std::string& from, const std::string& to, std::uint64_t maxUnpacked,
                         const Progress& progress = {});

    /// The bound used for the price files: 4 GB.
    static constexpr std::uint64_t kDefaultBound = 4ull << 30;
};
