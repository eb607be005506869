#include "trade/view/CDlgCardsList.h"

#include "data/PriceText.h"

#include "data/DateTime.h"
#include "grid/CGridCellCheck.h"
#include "grid/CGridCellNumeric.h"
#include "grid/CGridCtrl.h"
#include "grid/CTamrikGrideCellCheck.h"
#include "toolkit/FileDialog.h"
#include "toolkit/MessageBox.h"
#include "toolkit/ResourceIds.h"
#include "trade/TradeListFile.h"
#include "trade/TradeListRules.h"
#include "trade/TransactionLog.h"
#include "trade/view/CDlgInputPrice.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include <new>
#include <optional>

namespace {

const CGridCellCheck* CheckCell(const CGridCtrl& grid, int row, int column)
{
    return dynamic_cast<const CGridCellCheck*>(grid.CellAt(row, column));
}

bool IsTicked(const CGridCtrl& grid, int row, int column)
{
    const CGridCellCheck* cell = CheckCell(grid, row, column);
    return cell && cell->GetCheck();
}

QString NotEnoughMemory(const QString& path)
{
    return QStringLiteral("Cannot load \"%1\": there is not enough memory for the cards it "
                          "holds. The trade list was not changed.")
        .arg(path);
}

}  // namespace

CDlgCardsList::CDlgCardsList(QWidget* parent) : CResizableDialog(resource::kTradeListDialog, parent)
{
    setObjectName(QStringLiteral("tradeListWindow"));
    m_totals = controlAs<QLabel>(resource::kTotalValueLabel);
    SetUpGrid();
    const std::pair<int, void (CDlgCardsList::*)()> commands[] = {
        {resource::kAdvertiseButton, &CDlgCardsList::OnAdvertise},
        {resource::kBoughtButton, &CDlgCardsList::OnBought},
        {resource::kSoldButton, &CDlgCardsList::OnSold},
        {resource::kRemoveButton, &CDlgCardsList::OnRemove},
        {resource::kRemoveAllButton, &CDlgCardsList::OnRemoveAll},
        {resource::kLoadButton, &CDlgCardsList::OnLoad},
        {resource::kSaveButton, &CDlgCardsList::OnSave},
    };
    for (const auto& [id, handler] : commands) {
        if (auto* button = controlAs<QPushButton>(id)) {
            connect(button, &QPushButton::clicked, this, handler);
        }
    }
    // The first time: every column of a list of long card names, with their totals.
    setDefaultPlacement(QSize(350, 250), WindowPlacement::Spot::Centre);
    setPlacementSection(QStringLiteral("CDlgCardsList"));
}

CDlgCardsList::~CDlgCardsList() = default;

void CDlgCardsList::SetUpGrid()
{
    m_grid = new CGridCtrl(this);
    m_grid->setObjectName(QStringLiteral("tradeGrid"));
    replaceControl(resource::kTradeGrid, m_grid);
    m_grid->SetControlId(resource::kTradeGrid);
    m_grid->SetColumns(kTradeListColumnCount);
    m_grid->SetFixedRows(1);
    m_grid->SetFixedColumns(0);
    m_grid->SetListMode(true);
    m_grid->SetSortOnClick(true);
    m_grid->SetTradeMarkStore(this);
    for (int column = 0; column < kTradeListColumnCount; ++column) {
        m_grid->SetCellText(0, column, QString::fromLatin1(kTradeListHeaders[column]));
    }
    m_grid->SetCellTipFunction([this](int row, int column) {
        if (column != ColumnIndex(TradeListColumn::Set) || row < m_grid->GetFixedRowCount()) {
            return QString();
        }
        const std::int32_t key = m_grid->GetCellData(row, column);
        return QString::fromStdString(CardKeySet(key, m_setOf).name);
    });
    // A price typed later fits without fitting again.
    const QString widest = QString::fromStdString(PriceText(kWidestShownValue));
    m_grid->SetColumnLeastText(ColumnIndex(TradeListColumn::Buy), widest);
    m_grid->SetColumnLeastText(ColumnIndex(TradeListColumn::Sell), widest);
    m_grid->FitAllColumns();
    connect(m_grid, &CGridCtrl::editEnded, this,
            [this](int row, int column, const QString& text, int, bool* refuse) {
                // An edit that changes nothing shows the value kept, not the text typed.
                if (!OnEditEnded(row, column, text) && refuse)
                    *refuse = true;
            });
}

