#include "app/VersionLine.h"

#include <gtest/gtest.h>

namespace {

TEST(VersionLine, ShowsMajorMinorAndTheFourthPartAsBuild)
{
    EXPECT_EQ(VersionLine(1, 0, 0, 0), "Quorvel Version 1.0 build 0");
    EXPECT_EQ(VersionLine(1, 2, 0, 7), "Quorvel Version 1.2 build 7");
    EXPECT_EQ(VersionLine(2, 0, 3, 15), "Quorvel Version 2.0 build 15");
    EXPECT_EQ(VersionLine(10, 65535, 9, 65535), "Quorvel Version 10.65535 build 65535");
}

TEST(VersionLine, ThisBuildIsVersionOnePointZero)
{
    EXPECT_EQ(ProgramVersionLine(), "Quorvel Version 1.0 build 0");
}

} // namespace
