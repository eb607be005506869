#include "lookup/BestMatchOrder.h"

#include "lookup/MatchScorer.h"

#include <algorithm>

std::vector<ScoredCard> OrderByMatch(const std::vector<CardRecord>& cardsInValueOrder,
                                     const MatchScorer& scorer)
{
    std::vector<ScoredCard> ordered;
    ordered.reserve(cardsInValueOrder.size());
    for (const CardRecord& card : cardsInValueOrder) {
        ordered.push_back(ScoredCard{card, scorer.Rank(card.name)});
    }
    std::stable_sort(ordered.begin(), ordered.end(), [](const ScoredCard& a, const ScoredCard& b) {
        return RanksAbove(a.rank, b.rank);
    });
    return ordered;
}

std::vector<CardRecord> ReportedCards(const std::vector<ScoredCard>& ordered)
{
    std::vector<CardRecord> reported;
    for (const ScoredCard& scored : ordered) {
        if (scored.rank.score >= MatchScorer::kReportThreshold) {
            reported.push_back(scored.card);
        }
    }
    return reported;
}
