#include "trade/view/CDlgCollection.h"

#include "data/CardKey.h"
#include "data/PriceText.h"
#include "grid/CGridCtrl.h"
#include "toolkit/MessageBox.h"
#include "toolkit/ResourceIds.h"
#include "trade/CatalogueRows.h"

#include <QLabel>
#include <QPushButton>

#include <span>

CDlgCollection::CDlgCollection(CollectionViewMode mode, QWidget* parent)
    : CResizableDialog(resource::kCollectionDialog, parent), m_mode(mode)
{
    const bool log = mode == CollectionViewMode::TransactionLog;
    if (log) {
        setWindowTitle(QStringLiteral("Transaction Log"));
        setObjectName(QStringLiteral("transactionLogWindow"));
    } else {
        setObjectName(QStringLiteral("collectionWindow"));
    }
    m_grid = new CGridCtrl(this);
    m_grid->setObjectName(QStringLiteral("collectionGrid"));
    replaceControl(resource::kCollectionGrid, m_grid);
    m_grid->SetControlId(resource::kCollectionGrid);
    const auto headers = log ? std::span<const char* const>(kDealLogHeaders)
                             : std::span<const char* const>(kCollectionHeaders);
    m_grid->SetColumns(int(headers.size()));
    m_grid->SetFixedRows(1);
    m_grid->SetFixedColumns(0);
    m_grid->SetListMode(true);
    m_grid->SetSortOnClick(true);
    // A deal's details list every card it moved: they give way, so the values and comments
    // beside them stay in view.
    if (log) {
        m_grid->SetGivingColumn(ColumnIndex(DealLogColumn::Details));
    }
    for (int column = 0; column < int(headers.size()); ++column) {
        m_grid->SetCellText(0, column, QString::fromLatin1(headers[std::size_t(column)]));
    }
    const int values =
        log ? ColumnIndex(DealLogColumn::WorthToday) : ColumnIndex(CollectionColumn::Value);
    m_grid->SetColumnLeastText(values, QString::fromStdString(PriceText(kWidestShownValue)));
    // Rows move when sorted: each Set cell carries the number of its tip.
    m_setColumn = log ? ColumnIndex(DealLogColumn::Set) : ColumnIndex(CollectionColumn::Set);
    m_grid->SetCellTipFunction([this](int row, int column) {
        const std::int32_t tip = m_grid->GetCellData(row, column);
        return column == m_setColumn && row >= m_grid->GetFixedRowCount() && tip >= 0 &&
                       std::size_t(tip) < m_setNames.size()
                   ? m_setNames[std::size_t(tip)]
                   : QString();
    });
    m_grid->FitAllColumns();
    m_worth = controlAs<QLabel>(resource::kWorthLabel);
    if (auto* refresh = controlAs<QPushButton>(resource::kRefreshButton)) {
        connect(refresh, &QPushButton::clicked, this, &CDlgCollection::RefreshView);
    }
    // The first time the two views open side by side, the collection on the left.
    setDefaultPlacement(QSize(320, 230), log ? WindowPlacement::Spot::RightOfPair
                                             : WindowPlacement::Spot::LeftOfPair);
    setPlacementSection(log ? QStringLiteral("CDlgTransaction") : QStringLiteral("CDlgCollection"));
}

CDlgCollection::~CDlgCollection() = default;

QString CDlgCollection::WorthCaption() const
{
    return m_worth ? m_worth->text() : QString();
}

void CDlgCollection::RefreshView()
{
    m_grid->DeleteNonFixedRows();
    std::vector<std::int32_t> ticked;
    if (m_catalogue) {
        for (int row = 0; row < m_catalogue->RowCount(); ++row) {
            const CatalogueRow catalogueRow = m_catalogue->Row(row);
            if (catalogueRow.nameTicked) {
                ticked.push_back(card_key::CatalogueId(catalogueRow.nameTag));
            }
        }
    }
    CollectionViewRows result;
    if (m_database) {
        result = RefreshViewRows(*m_database, m_mode, ticked, m_texts);
    } else {
        result.error = "The collection database is not open.";
    }
    m_setNames.clear();
    for (std::size_t i = 0; i < result.rows.size(); ++i) {
        const std::vector<std::string>& texts = result.rows[i];
        const int row = m_grid->InsertRowAt(QString());
        if (row < 0) {
            continue;
        }
        for (int column = 0; column < int(texts.size()) && column < m_grid->GetColumnCount();
             ++column) {
            m_grid->SetCellText(row, column, QString::fromStdString(texts[column]));
            m_grid->SetCellReadOnly(row, column);
        }
        m_grid->SetCellData(row, m_setColumn, std::int32_t(m_setNames.size()));
        m_setNames.push_back(QString::fromStdString(result.setNames[i]));
        m_grid->SetRowHeightAt(row, 25);
    }
    m_grid->FitAllColumns();
    m_grid->Refresh();
    if (m_worth) {
        const QString caption = QString::fromStdString(::WorthCaption(m_mode, result));
        m_worth->setText(caption);
        // The window may be narrower than the line; the tip shows all of it.
        m_worth->setToolTip(caption);
    }
    if (!result.error.empty()) {
        MessageBox::error(QStringLiteral("The collection database could not be read completely; "
                                         "the list shows what could be read.\n\n") +
                              QString::fromStdString(result.error),
                          this);
    }
}
