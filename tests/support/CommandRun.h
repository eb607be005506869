#pragma once

#include <filesystem>
#include <string>

/// What a command run as a program left behind.
struct CommandResult {
    int status = -1; ///< exit status, -1 when it did not exit normally
    std::string out;
    std::string err;
};

/// Runs a shell command line in `folder` with `input` as its standard input; its output and
/// error output are kept in files there (stdin.txt, stdout.txt, stderr.txt) and read back.
CommandResult RunCommandIn(const std::filesystem::path& folder, const std::string& commandLine,
                           const std::string& input = "");
