#include "lookup/BestMatchOrder.h"

#include "lookup/MatchScorer.h"

#include <algorithm>

std::vector<ScoredCard> OrderByMatch(const std::vector<CardRecord>& cardsInValueOrder,
                                     const MatchScorer& scorer)
{
    std::vector<ScoredCard> ordered;
    ordered.reserve(cardsInValueOrder.size());
    for (const CardRecord& card : cardsInValueOrder) {
        ordered.push_back(ScoredCard{card, scorer.Score(card.name)});
    }
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](const ScoredCard& a, const ScoredCard& b) { return a.score > b.score; });
    return ordered;
}

std::vector<CardRecord> ReportedCards(const std::vector<ScoredCard>& ordered)
{
    std::vector<CardRecord> reported;
    for (const ScoredCard& scored : ordered) {
        if (scored.score >= MatchScorer::kReportThreshold) {
            reported.push_back(scored.card);
        }
    }
    return reported;
}
