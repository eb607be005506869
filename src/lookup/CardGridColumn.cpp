#include "lookup/CardGridColumn.h"

#include "data/CardRecord.h"
#include "lookup/CardGridRules.h"
#include "lookup/CardPictureLink.h"

#include <array>
#include <bit>
#include <cmath>
#include <limits>

namespace {

// The bits of a double put in the order of its value: non-negative values keep theirs, the
// magnitude bits of negative ones are turned round. A value stored as NaN sorts below every
// number (and equal to another NaN), so a quicksort never runs past its range; minus zero is
// zero.
std::int64_t ValueKey(double value)
{
    if (std::isnan(value)) {
        return std::numeric_limits<std::int64_t>::min();
    }
    const auto bits = std::bit_cast<std::int64_t>(value == 0.0 ? 0.0 : value);
    return bits >= 0 ? bits : bits ^ std::numeric_limits<std::int64_t>::max();
}

std::string NameText(const CardRecord& card, const SetCodeOf&)
{
    return card.name;
}

std::string RegValueText(const CardRecord& card, const SetCodeOf&)
{
    return card_grid::ValueText(card.reg_value);
}

std::string FoilValueText(const CardRecord& card, const SetCodeOf&)
{
    return card_grid::ValueText(card.foil_value);
}

std::string LinkText(const CardRecord& card, const SetCodeOf& setCode)
{
    return CardLink(card.expansion, setCode ? setCode(card.expansion) : std::string(),
                    card.collection_no);
}

std::string DateText(const CardRecord& card, const SetCodeOf&)
{
    return card_grid::DateText(card.update_date);
}

std::int64_t RarityKey(const CardRecord& card)
{
    return card.rarity;
}

std::int64_t RegValueKey(const CardRecord& card)
{
    return ValueKey(card.reg_value);
}

std::int64_t FoilValueKey(const CardRecord& card)
{
    return ValueKey(card.foil_value);
}

std::int64_t DateKey(const CardRecord& card)
{
    return card.update_date.SecondsSinceZero();
}

const char* NameOrder(const CardRecord& card)
{
    return card.name.c_str();
}

// The text shows the day only.
std::int64_t DayKey(const CardRecord& card)
{
    const DateTime& date = card.update_date;
    return date.IsValid() ? date.Year() * 10000 + date.Month() * 100 + date.Day() : -1;
}

// Names compare byte-wise (case-sensitive), rarities by code, values and update dates by size.
constexpr std::array<CardGridColumnInfo, kCardGridColumnCount> kColumns = {{
    {CardGridColumn::Hot, "HOT", nullptr, nullptr, nullptr, nullptr},
    {CardGridColumn::Name, "Cards Name", NameText, nullptr, NameOrder, nullptr},
    {CardGridColumn::Rarity, "Rarity", nullptr, RarityKey, nullptr, nullptr},
    {CardGridColumn::RegValue, "Reg Value", RegValueText, RegValueKey, nullptr, RegValueKey},
    {CardGridColumn::FoilValue, "Foil Value", FoilValueText, FoilValueKey, nullptr, FoilValueKey},
    {CardGridColumn::ShowCards, "Show Cards", LinkText, nullptr, nullptr, nullptr},
    {CardGridColumn::UpdateDate, "Update Date", DateText, DateKey, nullptr, DayKey},
}};

constexpr bool InColumnOrder()
{
    for (int i = 0; i < kCardGridColumnCount; ++i) {
        if (ColumnIndex(kColumns[std::size_t(i)].column) != i) {
            return false;
        }
    }
    return true;
}
static_assert(InColumnOrder(), "the table lists the columns in their order on screen");

} // namespace

const CardGridColumnInfo* CardGridColumnOf(int column)
{
    return column >= 0 && column < kCardGridColumnCount ? &kColumns[std::size_t(column)]
                                                        : nullptr;
}
