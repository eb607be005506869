#pragma once

#include <functional>
#include <string>

struct CardRecord;

/// Writes the sample card list (data/sets-2003.tsv) as a price database at `path`, each card
/// first passed to `adjust` when one is given; a failure fails the test.
void WriteSamplePriceDatabase(const std::string& path,
                              const std::function<void(CardRecord&)>& adjust = {});
