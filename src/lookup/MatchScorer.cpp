#include "lookup/MatchScorer.h"

#include "lookup/TextCleaning.h"
#include "lookup/Utf8.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <set>
#include <unordered_map>

namespace {

// A typed word one edit away from a name word (a typo) counts for this share of its letters.
constexpr double kTypoWeight = 0.75;
// How strongly the share of its token that the name covers weighs: to the power 1/4, a name
// standing alone scores its full coverage, a name inside a sentence of forty letters still
// about 70 % of it. Two square roots give that power at a fraction of the cost of pow.
double TokenWeight(double share)
{
    return std::sqrt(std::sqrt(share));
}
// A name reached through one short or common word among other words of its token keeps this
// share of its score: "fog" in "any fog in the chat" names no card.
constexpr double kLoneWordFactor = 0.5;
constexpr std::size_t kShortWord = 4;
// A run of a name that stops where the text goes on with a different word ("Lightning Dart" in
// "Lightning Bolt", "Bog Wraith" in "Street Wraith") shares words with another name the text
// names; it keeps this share of its score.
constexpr double kOtherNameFactor = 0.6;
// A short name ("Jitte" for Umezawa's Jitte) counts as this much of the whole name.
constexpr double kShortNameShare = 0.9;

// Words that mark a line as trade talk rather than prose.
constexpr std::array<std::string_view, 22> kTradeWords = {
    "wts",  "wtb",     "wtt",    "lf",      "tix",      "tx",     "ticket", "tickets",
    "usd",  "each",    "ea",     "playset", "playsets", "pc",     "foil",   "foils",
    "sale", "selling", "buying", "sell",    "buy",      "wanted",
};

// Words of trade chat and plain English that are whole card names or parts of many: alone
// among other words they are more likely chatter than a card.
constexpr std::array<std::string_view, 72> kCommonWords = {
    "anger",  "angel",   "bind",    "blaze",   "boil",   "castle", "clone",   "death",
    "deluge", "divert",  "dragon",  "dream",   "execute", "fear",  "fire",    "flight",
    "forest", "genesis", "glory",   "goblin",  "greed",  "ground", "heart",   "index",
    "insist", "island",  "knight",  "life",    "light",  "lure",   "master",  "mind",
    "mountain", "night", "overload", "peace",  "peek",   "plains", "power",   "probe",
    "rage",   "recover", "refresh", "repel",   "rest",   "ring",   "rout",    "shelter",
    "shock",  "simplify", "smash",  "soul",    "spirit", "standstill", "storm", "stun",
    "swamp",  "swat",    "tangle",  "threaten", "time",  "tremor", "valor",   "void",
    "wall",   "war",     "wish",    "wonder",  "world",  "zap",    "filth",   "brawn",
};

constexpr bool IsWordByte(unsigned char c)
{
    return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c >= 0x80;
}

// True when a and b differ by one inserted, deleted, replaced or swapped pair of characters.
bool OneEditApart(std::string_view a, std::string_view b)
{
    if (a.size() > b.size()) {
        std::swap(a, b);
    }
    if (b.size() - a.size() > 1) {
        return false;
    }
    std::size_t i = 0;
    while (i < a.size() && a[i] == b[i]) {
        ++i;
    }
    if (a.size() == b.size()) {
        if (i == a.size()) {
            return false;  // equal
        }
        if (a.substr(i + 1) == b.substr(i + 1)) {
            return true;  // replaced
        }
        return i + 1 < a.size() && a[i] == b[i + 1] && a[i + 1] == b[i] &&
               a.substr(i + 2) == b.substr(i + 2);  // swapped
    }
    return a.substr(i) == b.substr(i + 1);  // inserted
}

// How much of a name word the text word stands for: 1 the same word, kTypoWeight a typo of a
// word long enough that one slip still leaves it recognisable, 0 otherwise.
double WordWeight(std::string_view nameWord, std::string_view textWord)
{
    if (nameWord.size() == textWord.size()) {
        // Words are short: a loop beats a call to compare them.
        std::size_t same = 0;
        while (same < nameWord.size() && nameWord[same] == textWord[same]) {
            ++same;
        }
        if (same == nameWord.size()) {
            return 1.0;
        }
    }
    // One edit of a word this long keeps its first or its last character.
    const std::size_t longer = std::max(nameWord.size(), textWord.size());
    if (nameWord.size() > kShortWord && longer - std::min(nameWord.size(), textWord.size()) <= 1 &&
        (nameWord.front() == textWord.front() || nameWord.back() == textWord.back()) &&
        OneEditApart(nameWord, textWord)) {
        return kTypoWeight;
    }
    return 0.0;
}

// True when the characters between two words of a name (views into one buffer) hold more
// than spaces.
bool PunctuationBetween(std::string_view first, std::string_view second)
{
    for (const char* c = first.data() + first.size(); c < second.data(); ++c) {
        if (*c != ' ') {
            return true;
        }
    }
    return false;
}

// True when a text word next to a run is plainly not the name's word there: a word of three
// letters or more that starts differently (a typo keeps its first letters).
bool OtherWord(std::string_view nameWord, std::string_view textWord)
{
    return textWord.size() >= 3 && textWord.substr(0, 2) != nameWord.substr(0, 2);
}

bool IsShortOrCommon(std::string_view word)
{
    return word.size() <= kShortWord ||
           std::find(kCommonWords.begin(), kCommonWords.end(), word) != kCommonWords.end();
}

// What a byte is to Words: part of a word, between words, or part of a word once it is
// lowered or, for an apostrophe, dropped.
enum ByteKind : unsigned char { kSeparator, kWordByte, kToNormalise };

constexpr std::array<unsigned char, 256> MakeByteKinds()
{
    std::array<unsigned char, 256> kinds{};
    for (int c = 0; c < 256; ++c) {
        kinds[static_cast<std::size_t>(c)] =
            (c >= 'A' && c <= 'Z') || c == '\'' ? kToNormalise
            : IsWordByte(static_cast<unsigned char>(c)) ? kWordByte
                                                         : kSeparator;
    }
    return kinds;
}
constexpr std::array<unsigned char, 256> kByteKinds = MakeByteKinds();

// Cuts text into views of its words; false, at the first capital or apostrophe, when it must
// be lowered first.
bool SplitLowered(std::string_view text, std::vector<std::string_view>& words)
{
    words.clear();
    std::size_t start = 0;
    bool inWord = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char kind = kByteKinds[static_cast<unsigned char>(text[i])];
        if (kind == kToNormalise) {
            return false;
        }
        if (kind == kWordByte) {
            start = inWord ? start : i;
            inWord = true;
        } else if (inWord) {
            words.push_back(text.substr(start, i - start));
            inWord = false;
        }
    }
    if (inWord) {
        words.push_back(text.substr(start));
    }
    return true;
}

