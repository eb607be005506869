#pragma once

#include "data/CardRecord.h"
#include "lookup/FilterList.h"

#include <cstddef>
#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

/// One labelled line of the lookup corpus: a copied text, the cards it names and the price it
/// asks for one copy of some of them.
struct CorpusLine {
    std::string text;
    std::vector<std::string> names;
    std::vector<std::pair<std::string, double>> prices;
};

/// Reads the corpus: one line per text, a tab, then the names it names separated by " | "
/// (nothing after the tab for a text naming no card), optionally a tab and the asked prices
/// ("Name=5 | Other=0.5"); lines starting with "#" are comments.
bool ReadCorpus(const std::string& path, std::vector<CorpusLine>& lines, std::string& error);

/// A catalogue the corpus is measured on, with the names it holds: a line is expected to show
/// the names it names that the catalogue holds.
struct QualityCatalogue {
    std::string title;
    std::vector<CardRecord> cards;
    std::unordered_set<std::string> names;
};

/// The four catalogues: the sample cards, the sample among synthetic names up to 100,000, the
/// real printings list, and the real list padded to 100,000 with later printings of its names.
std::vector<QualityCatalogue> QualityCatalogues(const std::string& sourceDir);

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

/// The goals of "Best Match First", in percent of lines, on every catalogue.
inline constexpr double kTopThreeGoal = 96.0;
inline constexpr double kAllShownGoal = 93.0;
inline constexpr double kNothingShownGoal = 95.0;
/// How far each figure may fall with 100,000 cards.
inline constexpr double kLargeCatalogueDrop = 5.0;

/// True when the figures reach every goal.
inline bool MeetsGoals(const QualityFigures& f)
{
    return f.TopThree() >= kTopThreeGoal && f.AllShown() >= kAllShownGoal &&
           f.NothingShown() >= kNothingShownGoal;
}
/// True when no figure of `large` falls more than kLargeCatalogueDrop below `base`'s.
inline bool StaysNear(const QualityFigures& large, const QualityFigures& base)
{
    return large.TopThree() >= base.TopThree() - kLargeCatalogueDrop &&
           large.AllShown() >= base.AllShown() - kLargeCatalogueDrop &&
           large.NothingShown() >= base.NothingShown() - kLargeCatalogueDrop;
}

/// Looks every line up as a copied text in the catalogue with the filters, orders and cuts what
/// was found as the value report does with "Best Match First" on (bestMatch) or off, and
/// counts; a line is expected to show the names it names that the catalogue holds.
QualityFigures MeasureQuality(const std::vector<CorpusLine>& corpus,
                              const QualityCatalogue& catalogue, const FilterList& filters,
                              bool bestMatch);

/// How well the asked prices of the corpus are read (lines naming at least one card).
struct PriceFigures {
    std::size_t statingLines = 0; ///< lines stating a price for a card
    std::size_t readRight = 0;    ///< ... whose every price is read right and none added
    std::size_t silentLines = 0;  ///< lines naming cards without stating a price
    std::size_t invented = 0;     ///< ... for which a price was read all the same
    std::vector<std::string> misses;
    double RightShare() const
    {
        return statingLines == 0
                   ? 100.0
                   : 100.0 * static_cast<double>(readRight) / static_cast<double>(statingLines);
    }
};
/// At least this share of the stating lines is read right, and no price is invented.
inline constexpr double kPricesReadGoal = 95.0;

/// Reads the asked prices of every naming line for the cards it names, as the value report
/// does for the cards it lists, and compares them with the labels.
PriceFigures MeasurePrices(const std::vector<CorpusLine>& corpus, const FilterList& filters);

/// The sample catalogue with illustrative prices, and the same cards among synthetic names
/// up to `total` cards (ids beyond the synthetic ones).
std::vector<CardRecord> SampleCards(const std::string& tsvPath);
std::vector<CardRecord> LargeCatalogue(const std::vector<CardRecord>& sample, std::size_t total);
/// The real printings list (name, set code, rarity, release date) with illustrative prices,
/// each set an expansion of its own; and the same padded to `total` cards with later printings
/// of its names, chosen as often as a name is printed already.
std::vector<CardRecord> RealCards(const std::string& tsvPath);
std::vector<CardRecord> PaddedCatalogue(const std::vector<CardRecord>& real, std::size_t total);
