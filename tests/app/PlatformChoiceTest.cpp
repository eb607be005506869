#include "app/PlatformChoice.h"

#include <gtest/gtest.h>

namespace {

using platform_choice::ChoosePlatform;
using platform_choice::Environment;

TEST(PlatformChoice, WaylandWithXWaylandStartsOnXcbWithWaylandAsFallback)
{
    EXPECT_EQ(ChoosePlatform({"", "wayland-0", ":0", "wayland"}), "xcb;wayland");
    EXPECT_EQ(ChoosePlatform({"", "", ":1", "wayland"}), "xcb;wayland");
    EXPECT_EQ(ChoosePlatform({"", "wayland-0", ":0", ""}), "xcb;wayland");
}

TEST(PlatformChoice, LeavesEverythingElseAlone)
{
    EXPECT_EQ(ChoosePlatform({"", "", ":0", "x11"}), "") << "plain X11 session";
    EXPECT_EQ(ChoosePlatform({"", "wayland-0", "", "wayland"}), "") << "no XWayland";
    EXPECT_EQ(ChoosePlatform({"wayland", "wayland-0", ":0", "wayland"}), "")
        << "the user's own choice";
    EXPECT_EQ(ChoosePlatform({"offscreen", "", "", ""}), "");
    EXPECT_EQ(ChoosePlatform({}), "");
}

} // namespace
