#include "lookup/ValueReport.h"

#include "data/CardRecord.h"
#include "data/PriceText.h"
#include "lookup/FilterList.h"
#include "lookup/LookupOptions.h"
#include "lookup/OfferReport.h"

#include <algorithm>
#include <cstdio>

namespace {

template <typename... Args>
std::string Format(const char* pattern, Args... args)
{
    const int length = std::snprintf(nullptr, 0, pattern, args...);
    if (length <= 0) {
        return {};
    }
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    std::snprintf(text.data(), text.size(), pattern, args...);
    text.pop_back();
    return text;
}

// 65536 as "65,536".
std::string Grouped(std::size_t number)
{
    std::string digits = std::to_string(number);
    for (std::size_t at = digits.size(); at > 3; at -= 3) {
        digits.insert(at - 3, ",");
    }
    return digits;
}

}  // namespace

std::string ExpandLineBreaks(std::string_view text)
{
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == 'n') {
            result.push_back('\n');
            ++i;
        } else {
            result.push_back(text[i]);
        }
    }
    return result;
}

std::string LookupCutNote(const LookupStats& stats, const ClipboardLimits& limits)
{
    std::string note;
    if (stats.textCut) {
        note = "(only the first " + Grouped(limits.maxChars) + " characters were looked up)";
    }
    if (stats.filtersCut) {
        note += note.empty() ? "" : "\n";
        note += "(the word filters were stopped after adding " + Grouped(kFilterGrowthLimit) +
                " characters to a name)";
    }
    if (stats.outOfTime) {
        note += note.empty() ? "" : "\n";
        note += "(lookup stopped after " + std::to_string(limits.budget.count()) + " ms)";
    }
    return note;
}

std::string BuildValueReport(std::size_t rowCount, const std::vector<CardRecord>& cards,
                             const SetNameLookup& setName, std::string_view note,
                             const OfferAdditions* additions, bool markSamples)
{
    std::string report = Format("%d cards found!\n---\n", static_cast<int>(rowCount));
    const std::size_t shown = std::min({rowCount, kReportedCards, cards.size()});
    for (std::size_t i = 0; i < shown; ++i) {
        const CardRecord& card = cards[i];
        const std::string set = setName ? setName(card.expansion) : std::string();
        const char* mark = markSamples && card.sample_price ? "*" : "";
        report += Format("Card Name: %s\nregValue = %sTix%s\nFoilValue = %sTix%s\nSet = "
                         "%s\nRarity = %s",
                         card.name.c_str(), PriceText(card.reg_value).c_str(), mark,
                         PriceText(card.foil_value).c_str(), mark, set.c_str(),
                         RarityWord(card.rarity));
        if (additions && i < additions->underRows.size() && !additions->underRows[i].empty()) {
            report += "\n" + additions->underRows[i];
        }
        report += "\n-----------\n";
    }
    if (rowCount > kReportedCards) {
        report += "...";
    }
    if (additions && !additions->total.empty()) {
        report += report.back() == '\n' ? "" : "\n";
        report += additions->total + "\n";
    }
    report = ExpandLineBreaks(report);
    if (!note.empty()) {
        report += report.back() == '\n' ? "" : "\n";
        report += note;
    }
    return report;
}
