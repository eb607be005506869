#include "lookup/view/CCardsGridCtrl.h"

#include "data/CardRecord.h"
#include "data/PriceText.h"
#include "data/SamplePriceMarks.h"
#include "grid/CGridCellBase.h"
#include "grid/CGridCellCheck.h"
#include "lookup/CardComparison.h"
#include "lookup/CardGridColumn.h"
#include "lookup/CardGridRules.h"
#include "lookup/CardPictureLink.h"
#include "lookup/view/CardSymbol.h"
#include "prices/PriceCorrection.h"
#include "toolkit/CTipPopup.h"
#include "toolkit/Resources.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>

namespace {

QString ToQString(const std::string& text)
{
    return QString::fromStdString(text);
}

} // namespace

CCardsGridCtrl::CCardsGridCtrl(QWidget* parent) : CGridCtrl(parent)
{
    setObjectName("cardsGrid");
}

CCardsGridCtrl::~CCardsGridCtrl() = default;

void CCardsGridCtrl::SetUpColumns()
{
    SetColumns(kCardGridColumnCount);
    SetRows(1);
    SetFixedRows(1);
    SetProvidedRows(true);
    SetListMode(true);
    SetSortOnClick(true);
    SetImageList(Resources::cardImages());
    m_symbolImages.clear();
    m_symbolsById.clear();
    for (int column = 0; column < kCardGridColumnCount; ++column) {
        SetCellText(0, column, CardGridColumnOf(column)->header);
    }
    // A value typed later, or a dear card, fits without fitting again.
    const QString widest = ToQString(PriceText(kWidestShownValue));
    SetColumnLeastText(ColumnIndex(CardGridColumn::RegValue), widest);
    SetColumnLeastText(ColumnIndex(CardGridColumn::FoilValue), widest);
}

const CardRecord* CCardsGridCtrl::CardOfRow(int row) const
{
    return IsDataRow(row) ? RowCard(row) : nullptr;
}

int CCardsGridCtrl::DataRowCount() const
{
    return GetRowCount() - GetFixedRowCount();
}

void CCardsGridCtrl::ClearShownCards()
{
    // The grid lets go of its rows (and an open editor) before their cells go.
    DeleteNonFixedRows();
    m_cells.clear();
    std::vector<std::uint32_t>().swap(m_rows);
    std::vector<MatchRank>().swap(m_ranks);
    m_marks.clear();
    // A set's code may have become known since: each lookup asks for it again.
    m_symbolsById.clear();
    m_shown.Clear();
    m_lastCell = {};
}

bool CCardsGridCtrl::AddShownCard(const CardRecord& card, bool fromClipboard)
{
    if (!m_shown.Add(card, fromClipboard)) {
        return false;
    }
    m_rows.push_back(static_cast<std::uint32_t>(m_shown.Size() - 1));
    AppendProvidedRows(1, card_grid::kRowHeight);
    // A set without sample symbols gets its drawn symbol as soon as one of its cards is listed.
    if (!HasSamplePicture(card.expansion, card.rarity)) {
        RarityImageFor(card);
    }
    return true;
}

void CCardsGridCtrl::AddNotFoundRow()
{
    m_rows.push_back(kNoCard);
    AppendProvidedRows(1, card_grid::kRowHeight);
}

void CCardsGridCtrl::SortByValueAndFit()
{
    SortByColumn(ColumnIndex(CardGridColumn::RegValue), false);
    FitAllColumns();
}

void CCardsGridCtrl::KeepOwnCopies()
{
    // Rows name table places, not records, so they stay right as the records move.
    m_shown.KeepOwnCopies();
}

void CCardsGridCtrl::RefreshValues(
    const std::function<const CardRecord*(std::int32_t)>& current)
{
    // Built cells hold the old texts: what the user did to them is kept in the card's marks
    // first (compared with the old values), then they go; an open editor's cell stays.
    for (auto it = m_cells.begin(); it != m_cells.end();) {
        if (it->second.cell->IsEditing()) {
            ++it;
            continue;
        }
        KeepMarks(Listed(CellKeyCardId(it->first)), CellKeyColumn(it->first), *it->second.cell);
        it = m_cells.erase(it);
    }
    for (const std::int32_t id : m_shown.IdsInAddOrder()) {
        const CardRecord* now = current(id);
        const CardRecord* listed = m_shown.Find(id);
        if (now == nullptr || listed == nullptr) {
            continue;
        }
        CardRecord card = *listed;
        card.reg_value = now->reg_value;
        card.foil_value = now->foil_value;
        card.update_date = now->update_date;
        m_shown.Replace(card);
    }
    Refresh();
}

