#pragma once

#include <string>

/// The About box's version line: "Quorvel" followed by " Version %d.%d build %d" with the
/// major, minor and fourth part of the version (the third part is not shown).
/// 1.2.0.7 gives "Quorvel Version 1.2 build 7".
std::string VersionLine(int major, int minor, int patch, int tweak);

/// The version line of this build, from the version set in the build.
std::string ProgramVersionLine();