// The words of text as Words cuts them, as views into text or, when it holds capitals or
// apostrophes, into lowered; lowered and words are reused, so a scorer that scores thousands
// of names allocates next to nothing.
void SplitWords(std::string_view text, std::string& lowered, std::vector<std::string_view>& words)
{
    if (SplitLowered(text, words)) {
        return;
    }
    lowered.clear();
    for (const char c : text) {
        if (c != '\'') {
            lowered.push_back(c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c);
        }
    }
    SplitLowered(lowered, words);
}

template <typename Word>
std::string JoinWords(const std::vector<Word>& words)
{
    std::string joined;
    for (const Word& word : words) {
        joined += joined.empty() ? "" : " ";
        joined.append(word);
    }
    return joined;
}

}  // namespace

std::vector<std::string> MatchScorer::Words(std::string_view text)
{
    std::string lowered;
    std::vector<std::string_view> views;
    SplitWords(text, lowered, views);
    return std::vector<std::string>(views.begin(), views.end());
}

bool MatchScorer::StandsFor(std::string_view nameWord, std::string_view textWord)
{
    return !nameWord.empty() && !textWord.empty() && WordWeight(nameWord, textWord) > 0.0;
}

MatchScorer::MatchScorer(std::string_view text, const FilterList& filters,
                         const LookupOptions& options, bool fromClipboard,
                         const ClipboardLimits& limits)
{
    if (fromClipboard) {
        text = utf8::FirstChars(text, limits.maxChars);
    }
    // Which words stand capitalised inside a sentence or at its start, and whether the text is
    // trade talk: trade words, a currency, a price with decimals, a quantity such as "4x".
    std::set<std::string> capitals;
    std::set<std::string> initials;
    bool sentenceStart = true;
    for (std::size_t i = 0; i < text.size();) {
        const char c = text[i];
        const auto byte = static_cast<unsigned char>(c);
        if (c >= '0' && c <= '9') {
            std::size_t end = i;
            while (end < text.size() &&
                   ((text[end] >= '0' && text[end] <= '9') ||
                    ((text[end] == '.' || text[end] == ',') && end + 1 < text.size() &&
                     text[end + 1] >= '0' && text[end + 1] <= '9'))) {
                m_tradeTalk = m_tradeTalk || text[end] == '.' || text[end] == ',';
                ++end;
            }
            const bool glued = (end < text.size() && (text[end] == 'x' || text[end] == 'X')) ||
                               (i > 0 && (text[i - 1] == 'x' || text[i - 1] == 'X'));
            m_tradeTalk = m_tradeTalk || glued;
            sentenceStart = false;
            i = end;
            continue;
        }
        if (!IsWordByte(byte) && !(c >= 'A' && c <= 'Z') && c != '\'') {
            sentenceStart = sentenceStart ||
                            std::string_view(".!?:;\"([>|\n").find(c) != std::string_view::npos;
            m_tradeTalk = m_tradeTalk || c == '$' || c == '@';
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < text.size() && (IsWordByte(static_cast<unsigned char>(text[end])) ||
                                     (text[end] >= 'A' && text[end] <= 'Z') || text[end] == '\'')) {
            ++end;
        }
        const std::vector<std::string> words = Words(text.substr(i, end - i));
        for (const std::string& word : words) {
            m_tradeTalk =
                m_tradeTalk ||
                std::find(kTradeWords.begin(), kTradeWords.end(), word) != kTradeWords.end() ||
                ((word == "h" || word == "w") && end < text.size() &&
                 (text[end] == ':' || text[end] == '>'));
        }
        if (c >= 'A' && c <= 'Z' && !words.empty()) {
            (sentenceStart ? initials : capitals).insert(words.front());
        }
        sentenceStart = false;
        i = end;
    }
    const std::string cleaned = NormalisePunctuation(StripQuantities(text));
    std::set<std::string> replacements;
    std::unordered_map<std::string, std::size_t> distinct;  // word -> index in m_distinct
    std::size_t start = 0;
    std::size_t tokenIndex = 0;
    while (start <= cleaned.size()) {
        const std::size_t comma = cleaned.find(',', start);
        const std::size_t end = comma == std::string::npos ? cleaned.size() : comma;
        std::string token = AsciiLower(cleaned.substr(start, end - start));
        if (options.userFilter) {
            for (const FilterEntry& filter : filters) {
                const bool deletes = filter.replacement.empty() || filter.replacement[0] == '*';
                if (deletes || filter.word.empty()) {
                    continue;
                }
                for (std::size_t at = token.find(filter.word); at != std::string::npos;
                     at = token.find(filter.word, at + 1)) {
                    if (IsWholeWordAt(token, filter.word, at)) {
                        replacements.insert(JoinWords(Words(filter.replacement)));
                        break;
                    }
                }
            }
            ApplyFilters(token, filters, true);
        }
        std::size_t letters = 0;
        for (std::string& word : Words(token)) {
            letters += word.size();
            const auto [at, added] = distinct.try_emplace(word, m_distinct.size());
            if (added) {
                m_distinct.push_back(TextWord{word, {}});
            }
            m_distinct[at->second].positions.push_back(m_words.size());
            const bool capital = capitals.count(word) != 0;
            const bool initial = initials.count(word) != 0;
            m_words.push_back(Word{std::move(word), tokenIndex, capital, initial});
        }
        m_tokenLetters.push_back(letters);
        ++tokenIndex;
        if (comma == std::string::npos) {
            break;
        }
        start = comma + 1;
    }
    m_replacements.assign(replacements.begin(), replacements.end());
    // The words that may be short names (see BestMatchOrder): long enough, not common, and
    // written with a capital or standing in a short piece of text. Only they are looked for
    // as pieces of longer name words, which keeps that search off most lines.
    std::vector<std::size_t> tokenWords(m_tokenLetters.size(), 0);
    for (const Word& word : m_words) {
        ++tokenWords[word.token];
    }
    for (std::size_t d = 0; d < m_distinct.size(); ++d) {
        const std::string& text = m_distinct[d].text;
        if (text.size() < kShortWord || IsCommonWord(text)) {
            continue;
        }
        for (const std::size_t j : m_distinct[d].positions) {
            if (m_words[j].capital || m_words[j].initial || tokenWords[m_words[j].token] <= 3) {
                m_pieceWords.push_back(d);
                break;
            }
        }
    }
    for (std::size_t i = 0; i < m_distinct.size(); ++i) {
        const std::size_t length = m_distinct[i].text.size();
        if (m_byLength.size() <= length) {
            m_byLength.resize(length + 1);
        }
        m_byLength[length].push_back(i);
    }
}

