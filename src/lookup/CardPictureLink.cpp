#include "lookup/CardPictureLink.h"

#include "data/KnownSets.h"

#include <array>
#include <cctype>

namespace {

// Today's codes of the nine sample sets by their ids, for a database that stores no codes.
constexpr std::array<const char*, 9> kSampleSetCodes = {"7ED", "INV", "PLS", "APC", "ODY",
                                                        "TOR", "JUD", "ONS", "LGN"};

bool IsSampleSet(std::int32_t setId)
{
    return setId >= 10 && setId <= 90 && setId % 10 == 0;
}

} // namespace

bool HasSamplePicture(std::int32_t setId, std::int32_t rarity)
{
    return IsSampleSet(setId) && (rarity == 10 || rarity == 20 || rarity == 30);
}

std::string CardLink(std::int32_t setId, const std::string& setCode, std::int32_t collectionNo)
{
    if (collectionNo <= 0) {
        return {};
    }
    std::string code = known_sets::CurrentCode(setCode);
    if (code.empty()) {
        code = setCode;
    }
    if (code.empty() && IsSampleSet(setId)) {
        code = kSampleSetCodes[static_cast<std::size_t>(setId / 10 - 1)];
    }
    if (code.empty()) {
        return {};
    }
    std::string link = kScryfallCardPage;
    for (const char c : code) {
        // A set code is letters and digits; anything else would break out of the path.
        if (std::isalnum(static_cast<unsigned char>(c)) == 0) {
            return {};
        }
        link += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return link + "/" + std::to_string(collectionNo);
}
