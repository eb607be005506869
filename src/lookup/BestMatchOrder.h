#pragma once

#include "data/CardRecord.h"
#include "lookup/MatchRank.h"

#include <vector>

class MatchScorer;

/// A listed card with its match score and what parts equal scores.
struct ScoredCard {
    CardRecord card;
    MatchRank rank;
};

/// The order of "Best Match First": the cards, given in the grid's value order, best first by
/// RanksAbove (the score, then the name covering more words of the text); equal ranks keep the
/// value order (most valuable first).
std::vector<ScoredCard> OrderByMatch(const std::vector<CardRecord>& cardsInValueOrder,
                                     const MatchScorer& scorer);

/// The cards the value report lists under "Best Match First": those of the ordered list whose
/// score reaches MatchScorer::kReportThreshold, in that order, each name once: of the
/// printings of one name in several sets only the first (of equal ranks the most valuable).
std::vector<CardRecord> ReportedCards(const std::vector<ScoredCard>& ordered);
