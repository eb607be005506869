// The provided rows of the catalogue grid: the cells built on demand, the marks they leave per
// card, sorting the listed cards and fitting the columns without building every cell.
#include "lookup/view/CCardsGridCtrl.h"

#include "data/CardRecord.h"
#include "data/SamplePriceMarks.h"
#include "grid/CGridCellCheck.h"
#include "grid/CGridDefaultCell.h"
#include "grid/CGridURLCell.h"
#include "lookup/CardComparison.h"
#include "lookup/CardGridColumn.h"
#include "lookup/CardGridRules.h"
#include "lookup/CardItemTag.h"
#include "lookup/CardPictureLink.h"
#include "lookup/ValueReport.h"

#include <QFont>

#include <algorithm>
#include <unordered_set>

namespace {

// The index of a column among the three tick boxes (name, regular, foil), or -1.
int TickIndex(int column)
{
    return column == ColumnIndex(CardGridColumn::Name)        ? 0
           : column == ColumnIndex(CardGridColumn::RegValue)  ? 1
           : column == ColumnIndex(CardGridColumn::FoilValue) ? 2
                                                              : -1;
}

// The index of a value column among the two editable ones, or -1.
int ValueIndex(int column)
{
    return column == ColumnIndex(CardGridColumn::RegValue)    ? 0
           : column == ColumnIndex(CardGridColumn::FoilValue) ? 1
                                                              : -1;
}

} // namespace

bool CCardsGridCtrl::IsDataRow(int row) const
{
    const int index = row - GetFixedRowCount();
    return index >= 0 && std::size_t(index) < m_rows.size() && row < GetRowCount();
}

const CardRecord* CCardsGridCtrl::RowCard(int row) const
{
    const std::uint32_t place = m_rows[std::size_t(row - GetFixedRowCount())];
    return place == kNoCard ? nullptr : &m_shown.At(place);
}

std::uint64_t CCardsGridCtrl::CellKey(const CardRecord* card, int column)
{
    // The "card not found!" row takes an id no card has (ids are below 16777216).
    const std::uint32_t id = card != nullptr ? std::uint32_t(card->id) : 0xFFFFFFFFu;
    return (std::uint64_t(id) << 32) | std::uint32_t(column);
}

QString CCardsGridCtrl::CardText(const CardRecord* card, int column) const
{
    if (card == nullptr) {
        return column == ColumnIndex(CardGridColumn::Name) ? QString::fromLatin1(kCardNotFound)
                                                           : QString();
    }
    // The Show Cards link is the cell's alone; the listed record keeps the catalogue's empty
    // link.
    const CardGridColumnInfo* info = CardGridColumnOf(column);
    return info != nullptr && info->text != nullptr
               ? QString::fromStdString(info->text(*card, m_setCode))
               : QString();
}

int CCardsGridCtrl::CardImage(const CardRecord& card, int column) const
{
    if (column == ColumnIndex(CardGridColumn::Hot)) {
        return card_grid::HotImageIndex(card.hot);
    }
    if (column == ColumnIndex(CardGridColumn::Rarity)) {
        // A set without a sample symbol adds its drawn one to the image list once.
        return const_cast<CCardsGridCtrl*>(this)->RarityImageFor(card);
    }
    return -1;
}

