#pragma once

#include "data/CardRecord.h"
#include "lookup/FilterList.h"

#include <cstddef>
#include <string>
#include <vector>

/// One labelled line of the lookup corpus: a copied text and the catalogue cards it names.
struct CorpusLine {
    std::string text;
    std::vector<std::string> names;
};

/// Reads the corpus: one line per text, a tab, then the names it names separated by " | "
/// (nothing after the tab for a text naming no card); lines starting with "#" are comments.
bool ReadCorpus(const std::string& path, std::vector<CorpusLine>& lines, std::string& error);

/// What the value report popup shows for the corpus lines looked up as copied texts.
struct QualityFigures {
    std::size_t namedLines = 0;     ///< lines naming at least one card
    std::size_t namedInTopThree = 0;  ///< ... whose popup's three cards hold a named one
    std::size_t fewNamedLines = 0;  ///< lines naming one to three cards
    std::size_t fewNamedAllShown = 0;  ///< ... whose popup's three cards hold all of them
    std::size_t plainLines = 0;     ///< lines naming no card
    std::size_t plainNothing = 0;   ///< ... whose popup says "0 cards found!"
    std::size_t plainCardsShown = 0;  ///< cards the popup counts over the plain lines
    std::vector<std::string> misses;  ///< the lines that missed a goal, with what was shown

    double Percent(std::size_t part, std::size_t whole) const
    {
        return whole == 0 ? 100.0 : 100.0 * static_cast<double>(part) / static_cast<double>(whole);
    }
    double TopThree() const { return Percent(namedInTopThree, namedLines); }
    double AllShown() const { return Percent(fewNamedAllShown, fewNamedLines); }
    double NothingShown() const { return Percent(plainNothing, plainLines); }
};

/// The goals of "Best Match First", in percent of lines.
inline constexpr double kTopThreeGoal = 90.0;
inline constexpr double kAllShownGoal = 90.0;
inline constexpr double kNothingShownGoal = 85.0;
/// How far each figure may fall with 100,000 cards.
inline constexpr double kLargeCatalogueDrop = 5.0;

/// Looks every line up as a copied text in cards with the filters, orders and cuts what was
/// found as the value report does with "Best Match First" on (bestMatch) or off, and counts.
QualityFigures MeasureQuality(const std::vector<CorpusLine>& corpus,
                              const std::vector<CardRecord>& cards, const FilterList& filters,
                              bool bestMatch);

/// The sample catalogue with illustrative prices, and the same cards among synthetic names
/// up to `total` cards (ids beyond the synthetic ones).
std::vector<CardRecord> SampleCards(const std::string& tsvPath);
std::vector<CardRecord> LargeCatalogue(const std::vector<CardRecord>& sample, std::size_t total);