std::vector<MarkedPriceRow> CCardsGridCtrl::MarkedRows() const
{
    std::vector<MarkedPriceRow> rows;
    for (const std::uint32_t place : m_rows) {
        const CardRecord* card = place == kNoCard ? nullptr : &m_shown.At(place);
        if (!IsTicked(card, ColumnIndex(CardGridColumn::Name))) {
            continue;
        }
        MarkedPriceRow marked;
        marked.cardId = card->id;
        marked.regText = ValueTextOf(card, ColumnIndex(CardGridColumn::RegValue)).toStdString();
        marked.foilText = ValueTextOf(card, ColumnIndex(CardGridColumn::FoilValue)).toStdString();
        // A cell still showing its card's value text was not edited; its value is kept exactly.
        marked.regEdited = marked.regText != card_grid::ValueText(card->reg_value);
        marked.foilEdited = marked.foilText != card_grid::ValueText(card->foil_value);
        rows.push_back(std::move(marked));
    }
    return rows;
}

bool CCardsGridCtrl::ToggleHotAt(int row, int column)
{
    if (column != ColumnIndex(CardGridColumn::Hot) || !IsDataRow(row)) {
        return false;
    }
    const CardRecord* listed = RowCard(row);
    if (listed == nullptr) {
        return false;
    }
    CardRecord card = *listed;
    card.hot = card_grid::ToggledHot(card.hot);
    m_shown.Replace(card); // at the same place: the row keeps naming the card
    if (const auto found = m_cells.find(CellKey(&card, ColumnIndex(CardGridColumn::Hot)));
        found != m_cells.end()) {
        found->second.cell->SetImage(card_grid::HotImageIndex(card.hot));
    }
    Refresh();
    return true;
}

QString CCardsGridCtrl::RarityTipTextAt(int row, int column) const
{
    if (column != ColumnIndex(CardGridColumn::Rarity) || !IsDataRow(row)) {
        return {};
    }
    const CardRecord* card = RowCard(row);
    if (card == nullptr) {
        return {};
    }
    const std::string setName = m_setName ? m_setName(card->expansion) : std::string();
    return ToQString(card_grid::RarityTipText(setName, card->rarity));
}

QString CCardsGridCtrl::AccessibleText(int row, int column) const
{
    const CardRecord* card = CardOfRow(row);
    if (card != nullptr && column == ColumnIndex(CardGridColumn::Hot)) {
        return card->hot != 0 ? QStringLiteral("HOT") : QString();
    }
    if (card != nullptr && column == ColumnIndex(CardGridColumn::Rarity)) {
        return RarityTipTextAt(row, column).replace(QLatin1Char('\n'), QLatin1Char(' '));
    }
    return CGridCtrl::AccessibleText(row, column);
}

QString CCardsGridCtrl::SampleTipTextAt(int row, int column) const
{
    const bool value = column == ColumnIndex(CardGridColumn::RegValue) ||
                       column == ColumnIndex(CardGridColumn::FoilValue);
    if (!value || !IsDataRow(row)) {
        return {};
    }
    const CardRecord* card = RowCard(row);
    return card != nullptr && card->sample_price ? QString::fromLatin1(sample_price_marks::kTip)
                                                 : QString();
}

void CCardsGridCtrl::ShowCellTip(int row, int column, const QPoint& globalPos)
{
    QString text = RarityTipTextAt(row, column);
    if (text.isEmpty()) {
        text = SampleTipTextAt(row, column);
    }
    if (text.isEmpty() || m_popup == nullptr) {
        return;
    }
    // A value report on screen gives way to the tip.
    if (m_popup->isOpen()) {
        m_popup->closePopup();
    }
    m_popup->showTip(QString(), text, globalPos + QPoint(kRarityTipDx, kRarityTipDy),
                     kRarityTipMilliseconds);
}

