#include "app/VersionLine.h"

#include "QuorvelVersion.h"

#include <cstdio>

std::string VersionLine(int major, int minor, int /*patch*/, int tweak)
{
    // Each part is a 16-bit field of the version record, shown unsigned.
    char text[64];
    std::snprintf(text, sizeof text, "Quorvel Version %d.%d build %d", major & 0xFFFF,
                  minor & 0xFFFF, tweak & 0xFFFF);
    return text;
}

std::string ProgramVersionLine()
{
    return VersionLine(quorvel_version::kMajor, quorvel_version::kMinor,
                       quorvel_version::kPatch, quorvel_version::kTweak);
}
