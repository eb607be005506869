#include "data/KnownSets.h"

#include <array>
#include <cctype>

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

bool SameNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size() || a.empty()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

} // namespace

std::string CurrentCode(std::string_view codeOrName)
{
    for (const KnownSet& set : kSets) {
        if (SameNoCase(codeOrName, set.code) || SameNoCase(codeOrName, set.sampleCode) ||
            SameNoCase(codeOrName, set.otherSampleCode) || SameNoCase(codeOrName, set.name)) {
            return std::string(set.code);
        }
    }
    return {};
}

} // namespace known_sets
