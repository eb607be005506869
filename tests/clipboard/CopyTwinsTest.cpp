// A copy seen through both ways of watching the clipboard is taken once.
#include "clipboard/CopyTwins.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

using Way = CopyTwins::Way;
constexpr Way W = Way::Window;
constexpr Way D = Way::DataControl;

struct Sighting {
    Way way;
    std::optional<std::string> text;
    bool taken; // false: dropped as a twin
};

struct Case {
    const char* name;
    std::vector<Sighting> sightings;
};

class CopyTwinsTest : public testing::TestWithParam<Case> {};

TEST_P(CopyTwinsTest, TakesEachCopyOnce)
{
    CopyTwins twins;
    int index = 0;
    for (const Sighting& sighting : GetParam().sightings) {
        EXPECT_EQ(!twins.IsTwin(sighting.way, sighting.text), sighting.taken)
            << "sighting " << index;
        ++index;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Sightings, CopyTwinsTest,
    testing::Values(
        // An X program's copy, bridged to Wayland, in either order; and its repetition.
        Case{"XCopyTwice", {{W, "Shock", true}, {D, "Shock", false},
                            {D, "Shock", true}, {W, "Shock", false}}},
        // The same text copied again through one way is a new copy.
        Case{"SameWayRepeats", {{D, "Shock", true}, {D, "Shock", true}, {W, "Shock", false}}},
        // A Wayland copy reaching the window when it gets the focus, however late.
        Case{"LateFocusEcho", {{D, "Bolt", true}, {D, "Shock", true}, {W, "Shock", false}}},
        // After its twin, the same text through the other way is a copy of its own.
        Case{"ThirdSightingIsNew", {{W, "Shock", true}, {D, "Shock", false}, {D, "Shock", true}}},
        Case{"DifferentTexts", {{W, "Shock", true}, {D, "Bolt", true}, {W, "Bolt", false}}},
        Case{"NoText", {{W, std::nullopt, true}, {D, std::nullopt, false}, {D, "", true}}}),
    [](const testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

TEST(CopyTwins, ComparesTheBytesTheWatchReadsAndForgetsOnReset)
{
    const std::string whole(CopyTwins::kComparedBytes + 10, 'x');
    CopyTwins twins;
    EXPECT_FALSE(twins.IsTwin(W, whole));
    EXPECT_TRUE(twins.IsTwin(D, whole.substr(0, CopyTwins::kComparedBytes)));
    EXPECT_FALSE(twins.IsTwin(W, "Shock"));
    twins.Reset();
    EXPECT_FALSE(twins.IsTwin(D, "Shock"));
}

} // namespace