std::unique_ptr<CGridCellBase> CCardsGridCtrl::MakeCardCell(const CardRecord* card,
                                                            int column) const
{
    std::unique_ptr<CGridCellBase> cell;
    if (card != nullptr && TickIndex(column) >= 0) {
        cell = std::make_unique<CGridCellCheck>();
    } else if (card != nullptr && column == ColumnIndex(CardGridColumn::ShowCards)) {
        cell = std::make_unique<CGridURLCell>();
    } else {
        cell = std::make_unique<CGridCell>();
    }
    cell->SetOwner(const_cast<CCardsGridCtrl*>(this));
    cell->SetText(CardText(card, column));
    const bool editable = card != nullptr && ValueIndex(column) >= 0;
    cell->SetState(editable ? 0u : grid_state::kReadOnly);
    if (card == nullptr) {
        return cell; // the "card not found!" row names no card: tag 0, no image
    }
    if (const int image = CardImage(*card, column); image >= 0) {
        cell->SetImage(image);
    }
    if (card->sample_price && ValueIndex(column) >= 0) {
        // Made-up values must not pass for market prices.
        QFont italic = cell->GetFontObject();
        italic.setItalic(true);
        cell->SetFont(&italic);
    }
    cell->SetData(static_cast<std::int32_t>(card_item_tag::Make(column, card->id)));
    cell->SetBackColour(TintOf(card));
    if (const auto marks = m_marks.find(card->id); marks != m_marks.end()) {
        if (TickIndex(column) >= 0) {
            static_cast<CGridCellCheck*>(cell.get())
                ->SetCheck(marks->second.ticked[std::size_t(TickIndex(column))]);
        }
        if (ValueIndex(column) >= 0) {
            if (const auto& typed = marks->second.typed[std::size_t(ValueIndex(column))]) {
                cell->SetText(*typed);
            }
        }
    }
    return cell;
}

CGridCellBase* CCardsGridCtrl::ProvidedCell(int row, int column) const
{
    if (!IsDataRow(row) || column < 0 || column >= kCardGridColumnCount) {
        return nullptr;
    }
    const CardRecord* card = RowCard(row);
    const std::uint64_t key = CellKey(card, column);
    auto found = m_cells.find(key);
    if (found == m_cells.end()) {
        if (m_cells.size() >= kCellLimit) {
            EvictCells();
        }
        found = m_cells.emplace(key, CachedCell{MakeCardCell(card, column), 0}).first;
    }
    found->second.lastUse = ++m_useClock;
    CGridCellBase* cell = found->second.cell.get();
    // Rows move when sorted: place, selection and focus are the grid's and are set afresh.
    cell->SetCoords(row, column);
    constexpr unsigned derived = grid_state::kSelected | grid_state::kFocused |
                                 grid_state::kFixed | grid_state::kFixedRow |
                                 grid_state::kFixedColumn;
    cell->SetState((cell->GetState() & ~derived) |
                   (IsCellSelected(row, column) ? grid_state::kSelected : 0u) |
                   (GetFocusCell() == GridCellCoord{row, column} ? grid_state::kFocused : 0u));
    return cell;
}

void CCardsGridCtrl::KeepMarks(const CardRecord* card, int column,
                               const CGridCellBase& cell) const
{
    if (card == nullptr) {
        return;
    }
    const int tick = TickIndex(column);
    const int value = ValueIndex(column);
    if (tick < 0 && value < 0) {
        return;
    }
    const auto* box = dynamic_cast<const CGridCellCheck*>(&cell);
    const bool ticked = box != nullptr && box->GetCheck();
    std::optional<QString> typed;
    if (value >= 0 && cell.GetText() != CardText(card, column)) {
        typed = cell.GetText();
    }
    auto marks = m_marks.find(card->id);
    if (marks == m_marks.end()) {
        if (!ticked && !typed) {
            return;
        }
        marks = m_marks.emplace(card->id, CardMarks{}).first;
    }
    if (tick >= 0) {
        marks->second.ticked[std::size_t(tick)] = ticked;
    }
    if (value >= 0) {
        marks->second.typed[std::size_t(value)] = std::move(typed);
    }
}

void CCardsGridCtrl::EvictCells() const
{
    // The least recently used half goes; a cell with an open editor stays.
    std::vector<std::uint64_t> uses;
    uses.reserve(m_cells.size());
    for (const auto& [key, cached] : m_cells) {
        uses.push_back(cached.lastUse);
    }
    const auto middle = uses.begin() + std::ptrdiff_t(uses.size() / 2);
    std::nth_element(uses.begin(), middle, uses.end());
    const std::uint64_t oldest = *middle;
    for (auto it = m_cells.begin(); it != m_cells.end();) {
        if (it->second.lastUse < oldest && !it->second.cell->IsEditing()) {
            KeepMarks(Listed(CellKeyCardId(it->first)), CellKeyColumn(it->first), *it->second.cell);
            it = m_cells.erase(it);
        } else {
            ++it;
        }
    }
}