void CDlgCardsList::ShowTotals()
{
    if (m_totals) {
        m_totals->setText(
            QString::fromStdString(TotalsLabel(m_list.BuyTotal(), m_list.SellTotal())));
    }
}

void CDlgCardsList::RefreshList()
{
    m_refreshQueued = false;
    m_grid->DeleteNonFixedRows();
    for (const TradeListRow& line : RefreshTradeList(m_list)) {
        const int row = m_grid->InsertRowAt(QString());
        if (row < 0) {
            continue;
        }
        m_grid->SetCellKind<CGridCellNumeric>(row, ColumnIndex(TradeListColumn::Quantity));
        m_grid->SetCellKind<CGridCellCheck>(row, ColumnIndex(TradeListColumn::Name));
        m_grid->SetCellKind<CTamrikGrideCellCheck>(row, ColumnIndex(TradeListColumn::Buy));
        m_grid->SetCellKind<CTamrikGrideCellCheck>(row, ColumnIndex(TradeListColumn::Sell));
        m_grid->SetCellText(row, ColumnIndex(TradeListColumn::Quantity),
                            QString::fromStdString(line.quantity));
        m_grid->SetCellText(row, ColumnIndex(TradeListColumn::Name),
                            QString::fromStdString(line.name));
        m_grid->SetCellText(row, ColumnIndex(TradeListColumn::Set),
                            QString::fromStdString(CardKeySet(line.key, m_setOf).code));
        m_grid->SetCellText(row, ColumnIndex(TradeListColumn::Buy),
                            QString::fromStdString(line.buy));
        m_grid->SetCellText(row, ColumnIndex(TradeListColumn::Sell),
                            QString::fromStdString(line.sell));
        if (auto* buy = dynamic_cast<CGridCellCheck*>(
                m_grid->CellAt(row, ColumnIndex(TradeListColumn::Buy)))) {
            buy->SetCheck(line.buyTicked);
        }
        if (auto* sell = dynamic_cast<CGridCellCheck*>(
                m_grid->CellAt(row, ColumnIndex(TradeListColumn::Sell)))) {
            sell->SetCheck(line.sellTicked);
        }
        for (int column = ColumnIndex(TradeListColumn::Name);
             column <= ColumnIndex(TradeListColumn::Sell); ++column) {
            m_grid->SetCellData(row, column, line.key);
        }
        m_grid->SetCellReadOnly(row, ColumnIndex(TradeListColumn::Name));
        m_grid->SetCellReadOnly(row, ColumnIndex(TradeListColumn::Set));
        m_grid->SetRowHeightAt(row, 25);
    }
    ShowTotals();
    m_grid->FitAllColumns();
    m_grid->Refresh();
}

void CDlgCardsList::PutIntoList(const CatalogueRows& rows, const Offer* offer)
{
    ::PutIntoList(m_list, rows, offer);
    ShowList();
}

void CDlgCardsList::ShowList()
{
    show();
    raise();
    RefreshList();
}

bool CDlgCardsList::OnEditEnded(int row, int column, const QString& text)
{
    if (row < m_grid->GetFixedRowCount()) {
        return false;
    }
    const std::int32_t key = m_grid->GetCellData(row, ColumnIndex(TradeListColumn::Name));
    const std::string refused = RefusedEdit(TradeListColumn(column), text.toStdString());
    if (!refused.empty()) {
        MessageBox::warning(QString::fromStdString(refused));
        QueueRefresh(); // the cell shows the value kept again
        return false;
    }
    if (!ApplyCellEdit(m_list, key, TradeListColumn(column), text.toStdString())) {
        return false;
    }
    QueueRefresh();
    return true;
}

