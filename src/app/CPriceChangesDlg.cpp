#include "app/CPriceChangesDlg.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

const QStringList kHeaders = {QStringLiteral("Card"),   QStringLiteral("Set"),
                              QStringLiteral("Kind"),   QStringLiteral("Before"),
                              QStringLiteral("After"),  QStringLiteral("Change"),
                              QStringLiteral("Change %")};

void FillList(QTreeWidget* list, const std::vector<PriceMove>& moves)
{
    list->clear();
    for (const PriceMove& move : moves) {
        QStringList texts;
        for (const std::string& text : PriceChangeReport::RowTexts(move))
            texts << QString::fromStdString(text);
        auto* item = new QTreeWidgetItem(list, texts);
        item->setData(0, Qt::UserRole, move.cardId);
        for (int column = 3; column < texts.size(); ++column)
            item->setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
    }
    for (int column = 0; column < list->columnCount(); ++column)
        list->resizeColumnToContents(column);
}

} // namespace

CPriceChangesDlg::CPriceChangesDlg(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("priceChangesWindow"));
    setWindowTitle(QStringLiteral("Price changes"));
    setWindowFlag(Qt::Window);
    m_day = new QLabel(this);
    m_worth = new QLabel(this);
    m_worth->setObjectName(QStringLiteral("priceChangesWorth"));
    m_onlyOwned = new QCheckBox(QStringLiteral("Only cards I own"), this);
    m_onlyOwned->setObjectName(QStringLiteral("onlyCardsIOwn"));
    connect(m_onlyOwned, &QCheckBox::toggled, this, &CPriceChangesDlg::Fill);
    m_risers = MakeList(QStringLiteral("risers"));
    m_fallers = MakeList(QStringLiteral("fallers"));

    auto* top = new QHBoxLayout;
    top->addWidget(m_day, 1);
    top->addWidget(m_onlyOwned);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_worth);
    layout->addWidget(new QLabel(QStringLiteral("Risers"), this));
    layout->addWidget(m_risers, 1);
    layout->addWidget(new QLabel(QStringLiteral("Fallers"), this));
    layout->addWidget(m_fallers, 1);
    const int unit = fontMetrics().averageCharWidth();
    resize(unit * 90, fontMetrics().height() * 36);
}

QTreeWidget* CPriceChangesDlg::MakeList(const QString& name)
{
    auto* list = new QTreeWidget(this);
    list->setObjectName(name);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setHeaderLabels(kHeaders);
    list->setToolTip(QStringLiteral("Double-click a card for its price history"));
    connect(list, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        emit priceHistoryRequested(item->data(0, Qt::UserRole).toInt());
    });
    return list;
}

void CPriceChangesDlg::SetReport(PriceChangeReport report, const WorthChange& worth)
{
    m_report = std::move(report);
    m_worth->setText(QString::fromStdString(PriceChangeReport::WorthCaption(worth)));
    Fill();
}

QString CPriceChangesDlg::WorthText() const
{
    return m_worth->text();
}

void CPriceChangesDlg::Fill()
{
    const PriceMovers lists = m_report.Lists(kListed, m_onlyOwned->isChecked());
    m_day->setText(lists.day.empty()
                       ? QStringLiteral("The price history holds no change yet.")
                       : QStringLiteral("Changes on %1, against each card's previous price")
                             .arg(QString::fromStdString(lists.day)));
    FillList(m_risers, lists.risers);
    FillList(m_fallers, lists.fallers);
}