MatchRank MatchScorer::Rank(std::string_view cardName) const
{
    thread_local std::string lowered;
    thread_local std::vector<std::string_view> name;
    SplitWords(cardName, lowered, name);
    std::size_t nameLetters = 0;
    for (const std::string_view word : name) {
        nameLetters += word.size();
    }
    if (nameLetters == 0) {
        return {};
    }
    if (!m_replacements.empty() &&
        std::binary_search(m_replacements.begin(), m_replacements.end(), JoinWords(name))) {
        return {100, static_cast<int>(name.size())};
    }
    // The best run of name words found in the same order as whole words of the text; runs
    // start only where a text word stands for the name word.
    double best = 0.0;
    std::size_t bestLength = 0;  // of equal best runs, the longest
    std::size_t bestStart = 0;
    for (std::size_t i = 0; i < name.size(); ++i) {
        // Only a text word of the same length, or for a word long enough to have typos one
        // longer or shorter, can stand for it.
        const std::size_t length = name[i].size();
        const std::size_t slack = length > kShortWord ? 1 : 0;
        for (std::size_t other = length - slack; other <= length + slack; ++other) {
            if (other >= m_byLength.size()) {
                break;
            }
            for (const std::size_t d : m_byLength[other]) {
                if (WordWeight(name[i], m_distinct[d].text) == 0.0) {
                    continue;
                }
                for (const std::size_t j : m_distinct[d].positions) {
                    std::size_t runLength = 0;
                    const double score = RunScore(name, nameLetters, i, j, runLength);
                    if (score > best || (score == best && runLength > bestLength)) {
                        best = score;
                        bestLength = runLength;
                        bestStart = j;
                    }
                    }
                }
            }
        }
    if (best == 0.0) {
        return PieceRank(name);
    }
    const int score = static_cast<int>(best * 100.0 + 0.5);
    if (score == 0) {
        return {};
    }
    return {score, static_cast<int>(bestLength), static_cast<int>(bestStart)};
}

