#include "data/KnownSets.h"

#include "data/AsciiText.h"

#include <array>

namespace known_sets {
namespace {

struct KnownSet {
    std::string_view code;
    std::string_view sampleCode;
    std::string_view otherSampleCode; ///< the sample card list writes Legions as "LE"
    std::string_view name;
};

constexpr std::array<KnownSet, 9> kSets = {{
    {"7ED", "7E", "", "Seventh Edition"},
    {"INV", "IN", "", "Invasion"},
    {"PLS", "PS", "", "Planeshift"},
    {"APC", "AP", "", "Apocalypse"},
    {"ODY", "OD", "", "Odyssey"},
    {"TOR", "TO", "", "Torment"},
    {"JUD", "JU", "", "Judgment"},
    {"ONS", "ON", "", "Onslaught"},
    {"LGN", "LG", "LE", "Legions"},
}};

// An empty name of the table (a set without a second sample code) matches nothing.
bool Matches(std::string_view codeOrName, std::string_view known)
{
    return !known.empty() && EqualsNoCase(codeOrName, known);
}

} // namespace

std::string CurrentCode(std::string_view codeOrName)
{
    for (const KnownSet& set : kSets) {
        if (Matches(codeOrName, set.code) || Matches(codeOrName, set.sampleCode) ||
            Matches(codeOrName, set.otherSampleCode) || Matches(codeOrName, set.name)) {
            return std::string(set.code);
        }
    }
    return {};
}

} // namespace known_sets
