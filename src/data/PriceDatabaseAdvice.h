#pragma once

#include <string>

/// What the user can do when the price database cannot be opened, in plain words: which file
/// (full path) it was and how to get a usable one. Never advises anything that would replace
/// an existing collection database.
namespace price_database_advice {

/// `path` is the full path of the price database that was tried, `folder` the folder it lies
/// in, `exists` whether a file of that name is there (damaged or not a price database).
std::string Advice(const std::string& path, const std::string& folder, bool exists);

} // namespace price_database_advice