// A name no whole word of the text stands for may still be called by a piece of one of its
// words ("Goyf" for Tarmogoyf): half a short name's score, so that the lookup keeps it among
// the cards it lists; Best Match First's order decides whether it counts as a short name.
MatchRank MatchScorer::PieceRank(const std::vector<std::string_view>& name) const
{
    MatchRank rank;
    for (const std::size_t d : m_pieceWords) {
        const std::string& word = m_distinct[d].text;
        for (const std::string_view nameWord : name) {
            if (word.size() + 2 > nameWord.size() ||
                (nameWord.compare(0, word.size(), word) != 0 &&
                 nameWord.compare(nameWord.size() - word.size(), word.size(), word) != 0)) {
                continue;
            }
            for (const std::size_t j : m_distinct[d].positions) {
                const MatchRank piece{ShortNameScore(j) / 2, 1, static_cast<int>(j)};
                if (RanksAbove(piece, rank)) {
                    rank = piece;
                }
            }
        }
    }
    return rank;
}

int MatchScorer::ShortNameScore(std::size_t word) const
{
    const std::string& text = m_words[word].text;
    const std::size_t tokenLetters = m_tokenLetters[m_words[word].token];
    if (tokenLetters == 0) {
        return 0;
    }
    const double share = static_cast<double>(text.size()) / static_cast<double>(tokenLetters);
    return static_cast<int>(kShortNameShare * TokenWeight(share) * 100.0 + 0.5);
}