const CGridCellBase* CCardsGridCtrl::CachedCellOf(const CardRecord* card, int column) const
{
    const auto found = m_cells.find(CellKey(card, column));
    return found == m_cells.end() ? nullptr : found->second.cell.get();
}

bool CCardsGridCtrl::IsTicked(const CardRecord* card, int column) const
{
    if (card == nullptr || TickIndex(column) < 0) {
        return false;
    }
    if (const CGridCellBase* cell = CachedCellOf(card, column)) {
        const auto* box = dynamic_cast<const CGridCellCheck*>(cell);
        return box != nullptr && box->GetCheck();
    }
    const auto marks = m_marks.find(card->id);
    return marks != m_marks.end() && marks->second.ticked[std::size_t(TickIndex(column))];
}

QString CCardsGridCtrl::ValueTextOf(const CardRecord* card, int column) const
{
    if (const CGridCellBase* cell = CachedCellOf(card, column)) {
        return cell->GetText();
    }
    if (card != nullptr && ValueIndex(column) >= 0) {
        const auto marks = m_marks.find(card->id);
        if (marks != m_marks.end()) {
            if (const auto& typed = marks->second.typed[std::size_t(ValueIndex(column))]) {
                return *typed;
            }
        }
    }
    return CardText(card, column);
}

QString CCardsGridCtrl::ProvidedText(int row, int column) const
{
    if (!IsDataRow(row) || column < 0 || column >= kCardGridColumnCount) {
        return {};
    }
    return ValueTextOf(RowCard(row), column);
}

int CCardsGridCtrl::ProvidedColumnWidth(int column) const
{
    // The widest text is found by summing character advances; one cell built for it measures
    // the whole extent (margins, tick box). Images are measured once per image.
    const CGridDefaultCell* defaults = GetDefaultCell(false, false);
    int widest = 0;
    auto measure = [&](const CardRecord* card, const std::optional<QString>& text) {
        std::unique_ptr<CGridCellBase> cell = MakeCardCell(card, column);
        if (text) {
            cell->SetText(*text);
        }
        widest = std::max(widest, cell->GetCellExtent().width());
    };
    if (std::find(m_rows.begin(), m_rows.end(), kNoCard) != m_rows.end()) {
        measure(nullptr, std::nullopt);
    }
    const CardRecord* sample = nullptr;
    std::string sampleText;
    int sampleWidth = -1;
    auto consider = [&](const CardRecord* card, std::string text) {
        const int width = defaults->TextWidthUtf8(text);
        if (width > sampleWidth) {
            sampleWidth = width;
            sample = card;
            sampleText = std::move(text);
        }
    };
    const CardGridColumnInfo* info = CardGridColumnOf(column);
    // Cards of one image, or of one text key, measure alike. Every listed card has one row;
    // reading them in the order listed (the catalogue's) rather than shown keeps the records'
    // memory in step.
    std::unordered_set<int> images;
    std::unordered_set<std::int64_t> keys;
    for (std::size_t place = 0; place < m_shown.Size(); ++place) {
        const CardRecord* card = &m_shown.At(place);
        if (const int image = CardImage(*card, column); image >= 0 && images.insert(image).second) {
            measure(card, std::nullopt);
        }
        if (info == nullptr || info->text == nullptr ||
            (info->sameText != nullptr && !keys.insert(info->sameText(*card)).second)) {
            continue;
        }
        consider(card, info->text(*card, m_setCode));
    }
    if (sample != nullptr) {
        measure(sample, QString::fromStdString(sampleText));
    }
    // Typed values are measured as they read now.
    if (ValueIndex(column) >= 0) {
        for (const auto& [id, marks] : m_marks) {
            const auto& typed = marks.typed[std::size_t(ValueIndex(column))];
            if (const CardRecord* card = Listed(id); card != nullptr && typed) {
                measure(card, typed);
            }
        }
        for (const auto& [key, cached] : m_cells) {
            if (CellKeyColumn(key) == column) {
                widest = std::max(widest, cached.cell->GetCellExtent().width());
            }
        }
    }
    return widest;
}
