#pragma once

#include "data/CardRecord.h"

#include <string>

/// The update date a test card carries unless the test names one.
inline const DateTime kTestCardDate = DateTime(2026, 11, 5, 10, 20, 30);

/// A catalogue card with the fields the tests set; the link stays empty, as in the catalogue.
CardRecord MakeCard(int id, const std::string& name, double reg, double foil = 0.0, int set = 0,
                    int number = 0, int rarity = 0, int hot = 0, DateTime date = kTestCardDate);

/// Expects every field of `actual` to equal that of `expected`, naming the card and the field
/// that differ.
void ExpectSameCard(const CardRecord& actual, const CardRecord& expected);
