#pragma once

#include <cstdint>
#include <string>
#include <vector>

/// One card line to write into a deck file.
struct DekCard {
    std::int64_t catId = 0; ///< 0 when the game's catalogue id is not known
    std::int32_t quantity = 0;
    bool sideboard = false;
    std::string name;
};

/// Writes the game client's deck file layout (`.dek`), with every attribute escaped.
class DekWriter {
public:
    static std::string Write(const std::vector<DekCard>& cards);
};
