#include "lookup/BuildPattern.h"

#include "lookup/TextCleaning.h"
#include "lookup/Utf8.h"

namespace {

// Cutting the last word off position + 1 times leaves the leading words before the cut space
// and, as the rest, the text after it: found with one backward search instead of copies.
std::string LeadingWordsPattern(const std::string& token, long& position, std::string& rest)
{
    std::size_t end = token.size();
    long cut = 0;
    bool stoppedEarly = false;
    for (long i = 0; i <= position; ++i) {
        const std::size_t space = end == 0 ? std::string::npos : token.rfind(' ', end - 1);
        if (space == std::string::npos) {
            stoppedEarly = true;
            break;
        }
        end = space;
        ++cut;
    }
    position = stoppedEarly ? -1 : cut;
    rest = cut == 0 ? std::string() : std::string(TrimBlanksLeft(std::string_view(token).substr(end)));
    return "*" + token.substr(0, end) + "*";
}

std::string OneLetterPattern(std::string token, long& position)
{
    if (token.empty()) {
        position = -1;
        return "?";
    }
    // Filters run again before every pattern and may have shortened the token since the last
    // one; the position is then brought back inside it, onto the start of a character.
    std::size_t pos = static_cast<std::size_t>(position < 0 ? 0 : position);
    if (pos >= token.size()) {
        pos = token.size() - 1;
    }
    std::size_t start = 0;
    while (start + utf8::CharLength(token, start) <= pos) {
        start += utf8::CharLength(token, start);
    }
    pos = start;
    if (token[pos] == ' ' && pos + 1 < token.size()) {
        ++pos;
    }
    const std::size_t charLength = utf8::CharLength(token, pos);
    std::string marked = token;
    marked.replace(pos, charLength, "?");
    const std::size_t before = pos == 0 ? std::string::npos : marked.rfind(' ', pos - 1);
    const std::size_t wordStart = before == std::string::npos ? 0 : before + 1;
    const std::size_t after = marked.find(' ', pos);
    const std::size_t wordEnd = after == std::string::npos ? marked.size() : after;
    const std::size_t next = pos + charLength;
    position = next >= token.size() ? -1 : static_cast<long>(next);
    return "*" + marked.substr(wordStart, wordEnd - wordStart) + "*";
}

}  // namespace

std::string BuildPattern(std::string token, int mode, long& position, std::string& rest)
{
    rest.clear();
    switch (mode) {
    case 0:
        position = -1;
        return "*" + token + "*";
    case 1:
        return LeadingWordsPattern(token, position, rest);
    case 2:
        return OneLetterPattern(std::move(token), position);
    default:
        return {};
    }
}
