#include "LookupQuality.h"

#include "data/SampleCatalogue.h"
#include "lookup/BestMatchOrder.h"
#include "lookup/CardLookup.h"
#include "lookup/MatchScorer.h"
#include "lookup/ShownCardsTable.h"

#include <algorithm>
#include <fstream>

namespace {

constexpr std::size_t kPopupCards = 3;

std::string Trim(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(" \r");
    const std::size_t last = text.find_last_not_of(" \r");
    return first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
}

}  // namespace

bool ReadCorpus(const std::string& path, std::vector<CorpusLine>& lines, std::string& error)
{
    std::ifstream in(path);
    if (!in) {
        error = "cannot read " + path;
        return false;
    }
    std::string row;
    for (int number = 1; std::getline(in, row); ++number) {
        if (row.empty() || row[0] == '#') {
            continue;
        }
        const std::size_t tab = row.find('\t');
        if (tab == std::string::npos) {
            error = path + ":" + std::to_string(number) + ": no tab after the text";
            return false;
        }
        CorpusLine line{row.substr(0, tab), {}};
        std::string names = row.substr(tab + 1);
        while (!Trim(names).empty()) {
            const std::size_t bar = names.find(" | ");
            line.names.push_back(Trim(names.substr(0, bar)));
            names = bar == std::string::npos ? std::string() : names.substr(bar + 3);
        }
        lines.push_back(std::move(line));
    }
    return true;
}

QualityFigures MeasureQuality(const std::vector<CorpusLine>& corpus,
                              const std::vector<CardRecord>& cards, const FilterList& filters,
                              bool bestMatch)
{
    QualityFigures figures;
    CardLookup lookup(cards);
    lookup.SetFilters(filters);
    lookup.Options().bestMatch = bestMatch;
    for (const CorpusLine& line : corpus) {
        ShownCardsTable shown;
        const LookupStats stats = lookup.LookUp(line.text, true, shown);
        std::vector<CardRecord> popup = shown.CardsInGridOrder();
        if (bestMatch) {
            const MatchScorer scorer(line.text, filters, lookup.Options(), true, lookup.Limits());
            popup = ReportedCards(OrderByMatch(popup, scorer));
        }
        const std::size_t count = popup.size();
        popup.resize(std::min(popup.size(), kPopupCards));
        const auto inPopup = [&popup](const std::string& name) {
            return std::any_of(popup.begin(), popup.end(),
                               [&name](const CardRecord& card) { return card.name == name; });
        };
        bool missed = false;
        if (line.names.empty()) {
            ++figures.plainLines;
            figures.plainCardsShown += count;
            figures.plainNothing += count == 0 ? 1 : 0;
            missed = count != 0;
        } else {
            ++figures.namedLines;
            const bool one = std::any_of(line.names.begin(), line.names.end(), inPopup);
            figures.namedInTopThree += one ? 1 : 0;
            missed = !one;
            if (line.names.size() <= kPopupCards) {
                ++figures.fewNamedLines;
                const bool all = std::all_of(line.names.begin(), line.names.end(), inPopup);
                figures.fewNamedAllShown += all ? 1 : 0;
                missed = missed || !all;
            }
        }
        if (missed) {
            std::string shownNames;
            for (const CardRecord& card : popup) {
                shownNames += (shownNames.empty() ? "" : " | ") + card.name;
            }
            figures.misses.push_back(line.text + "  ->  " + std::to_string(count) +
                                     " cards: " + shownNames +
                                     (stats.stoppedAtLimit ? "  (lookup stopped at its limit)" : ""));
        }
    }
    return figures;
}

std::vector<CardRecord> SampleCards(const std::string& tsvPath)
{
    std::vector<CardSet> sets;
    std::vector<CardRecord> cards;
    if (!sample_catalogue::ReadSetsTsv(tsvPath, sets, cards)) {
        return {};
    }
    sample_catalogue::ApplyIllustrativePrices(cards, DateTime(2026, 12, 1));
    return cards;
}

std::vector<CardRecord> LargeCatalogue(const std::vector<CardRecord>& sample, std::size_t total)
{
    std::vector<CardRecord> cards =
        sample_catalogue::MakeSyntheticCards(total > sample.size() ? total - sample.size() : 0, 42);
    const auto offset = static_cast<std::int32_t>(cards.size());
    for (CardRecord card : sample) {
        card.id += offset;
        cards.push_back(std::move(card));
    }
    return cards;
}
