#pragma once

#include <string>
#include <string_view>

/// The nine sets of the sample data by today's codes. The sample data names them by two-letter
/// codes of its own ("7E", "IN", ...); price files use today's three-letter codes ("7ED",
/// "INV", ...); both, and the sets' names, are recognised.
namespace known_sets {

/// Today's three-letter code of one of the nine sample sets given by that code, its two-letter
/// sample code or its name (any letter case); empty for any other text.
std::string CurrentCode(std::string_view codeOrName);

} // namespace known_sets
