#pragma once

#include <cstdint>

/// A name's match score with what parts equal scores: how many words of the text the
/// best-scoring run of the name covers.
struct MatchRank {
    int score = 0;
    int textWords = 0;
    int firstWord = -1; ///< where in the text's words that run starts (-1: no run)
};

/// The order of "Best Match First" as one number, higher first: the score, then, of equal
/// scores, the name covering more words of the text. "Fire // Ice" thus goes before "Fire" for
/// "Fire/Ice": both score 100, but "Fire" names only part of the text. Names covering as many
/// words rank equal whatever their length: of "Duress, Gravedigger" neither goes first.
constexpr std::int64_t MatchOrderKey(const MatchRank& rank)
{
    return (static_cast<std::int64_t>(rank.score) << 32) |
           static_cast<std::uint32_t>(rank.textWords);
}

/// True when a goes before b in the order of "Best Match First" (see MatchOrderKey).
constexpr bool RanksAbove(const MatchRank& a, const MatchRank& b)
{
    return MatchOrderKey(a) > MatchOrderKey(b);
}