void CDlgCardsList::QueueRefresh()
{
    // The grid still works on the edited cell when it tells us; rebuild once it is done.
    if (!m_refreshQueued) {
        m_refreshQueued = true;
        QTimer::singleShot(0, this, [this] {
            if (m_refreshQueued) {
                RefreshList();
            }
        });
    }
}

void CDlgCardsList::StoreMark(std::int32_t key, Mark mark, bool checked)
{
    SetTradeListMark(m_list, key,
                     mark == Mark::Buying ? TradeListColumn::Buy : TradeListColumn::Sell, checked);
}

std::vector<TradeGridRow> CDlgCardsList::GridRows() const
{
    std::vector<TradeGridRow> rows;
    for (int row = m_grid->GetFixedRowCount(); row < m_grid->GetRowCount(); ++row) {
        if (!CheckCell(*m_grid, row, ColumnIndex(TradeListColumn::Buy))) {
            continue;
        }
        rows.push_back({m_grid->GetCellData(row, ColumnIndex(TradeListColumn::Buy)),
                        IsTicked(*m_grid, row, ColumnIndex(TradeListColumn::Buy)),
                        IsTicked(*m_grid, row, ColumnIndex(TradeListColumn::Sell))});
    }
    return rows;
}

std::optional<CDlgCardsList::PriceInput> CDlgCardsList::AskPrice(float preset)
{
    if (m_askPrice) {
        return m_askPrice(preset);
    }
    CDlgInputPrice dialog;
    dialog.SetPrice(preset);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return PriceInput{dialog.Price(), dialog.Comments().toStdString()};
}

bool CDlgCardsList::CopyAdvertisement(const std::string& text, const QString& doneMessage)
{
    if (!m_copy || !m_copy(text)) {
        MessageBox::error(QStringLiteral("The clipboard did not take the advertisement, so "
                                         "there is nothing to paste. Please try again."));
        return false;
    }
    MessageBox::information(doneMessage);
    return true;
}

void CDlgCardsList::OnAdvertise()
{
    const std::vector<TradeGridRow> rows = GridRows();
    if (MessageBox::askYesNo(QStringLiteral("Send the ads to auction lister?"), this)) {
        const auto input = AskPrice(0.0f);
        if (!input) {
            return;
        }
        CopyAdvertisement(ComposeAuctionList(rows, m_list, input->price, input->comments),
                          QStringLiteral("Ok,Please paste the ads in the lister's chat window."));
        return;
    }
    const std::string post = ComposeTradePost(rows, m_list);
    if (post.empty()) {
        MessageBox::caution(
            QStringLiteral("No cards selected, please check the selling or buying check box."));
        return;
    }
    CopyAdvertisement(
        post, QStringLiteral("Ok,Please open the MTGO trade post, and press ctrl-v in messge "
                             "editbox."));
}

void CDlgCardsList::LogTransaction(int direction)
{
    if (MessageBox::show(QStringLiteral("Are you sure to log the transaction?"),
                         MessageBox::kQuestion, MessageBox::Icon::Information,
                         MessageBox::Buttons::YesNo, MessageBox::Answer::No,
                         this) != MessageBox::Answer::Yes) {
        return;
    }
    if (m_grid->GetRowCount() <= m_grid->GetFixedRowCount()) {
        MessageBox::warning(QStringLiteral("No Cards in list"));
        return;
    }
    if (!m_collection) {
        MessageBox::error(QStringLiteral("The transaction was not logged: the collection "
                                         "database is not open."));
        return;
    }
    const auto input = AskPrice(static_cast<float>(m_list.BuyTotal()));
    if (!input) {
        return;
    }
    DealRequest deal;
    deal.direction = direction;
    deal.price = input->price;
    deal.comments = input->comments;
    deal.when = DateTime::Now();
    for (int row = m_grid->GetFixedRowCount(); row < m_grid->GetRowCount(); ++row) {
        const std::int32_t key = m_grid->GetCellData(row, ColumnIndex(TradeListColumn::Name));
        deal.lines.push_back({key, m_list.Get(key).quantity});
    }
    const DealResult result = LogDeal(*m_collection, deal);
    if (!result.logged) {
        MessageBox::error(QStringLiteral("The transaction was not logged; nothing was written "
                                         "to the collection database.\n\n") +
                          QString::fromStdString(result.error));
        return;
    }
    MessageBox::information(QStringLiteral("Transaction logged."));
}

