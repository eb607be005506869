#include "lookup/view/CCardsGridCtrl.h"

#include "data/CardRecord.h"
#include "grid/CGridCellBase.h"
#include "grid/CGridCellCheck.h"
#include "grid/CGridURLCell.h"
#include "lookup/CardComparison.h"
#include "lookup/CardGridColumn.h"
#include "lookup/CardGridRules.h"
#include "lookup/CardItemTag.h"
#include "lookup/CardPictureLink.h"
#include "lookup/PriceCorrection.h"
#include "lookup/view/CardSymbol.h"
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
    SetListMode(true);
    SetSortOnClick(true);
    SetCompareCallback([this](const CGridCellBase* a, const CGridCellBase* b, std::intptr_t) {
        return CompareCells(a, b);
    });
    SetImageList(Resources::cardImages());
    m_symbolImages.clear();
    for (int column = 0; column < kCardGridColumnCount; ++column) {
        SetCellText(0, column, kCardGridHeaders[column]);
    }
}

const CardRecord* CCardsGridCtrl::CardOfRow(int row) const
{
    if (row < GetFixedRowCount() || row >= GetRowCount()) {
        return nullptr;
    }
    const auto tag = static_cast<std::uint32_t>(GetCellData(row, kNameColumn));
    if (card_item_tag::Column(tag) != kNameColumn) {
        return nullptr;
    }
    return Listed(card_item_tag::CardId(tag));
}

int CCardsGridCtrl::DataRowCount() const
{
    return GetRowCount() - GetFixedRowCount();
}

const CardRecord* CCardsGridCtrl::Listed(std::int32_t cardId) const
{
    if (m_index.size() != m_shown.Size()) {
        // The table was changed past AddShownCard; never trust a stale pointer.
        m_index.clear();
        for (const std::int32_t id : m_shown.IdsInAddOrder()) {
            m_index[id] = m_shown.Find(id);
        }
    }
    const auto found = m_index.find(cardId);
    return found == m_index.end() ? nullptr : found->second;
}

void CCardsGridCtrl::ClearShownCards()
{
    m_shown.Clear();
    m_index.clear();
    DeleteNonFixedRows();
    m_lastCell = {};
}

bool CCardsGridCtrl::AddShownCard(const CardRecord& card, bool fromClipboard)
{
    if (!m_shown.Add(card, fromClipboard)) {
        return false;
    }
    m_index[card.id] = m_shown.Find(card.id);
    const int row = InsertRowAt(QString());
    if (row < 0) {
        return false;
    }
    SetCellKind(row, kNameColumn, "CGridCellCheck");
    SetCellKind(row, kRegValueColumn, "CGridCellCheck");
    SetCellKind(row, kFoilValueColumn, "CGridCellCheck");
    SetCellKind(row, kShowCardsColumn, "CGridURLCell");

    SetCellImage(row, kHotColumn, card_grid::HotImageIndex(card.hot));
    SetCellText(row, kNameColumn, ToQString(card.name));
    SetCellImage(row, kRarityColumn, RarityImageFor(card));
    SetCellText(row, kRegValueColumn, ToQString(card_grid::ValueText(card.reg_value)));
    SetCellText(row, kFoilValueColumn, ToQString(card_grid::ValueText(card.foil_value)));
    // The link is the cell's alone; the listed record keeps the catalogue's empty link.
    const std::string setCode = m_setCode ? m_setCode(card.expansion) : std::string();
    SetCellText(row, kShowCardsColumn,
                ToQString(CardLink(card.expansion, setCode, card.collection_no, card.rarity)));
    SetCellText(row, kUpdateDateColumn, ToQString(card_grid::DateText(card.update_date)));

    SetRowHeightAt(row, card_grid::kRowHeight);
    for (int column = 0; column < kCardGridColumnCount; ++column) {
        SetCellData(row, column, static_cast<std::int32_t>(card_item_tag::Make(column, card.id)));
        if (column != kRegValueColumn && column != kFoilValueColumn) {
            SetCellReadOnly(row, column, true);
        }
    }
    return true;
}

void CCardsGridCtrl::AddNotFoundRow()
{
    const int row = InsertRowAt(QString());
    if (row < 0) {
        return;
    }
    SetCellText(row, kNameColumn, "card not found!");
    SetRowHeightAt(row, card_grid::kRowHeight);
    for (int column = 0; column < kCardGridColumnCount; ++column) {
        SetCellReadOnly(row, column, true);
    }
}