bool MatchScorer::IsTradeWord(std::string_view word)
{
    return std::find(kTradeWords.begin(), kTradeWords.end(), word) != kTradeWords.end();
}

bool MatchScorer::IsCommonWord(std::string_view word)
{
    return std::find(kCommonWords.begin(), kCommonWords.end(), word) != kCommonWords.end();
}

double MatchScorer::RunScore(const std::vector<std::string_view>& name, std::size_t nameLetters,
                             std::size_t i, std::size_t j, std::size_t& length) const
{
    double covered = 0.0;
    std::size_t textLetters = 0;
    length = 0;
    while (i + length < name.size() && j + length < m_words.size()) {
        // A run goes on into the next piece of text only where the name has punctuation too
        // ("Fire // Ice", "Chainer, Dementia Master"), not across "Mage | Dark".
        if (length > 0 && m_words[j + length].token != m_words[j + length - 1].token &&
            !PunctuationBetween(name[i + length - 1], name[i + length])) {
            break;
        }
        const double weight = WordWeight(name[i + length], m_words[j + length].text);
        if (weight == 0.0) {
            break;
        }
        covered += weight * static_cast<double>(name[i + length].size());
        textLetters += m_words[j + length].text.size();
        ++length;
    }
    if (length == 0) {
        return 0.0;
    }
    std::size_t tokenLetters = 0;
    for (std::size_t t = m_words[j].token; t <= m_words[j + length - 1].token; ++t) {
        tokenLetters += m_tokenLetters[t];
    }
    const double nameShare = covered / static_cast<double>(nameLetters);
    const double tokenShare = static_cast<double>(textLetters) / static_cast<double>(tokenLetters);
    double score = nameShare * TokenWeight(tokenShare);
    if (length == 1 && tokenShare < 1.0 && IsShortOrCommon(name[i])) {
        score *= kLoneWordFactor;
    }
    const std::size_t after = j + length;
    const bool otherAfter = i + length < name.size() && after < m_words.size() &&
                            m_words[after].token == m_words[after - 1].token &&
                            OtherWord(name[i + length], m_words[after].text);
    const bool otherBefore = i > 0 && j > 0 && m_words[j - 1].token == m_words[j].token &&
                             OtherWord(name[i - 1], m_words[j - 1].text);
    if (otherAfter || otherBefore) {
        score *= kOtherNameFactor;
    }
    return score;
}
