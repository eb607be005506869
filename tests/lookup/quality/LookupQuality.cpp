#include "LookupQuality.h"

#include "data/SampleCatalogue.h"
#include "lookup/BestMatchOrder.h"
#include "lookup/CardLookup.h"
#include "lookup/MatchScorer.h"
#include "lookup/OfferReader.h"
#include "lookup/ShownCardsTable.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>

namespace {

constexpr std::size_t kPopupCards = 3;

std::string Trim(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(" \r");
    const std::size_t last = text.find_last_not_of(" \r");
    return first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
}

// The pieces of a field separated by " | ", trimmed.
std::vector<std::string> Pieces(std::string field)
{
    std::vector<std::string> pieces;
    while (!Trim(field).empty()) {
        const std::size_t bar = field.find(" | ");
        pieces.push_back(Trim(field.substr(0, bar)));
        field = bar == std::string::npos ? std::string() : field.substr(bar + 3);
    }
    return pieces;
}

std::vector<std::string> Fields(const std::string& row)
{
    std::vector<std::string> fields;
    std::stringstream in(row);
    for (std::string field; std::getline(in, field, '\t');) {
        fields.push_back(field);
    }
    return fields;
}

std::int32_t RarityCode(const std::string& word)
{
    return word == "Common" || word == "Basic Land" ? 10
           : word == "Uncommon"                     ? 20
           : word == "Mythic Rare"                  ? 40
                                                    : 30;
}

std::unordered_set<std::string> NamesOf(const std::vector<CardRecord>& cards)
{
    std::unordered_set<std::string> names;
    for (const CardRecord& card : cards) {
        names.insert(card.name);
    }
    return names;
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
        const std::vector<std::string> fields = Fields(row);
        CorpusLine line{
            fields[0], fields.size() > 1 ? Pieces(fields[1]) : std::vector<std::string>{}, {}};
        for (const std::string& price :
             fields.size() > 2 ? Pieces(fields[2]) : std::vector<std::string>{}) {
            const std::size_t equals = price.rfind('=');
            char* end = nullptr;
            const double value =
                equals == std::string::npos ? 0.0 : std::strtod(price.c_str() + equals + 1, &end);
            const std::string name = Trim(price.substr(0, equals));
            if (equals == std::string::npos || *end != '\0' ||
                std::find(line.names.begin(), line.names.end(), name) == line.names.end()) {
                error = path + ":" + std::to_string(number) +
                        ": a price is not \"Name=value\" of a " + "name of the line: " + price;
                return false;
            }
            line.prices.emplace_back(name, value);
        }
        lines.push_back(std::move(line));
    }
    return true;
}

QualityFigures MeasureQuality(const std::vector<CorpusLine>& corpus,
                              const QualityCatalogue& catalogue, const FilterList& filters,
                              bool bestMatch)
{
    QualityFigures figures;
    CardLookup lookup(catalogue.cards);
    lookup.SetFilters(filters);
    lookup.Options().bestMatch = bestMatch;
    for (const CorpusLine& corpusLine : corpus) {
        CorpusLine line{corpusLine.text, {}, {}};
        for (const std::string& name : corpusLine.names) {
            if (catalogue.names.count(name) != 0) {
                line.names.push_back(name);
            }
        }
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
            figures.misses.push_back(
                line.text + "  ->  " + std::to_string(count) + " cards: " + shownNames +
                                     (stats.stoppedAtLimit ? "  (lookup stopped at its limit)" : ""));
        }
    }
    return figures;
}

PriceFigures MeasurePrices(const std::vector<CorpusLine>& corpus, const FilterList& filters)
{
    PriceFigures figures;
    for (const CorpusLine& line : corpus) {
        if (line.names.empty()) {
            continue;
        }
        const Offer offer = ReadOffer(line.text, line.names, filters);
        bool right = true;
        bool any = false;
        std::string read;
        for (const Offer::Item& item : offer.items) {
            const auto label =
                std::find_if(line.prices.begin(), line.prices.end(),
                             [&item](const auto& p) { return p.first == item.name; });
            const bool labelled = label != line.prices.end();
            any = any || item.asked.has_value();
            right = right && labelled == item.asked.has_value() &&
                    (!labelled || std::abs(*item.asked - label->second) < 0.005);
            if (item.asked) {
                read += (read.empty() ? "" : " | ") + item.name + "=" + std::to_string(*item.asked);
            }
        }
        if (!line.prices.empty()) {
            ++figures.statingLines;
            figures.readRight += right ? 1 : 0;
        } else {
            ++figures.silentLines;
            figures.invented += any ? 1 : 0;
        }
        if (!right) {
            figures.misses.push_back(line.text + "  ->  " + (read.empty() ? "no price" : read));
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

std::vector<CardRecord> RealCards(const std::string& tsvPath)
{
    std::ifstream in(tsvPath);
    std::vector<CardRecord> cards;
    std::map<std::string, std::int32_t> sets;
    std::string row;
    std::getline(in, row); // the header
    while (std::getline(in, row)) {
        const std::vector<std::string> fields = Fields(row);
        if (fields.size() < 3) {
            continue;
        }
        const auto [set, added] =
            sets.try_emplace(fields[1], static_cast<std::int32_t>(100 + sets.size()));
        CardRecord card;
        card.id = static_cast<std::int32_t>(cards.size() + 1);
        card.name = fields[0];
        card.expansion = set->second;
        card.rarity = RarityCode(fields[2]);
        cards.push_back(std::move(card));
    }
    sample_catalogue::ApplyIllustrativePrices(cards, DateTime(2026, 12, 1));
    return cards;
}

std::vector<CardRecord> PaddedCatalogue(const std::vector<CardRecord>& real, std::size_t total)
{
    std::vector<CardRecord> cards = real;
    constexpr std::size_t kSetSize = 250;
    std::uint64_t state = 42;
    for (std::size_t i = 0; !real.empty() && cards.size() < total; ++i) {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        CardRecord card = real[(state >> 33) % real.size()];
        card.id = static_cast<std::int32_t>(cards.size() + 1);
        card.expansion = static_cast<std::int32_t>(10000 + i / kSetSize);
        card.collection_no = static_cast<std::int32_t>(i % kSetSize + 1);
        cards.push_back(std::move(card));
    }
    sample_catalogue::ApplyIllustrativePrices(cards, DateTime(2026, 12, 1));
    return cards;
}

std::vector<QualityCatalogue> QualityCatalogues(const std::string& sourceDir)
{
    constexpr std::size_t kLarge = 100000;
    std::vector<QualityCatalogue> catalogues;
    std::vector<CardRecord> sample = SampleCards(sourceDir + "/data/sets-2003.tsv");
    std::vector<CardRecord> real =
        RealCards(sourceDir + "/tests/lookup/data/real-printings-2017.tsv");
    if (sample.empty() || real.empty()) {
        return catalogues;
    }
    const std::unordered_set<std::string> sampleNames = NamesOf(sample);
    const std::unordered_set<std::string> realNames = NamesOf(real);
    catalogues.push_back({"2,117 sample cards", sample, sampleNames});
    std::vector<CardRecord> large = LargeCatalogue(sample, kLarge);
    std::unordered_set<std::string> largeNames = NamesOf(large);
    catalogues.push_back(
        {"sample among 100,000 synthetic", std::move(large), std::move(largeNames)});
    catalogues.push_back({"32,312 real printings", real, realNames});
    catalogues.push_back({"real padded to 100,000", PaddedCatalogue(real, kLarge), realNames});
    return catalogues;
}
