#include "app/MainCatalogue.h"

#include "data/CADOConnection.h"
#include "data/CADODataBase.h"
#include "data/CardCatalogue.h"
#include "data/PriceDatabaseAdvice.h"
#include "data/PriceHistory.h"
#include "lookup/CardLookup.h"
#include "lookup/PriceChartPlan.h"
#include "lookup/view/CPriceHistoryDlg.h"
#include "toolkit/MessageBox.h"

#include <QFileInfo>

MainCatalogue::MainCatalogue(CADODataBase& priceDatabase, CardCatalogue& catalogue,
                             CardLookup& lookup)
    : m_priceDatabase(priceDatabase), m_catalogue(catalogue), m_lookup(lookup)
{
}

void MainCatalogue::Load()
{
    std::string error;
    const bool loaded = m_catalogue.LoadCatalogue(m_priceDatabase, &error);
    // The lookup reads the card list in place: prepare it after every load.
    m_lookup.Prepare(m_catalogue.Cards());
    if (loaded)
        return;
    // Reported once, before the window appears; the program goes on with an empty catalogue.
    m_error = error;
    MessageBox::error(QString("The price database mtgo.mdb could not be read, so no cards can "
                              "be looked up.\n\n%1")
                          .arg(QString::fromStdString(error)) +
                      "\n\n" + PriceDatabaseAdvice());
}

QString MainCatalogue::PriceDatabaseAdvice() const
{
    const std::string source =
        CADOConnection::DataSourcePath(m_priceDatabase.GetConnectionString());
    const QFileInfo file(QString::fromStdString(source.empty() ? "mtgo.mdb" : source));
    return QString::fromStdString(price_database_advice::Advice(
        file.absoluteFilePath().toStdString(), file.absolutePath().toStdString(), file.exists()));
}

QWidget* MainCatalogue::ShowPriceHistory(const CardRecord& card, QWidget* parent)
{
    std::vector<PricePoint> history;
    std::string error;
    if (!price_history::Read(m_priceDatabase, card.id, history, &error)) {
        MessageBox::error(QString::fromStdString(error), parent);
        return nullptr;
    }
    const std::string today = DateTime::Now().Format("%Y-%m-%d");
    const std::string& setName = m_catalogue.SetName(card.expansion);
    const QString title = setName.empty()
                              ? QString::fromStdString(card.name)
                              : QString::fromStdString(card.name + " (" + setName + ")");
    auto* window = new CPriceHistoryDlg(title, PlanPriceChart(history, card, today), parent);
    window->show();
    window->raise();
    return window;
}
