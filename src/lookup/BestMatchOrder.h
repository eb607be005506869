#pragma once

#include "data/CardRecord.h"

#include <vector>

class MatchScorer;

/// A listed card with its match score.
struct ScoredCard {
    CardRecord card;
    int score = 0;
};

/// The order of "Best Match First": the cards, given in the grid's value order, by match score,
/// best first; equal scores keep the value order (most valuable first).
std::vector<ScoredCard> OrderByMatch(const std::vector<CardRecord>& cardsInValueOrder,
                                     const MatchScorer& scorer);

/// The cards the value report lists under "Best Match First": those of the ordered list whose
/// score reaches MatchScorer::kReportThreshold, in that order.
std::vector<CardRecord> ReportedCards(const std::vector<ScoredCard>& ordered);
