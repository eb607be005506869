#pragma once

#include <filesystem>
#include <string>

/// The whole content of a file as bytes; empty when it cannot be read.
std::string ReadWholeFile(const std::filesystem::path& path);
/// Writes `bytes` as the whole content of a file, replacing what was there.
void WriteWholeFile(const std::filesystem::path& path, const std::string& bytes);