void CDlgCardsList::OnRemove()
{
    std::vector<std::int32_t> ticked;
    for (int row = 0; row < m_grid->GetRowCount(); ++row) {
        if (IsTicked(*m_grid, row, ColumnIndex(TradeListColumn::Name))) {
            ticked.push_back(m_grid->GetCellData(row, ColumnIndex(TradeListColumn::Name)));
        }
    }
    RemoveTicked(m_list, ticked);
    RefreshList();
}

void CDlgCardsList::OnRemoveAll()
{
    RemoveAll(m_list);
    m_grid->DeleteNonFixedRows();
    ShowTotals();
    m_grid->Refresh();
}

void CDlgCardsList::OnLoad()
{
    const auto path = FileDialog::getOpenFileName(QStringLiteral("Open Trade List"),
                                                  FileDialog::kTradeListFilter, this);
    if (!path) {
        return;
    }
    std::optional<TradeListFileContents> read;
    try {
        read = ReadTradeListFile(path->toStdString());
    } catch (const std::bad_alloc&) {
        MessageBox::error(NotEnoughMemory(*path));
        return;
    }
    const TradeListFileContents& contents = *read;
    switch (contents.status) {
    case TradeListFileStatus::Ok:
        break;
    case TradeListFileStatus::NotTradeList:
        MessageBox::error(QStringLiteral("Invalidate File Type!"));
        return;
    default:
        MessageBox::error(QString::fromStdString(contents.error));
        return;
    }
    // The lines are built apart and swapped in, so running out of memory on the way leaves
    // the list that was open as it was.
    TradeList loaded;
    try {
        FillTradeList(loaded, contents);
    } catch (const std::bad_alloc&) {
        MessageBox::error(NotEnoughMemory(*path));
        return;
    }
    std::swap(m_list, loaded);
    m_savedList = m_list;
    try {
        RefreshList();
    } catch (const std::bad_alloc&) {
        std::swap(m_list, loaded);
        m_savedList = m_list;
        m_grid->DeleteNonFixedRows();
        RefreshList();
        MessageBox::error(NotEnoughMemory(*path));
        return;
    }
    if (contents.truncated) {
        MessageBox::warning(QStringLiteral("The file was cut short: %1 of the %2 cards it "
                                           "announces could be read, and they are in the list.")
                                .arg(contents.records.size())
                                .arg(contents.declaredCount));
    }
    if (contents.negativeQuantities > 0) {
        MessageBox::warning(QStringLiteral("%1 cards of the file had a quantity below 0; they "
                                           "are in the list with a quantity of 0.")
                                .arg(contents.negativeQuantities));
    }
}

bool CDlgCardsList::ConfirmQuit()
{
    if (!HasUnsavedChanges())
        return true;
    switch (MessageBox::show(QStringLiteral("Save the trade list before quitting?"),
                             MessageBox::kQuestion, MessageBox::Icon::Question,
                             MessageBox::Buttons::YesNoCancel, MessageBox::Answer::Yes, this)) {
    case MessageBox::Answer::Yes:
        return Save();
    case MessageBox::Answer::No:
        return true;
    default:
        return false;
    }
}

bool CDlgCardsList::Save()
{
    // The dialog itself adds ".ryn" to a bare name, so it asks before replacing that file.
    const auto path = FileDialog::getSaveFileName(QStringLiteral("Save Trade List"),
                                                  FileDialog::kTradeListFilter,
                                                  QStringLiteral("ryn"), this);
    if (!path) {
        return false;
    }
    const TradeListFileContents result =
        WriteTradeListFile(WithTradeListExtension(path->toStdString()), m_list);
    if (result.status != TradeListFileStatus::Ok) {
        MessageBox::error(QString::fromStdString(result.error));
        return false;
    }
    m_savedList = m_list;
    return true;
}
