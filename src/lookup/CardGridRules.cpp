#include "lookup/CardGridRules.h"

#include "data/CardRecord.h"
#include "data/DateTime.h"
#include "data/PriceText.h"
#include "lookup/MatchScorer.h"


namespace card_grid {

int RarityImageIndex(std::int32_t setId, std::int32_t rarity)
{
    if (setId < 10 || setId > 90 || setId % 10 != 0) {
        return -1;
    }
    const int rarityStep = rarity == 10 ? 1 : rarity == 20 ? 2 : 3;
    return setId / 10 * 3 + rarityStep - 4;
}

int HotImageIndex(std::int32_t hot)
{
    return hot != 0 ? kHotSetImage : kHotClearImage;
}

std::int32_t ToggledHot(std::int32_t hot)
{
    return hot == 1 ? 0 : 1;
}

std::string ValueText(double value)
{
    std::string text = PriceText(value);
    if (text.size() < 4) {
        text.insert(0, 4 - text.size(), ' ');
    }
    return text;
}

std::string DateText(const DateTime& date)
{
    return date.Format("%m-%d-%Y");
}

std::optional<std::uint32_t> MatchTint(int score)
{
    constexpr std::uint32_t kReportedTint = 0xDCF0DC;
    constexpr std::uint32_t kPartTint = 0xFFF5D0;
    if (score >= MatchScorer::kReportThreshold) {
        return kReportedTint;
    }
    return score > 0 ? std::optional<std::uint32_t>(kPartTint) : std::nullopt;
}

std::string RarityTipText(const std::string& setName, std::int32_t rarity)
{
    return ExpandLineBreaks(setName + "/" + RarityName(rarity));
}

std::string ExpandLineBreaks(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == 'n') {
            out += '\n';
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

} // namespace card_grid