void CCardsGridCtrl::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    const GridCellCoord cell = CellFromPoint(point);
    if (cell.row >= 0 && cell.column >= 0 &&
        (cell.row != m_lastCell.row || cell.column != m_lastCell.column)) {
        m_lastCell = cell;
        ShowCellTip(cell.row, cell.column, event->globalPosition().toPoint());
    }
    CGridCtrl::mouseMoveEvent(event);
}

void CCardsGridCtrl::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        const GridCellCoord cell = CellFromPoint(event->position().toPoint());
        ToggleHotAt(cell.row, cell.column);
    }
    CGridCtrl::mouseReleaseEvent(event);
}

int CCardsGridCtrl::RarityImageFor(const CardRecord& card)
{
    if (HasSamplePicture(card.expansion, card.rarity)) {
        return card_grid::RarityImageIndex(card.expansion, card.rarity);
    }
    // Listing a whole catalogue asks for every card: the set id and rarity class find a
    // symbol made before without building its text key.
    const std::int64_t ids = (std::int64_t(card.expansion) << 8) |
                             std::int64_t(card_symbol::RarityClass(card.rarity) & 0xFF);
    if (const auto made = m_symbolsById.find(ids); made != m_symbolsById.end()) {
        return made->second;
    }
    std::string code = m_setCode ? m_setCode(card.expansion) : std::string();
    if (code.empty()) {
        code = std::to_string(card.expansion);
    }
    const std::string key = code + '/' + std::to_string(card_symbol::RarityClass(card.rarity));
    const auto known = m_symbolImages.find(key);
    if (known != m_symbolImages.end()) {
        m_symbolsById.emplace(ids, known->second);
        return known->second;
    }
    QList<QPixmap> images = GetImageList();
    images.append(card_symbol::Symbol(code, card.rarity));
    SetImageList(images);
    const int index = int(images.size()) - 1;
    m_symbolImages.emplace(key, index);
    m_symbolsById.emplace(ids, index);
    return index;
}

QMenu* CCardsGridCtrl::CreateCardMenu(int row, QWidget* parent)
{
    const CardRecord* card = CardOfRow(row);
    if (card == nullptr) {
        return nullptr;
    }
    auto* menu = new QMenu(parent);
    menu->setObjectName("cardMenu");
    QAction* history = menu->addAction(QStringLiteral("Price history..."));
    history->setObjectName("priceHistoryAction");
    const std::int32_t cardId = card->id;
    connect(history, &QAction::triggered, this,
            [this, cardId] { emit priceHistoryRequested(cardId); });
    return menu;
}

void CCardsGridCtrl::contextMenuEvent(QContextMenuEvent* event)
{
    const GridCellCoord cell = CellFromPoint(event->pos());
    QMenu* menu = CreateCardMenu(cell.row, this);
    if (menu == nullptr) {
        CGridCtrl::contextMenuEvent(event);
        return;
    }
    event->accept();
    menu->exec(event->globalPos());
    delete menu;
}

void CCardsGridCtrl::mouseDoubleClickEvent(QMouseEvent* event)
{
    std::int32_t cardId = -1;
    if (event->button() == Qt::LeftButton) {
        const QPoint point = event->position().toPoint();
        const GridCellCoord cell = CellFromPoint(point);
        const auto* box = dynamic_cast<const CGridCellCheck*>(CellAt(cell.row, cell.column));
        const CardRecord* card =
            cell.column == ColumnIndex(CardGridColumn::Name) ? CardOfRow(cell.row) : nullptr;
        // A double click on the tick box ticks it twice; only the name itself opens the chart.
        const QRect rect = CellRect(cell.row, cell.column);
        const bool onBox = box != nullptr && box->GetCheckPlacement(rect).contains(point);
        if (card != nullptr && !onBox) {
            cardId = card->id;
        }
    }
    CGridCtrl::mouseDoubleClickEvent(event);
    if (cardId >= 0) {
        emit priceHistoryRequested(cardId);
    }
}
