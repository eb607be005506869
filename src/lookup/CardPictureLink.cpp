#include "lookup/CardPictureLink.h"

#include <array>
#include <cctype>
#include <cstdio>
#include <limits>
#include <span>

namespace {

constexpr std::int32_t kNoLimit = std::numeric_limits<std::int32_t>::max();

// One colour band of a set: every collection number up to `last` (and above the previous
// band) carries `letter`.
struct ColourBand {
    std::int32_t last;
    char letter;
};

// A number whose card code is a fixed text after the prefix (the split cards). These are
// looked up before the bands; the bands still cover their numbers so that they stay contiguous.
struct FixedCode {
    std::int32_t number;
    const char* code;
};

struct SetLayout {
    std::int32_t setId;
    const char* prefix;
    std::span<const ColourBand> bands;
    std::span<const FixedCode> fixed;
    bool threeDigits;    // "%03d" rather than "%d"
    bool countsFromZero; // the site numbers the set from 0, so n - 1 is written
};

constexpr ColourBand kSeventh[] = {{57, 'W'},  {114, 'U'}, {171, 'B'},     {228, 'R'},
                                   {285, 'G'}, {324, 'A'}, {kNoLimit, 'L'}};
constexpr ColourBand kInvasion[] = {{45, 'W'},  {91, 'U'},  {135, 'B'}, {180, 'R'},     {225, 'G'},
                                    {291, 'M'}, {296, 'M'}, {318, 'A'}, {kNoLimit, 'L'}};
constexpr ColourBand kPlaneshift[] = {{19, 'W'}, {38, 'U'},  {57, 'B'},  {76, 'R'},
                                      {95, 'G'}, {130, 'M'}, {135, 'A'}, {kNoLimit, 'L'}};
constexpr ColourBand kApocalypse[] = {{18, 'W'},  {36, 'U'},  {54, 'B'},  {72, 'R'},      {90, 'G'},
                                      {127, 'M'}, {132, 'M'}, {138, 'A'}, {kNoLimit, 'L'}};
constexpr ColourBand kOdyssey[] = {{57, 'W'},  {114, 'U'}, {171, 'B'}, {228, 'R'},
                                   {285, 'G'}, {296, 'M'}, {311, 'A'}, {kNoLimit, 'L'}};
constexpr ColourBand kTorment[] = {{21, 'W'},  {49, 'U'},  {89, 'B'},
                                   {117, 'R'}, {138, 'G'}, {kNoLimit, 'L'}};
constexpr ColourBand kJudgment[] = {{33, 'W'},  {60, 'U'},  {76, 'B'},      {103, 'R'},
                                    {136, 'G'}, {140, 'M'}, {kNoLimit, 'L'}};
constexpr ColourBand kOnslaught[] = {{61, 'W'},  {122, 'U'}, {183, 'B'},     {245, 'R'},
                                     {305, 'G'}, {311, 'A'}, {kNoLimit, 'L'}};
constexpr ColourBand kLegions[] = {{29, 'W'}, {58, 'U'}, {87, 'B'}, {116, 'R'}, {kNoLimit, 'G'}};

constexpr FixedCode kInvasionFixed[] = {
    {292, "W292"}, {293, "U293"}, {294, "B294"}, {295, "R295"}, {296, "G296"}};
constexpr FixedCode kApocalypseFixed[] = {
    {128, "RU128"}, {129, "UG129"}, {130, "GB130"}, {131, "BW131"}, {132, "WR132"}};

const std::array<SetLayout, 9> kSets = {{
    {10, "7E", kSeventh, {}, false, false},
    {20, "IN", kInvasion, kInvasionFixed, false, false},
    {30, "PS", kPlaneshift, {}, false, false},
    {40, "AP", kApocalypse, kApocalypseFixed, false, false},
    {50, "OD", kOdyssey, {}, true, false},
    {60, "TO", kTorment, {}, true, false},
    {70, "JU", kJudgment, {}, true, true},
    {80, "ON", kOnslaught, {}, true, false},
    {90, "LG", kLegions, {}, true, false},
}};

const char* RarityLetter(std::int32_t rarity)
{
    switch (rarity) {
    case 10:
        return "C";
    case 20:
        return "u"; // the site writes uncommons in lower case
    case 30:
        return "R";
    default:
        return "";
    }
}

} // namespace

std::string CardPictureCode(std::int32_t setId, std::int32_t collectionNo, std::int32_t rarity)
{
    if (collectionNo <= 0) {
        return {};
    }
    for (const SetLayout& set : kSets) {
        if (set.setId != setId) {
            continue;
        }
        std::string code = set.prefix;
        for (const FixedCode& fixed : set.fixed) {
            if (fixed.number == collectionNo) {
                return code + fixed.code;
            }
        }
        for (const ColourBand& band : set.bands) {
            if (collectionNo <= band.last) {
                code += band.letter;
                break;
            }
        }
        code += RarityLetter(rarity);
        const std::int32_t number = set.countsFromZero ? collectionNo - 1 : collectionNo;
        char digits[16];
        std::snprintf(digits, sizeof digits, set.threeDigits ? "%03d" : "%d", number);
        return code + digits;
    }
    return {};
}

std::string CardPictureLink(std::int32_t setId, std::int32_t collectionNo, std::int32_t rarity)
{
    if (collectionNo <= 0) {
        return {};
    }
    return kCardPicturePage + CardPictureCode(setId, collectionNo, rarity);
}

bool HasSamplePicture(std::int32_t setId, std::int32_t rarity)
{
    const bool sampleSet = setId >= 10 && setId <= 90 && setId % 10 == 0;
    return sampleSet && (rarity == 10 || rarity == 20 || rarity == 30);
}

std::string CardLink(std::int32_t setId, const std::string& setCode, std::int32_t collectionNo,
                     std::int32_t rarity)
{
    if (collectionNo <= 0) {
        return {};
    }
    if (HasSamplePicture(setId, rarity) || setCode.empty()) {
        return CardPictureLink(setId, collectionNo, rarity);
    }
    std::string link = kScryfallCardPage;
    for (const char c : setCode) {
        // A set code is letters and digits; anything else would break out of the path.
        if (std::isalnum(static_cast<unsigned char>(c)) == 0) {
            return CardPictureLink(setId, collectionNo, rarity);
        }
        link += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return link + "/" + std::to_string(collectionNo);
}