void CCardsGridCtrl::SortByValueAndFit()
{
    SortByColumn(kRegValueColumn, false);
    FitAllColumns();
}

int CCardsGridCtrl::CompareCells(const CGridCellBase* a, const CGridCellBase* b) const
{
    if (a == nullptr || b == nullptr) {
        return 0;
    }
    return CompareCardTags(static_cast<std::uint32_t>(a->GetData()),
                           static_cast<std::uint32_t>(b->GetData()),
                           [this](std::int32_t id) { return Listed(id); });
}

std::vector<MarkedPriceRow> CCardsGridCtrl::MarkedRows() const
{
    std::vector<MarkedPriceRow> rows;
    for (int row = 0; row < GetRowCount(); ++row) {
        const auto* box = dynamic_cast<const CGridCellCheck*>(CellAt(row, kNameColumn));
        if (box == nullptr || !box->GetCheck()) {
            continue;
        }
        MarkedPriceRow marked;
        marked.cardId = card_item_tag::CardId(static_cast<std::uint32_t>(box->GetData()));
        marked.regText = GetCellText(row, kRegValueColumn).toStdString();
        marked.foilText = GetCellText(row, kFoilValueColumn).toStdString();
        // A cell still showing its card's value text was not edited; its value is kept exactly.
        const CardRecord* card = Listed(marked.cardId);
        marked.regEdited = card == nullptr || marked.regText != card_grid::ValueText(card->reg_value);
        marked.foilEdited =
            card == nullptr || marked.foilText != card_grid::ValueText(card->foil_value);
        rows.push_back(std::move(marked));
    }
    return rows;
}

bool CCardsGridCtrl::ToggleHotAt(int row, int column)
{
    if (column != kHotColumn || row < GetFixedRowCount() || row >= GetRowCount()) {
        return false;
    }
    const auto tag = static_cast<std::uint32_t>(GetCellData(row, kHotColumn));
    if (card_item_tag::Column(tag) != kHotColumn) {
        return false;
    }
    const CardRecord* listed = Listed(card_item_tag::CardId(tag));
    if (listed == nullptr || CardOfRow(row) != listed) {
        return false;
    }
    CardRecord card = *listed;
    card.hot = card_grid::ToggledHot(card.hot);
    SetCellImage(row, kHotColumn, card_grid::HotImageIndex(card.hot));
    m_shown.Replace(card);
    Refresh();
    return true;
}

QString CCardsGridCtrl::RarityTipTextAt(int row, int column) const
{
    if (row < GetFixedRowCount() || row >= GetRowCount() || column < 0 ||
        column >= GetColumnCount()) {
        return {};
    }
    const auto tag = static_cast<std::uint32_t>(GetCellData(row, column));
    if (card_item_tag::Column(tag) != kRarityColumn) {
        return {};
    }
    const CardRecord* card = Listed(card_item_tag::CardId(tag));
    if (card == nullptr) {
        return {};
    }
    const std::string setName = m_setName ? m_setName(card->expansion) : std::string();
    return ToQString(card_grid::RarityTipText(setName, card->rarity));
}

void CCardsGridCtrl::ShowRarityTip(int row, int column, const QPoint& globalPos)
{
    const QString text = RarityTipTextAt(row, column);
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
        ShowRarityTip(cell.row, cell.column, event->globalPosition().toPoint());
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
    std::string code = m_setCode ? m_setCode(card.expansion) : std::string();
    if (code.empty()) {
        code = std::to_string(card.expansion);
    }
    const std::string key = code + '/' + std::to_string(card_symbol::RarityClass(card.rarity));
    const auto known = m_symbolImages.find(key);
    if (known != m_symbolImages.end()) {
        return known->second;
    }
    QList<QPixmap> images = GetImageList();
    images.append(card_symbol::Symbol(code, card.rarity));
    SetImageList(images);
    const int index = int(images.size()) - 1;
    m_symbolImages.emplace(key, index);
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
    connect(history, &QAction::triggered, this, [this, cardId] { emit priceHistoryRequested(cardId); });
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
        const CardRecord* card = cell.column == kNameColumn ? CardOfRow(cell.row) : nullptr;
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
