// The main window's prices: correction, import and update from the window, the daily update
// and the welcome bar offering it, reading the catalogue again after an outside change, the
// price history chart and "Price changes".

#include "app/CQuorvelDlg.h"

#include "app/CPriceChangesDlg.h"
#include "app/MainCatalogue.h"
#include "app/MainMenus.h"
#include "app/MainPrices.h"
#include "app/PriceImportCommand.h"
#include "app/PriceUpdateCommand.h"
#include "app/SecondaryWindowSet.h"
#include "app/WelcomeBar.h"
#include "data/CADOConnection.h"
#include "data/CADODataBase.h"
#include "lookup/BackgroundLookup.h"
#include "lookup/view/CCardsGridCtrl.h"
#include "lookup/view/PriceCorrectionCommand.h"
#include "toolkit/AppSettings.h"
#include "toolkit/MessageBox.h"

#include <QApplication>
#include <QGroupBox>

namespace {

const QString kUpdateRunning =
    QStringLiteral("The prices are being updated in the background. Please try again when the "
                   "update has ended; a notification tells when.");

} // namespace

void CQuorvelDlg::CreatePrices()
{
    MainPricesContext context;
    context.databasePath = CADOConnection::DataSourcePath(m_priceDatabase.GetConnectionString());
    context.priceDatabase = &m_priceDatabase;
    context.collectionDatabase = &m_collectionDatabase;
    context.valueOf = [this](std::int32_t cardKey) { return m_catalogue.CopyValue(cardKey); };
    context.busy = [this] { return PricesBusy(); };
    context.reload = [this](std::function<void()> then) { ReloadInBackground(std::move(then)); };
    context.showPriceHistory = [this](std::int32_t cardId) { ShowPriceHistory(cardId); };
    context.tray = m_tray;
    context.window = this;
    m_prices = std::make_unique<MainPrices>(std::move(context));
    // Once the import command has ended, since the two never run together.
    connect(m_priceImport.get(), &PriceImportCommand::updateInstead, this,
            [this] { UpdatePrices(); }, Qt::QueuedConnection);
}

bool CQuorvelDlg::PricesBusy() const
{
    return (m_priceImport && m_priceImport->IsRunning()) ||
           (m_priceUpdate && m_priceUpdate->IsRunning()) || !m_catalogueLoad->IsReady() ||
           QApplication::activeModalWidget() != nullptr;
}

void CQuorvelDlg::ShowWelcomeBar()
{
    if (AppSettings::welcomeShown())
        return;
    // Shown once: a later start never shows it again, whatever the user did with it.
    AppSettings::setWelcomeShown();
    // Recommended to whoever never chose; a choice made before is kept.
    if (!AppSettings::bestMatchFirstChosen())
        SetBestMatch(true);
    m_welcome = new WelcomeBar(m_options.UpdateDaily(), m_options.BestMatch(), this);
    connect(m_welcome, &WelcomeBar::updateDailyToggled, this,
            [this](bool on) { SetUpdateDaily(on); });
    connect(m_welcome, &WelcomeBar::bestMatchToggled, this, [this](bool on) { SetBestMatch(on); });
    connect(m_welcome, &WelcomeBar::closeRequested, this, &CQuorvelDlg::CloseWelcomeBar);
    hostTopBar(m_welcome);
}

void CQuorvelDlg::CloseWelcomeBar()
{
    if (!m_welcome)
        return;
    m_welcome = nullptr;
    removeTopBar();
}

void CQuorvelDlg::SetBestMatch(bool on)
{
    m_options.SetBestMatch(on);
    AppSettings::setBestMatchFirst(on);
    if (m_welcome)
        m_welcome->showBestMatch(on);
    UpdateCheckMarks();
}

void CQuorvelDlg::SetUpdateDaily(bool on)
{
    m_options.SetUpdateDaily(on);
    if (m_prices)
        m_prices->SetUpdateDaily(on);
    else
        AppSettings::setUpdatePricesDaily(on);
    if (m_welcome)
        m_welcome->showUpdateDaily(on);
    UpdateCheckMarks();
}

void CQuorvelDlg::CorrectPrice()
{
    // A correction may load the catalogue again: no typed search may read it meanwhile.
    std::unique_lock<std::recursive_mutex> hold;
    if (m_typedSearch)
        hold = m_typedSearch->Hold();
    PriceCorrectionCommand::Run(*m_grid, m_priceDatabase, m_catalogue, this);
    // A correction may have reloaded the catalogue: the lookup reads it in place.
    m_lookup.Prepare(m_catalogue.Cards());
}

QWidget* CQuorvelDlg::ShowPriceHistory(std::int32_t cardId)
{
    const CardRecord* card = m_grid->ShownCards().Find(cardId);
    if (card == nullptr)
        card = m_catalogue.FindCard(cardId);
    return card ? m_catalogueLoad->ShowPriceHistory(*card, this) : nullptr;
}

void CQuorvelDlg::ImportPrices(bool preview)
{
    // An import writes the database the catalogue is being read from: it waits for the load.
    if (!m_catalogueLoad->IsReady())
        return m_catalogueLoad->WhenReady([this, preview] { ImportPrices(preview); });
    if (m_prices && m_prices->IsUpdating())
        return MessageBox::information(kUpdateRunning, this);
    const std::optional<WorthChange> before = m_prices ? m_prices->WorthNow() : std::nullopt;
    if (m_priceImport && m_priceImport->Run(preview))
        PricesWritten(before);
    else if (m_prices)
        m_prices->OwnWriteDone(); // whatever it wrote (nothing to read again) is no outside change
}

void CQuorvelDlg::UpdatePrices()
{
    // As an import: the update writes the database the catalogue is being read from.
    if (!m_catalogueLoad->IsReady())
        return m_catalogueLoad->WhenReady([this] { UpdatePrices(); });
    if (m_prices && m_prices->IsUpdating())
        return MessageBox::information(kUpdateRunning, this);
    const std::optional<WorthChange> before = m_prices ? m_prices->WorthNow() : std::nullopt;
    if (m_priceUpdate && m_priceUpdate->Run())
        PricesWritten(before);
    else if (m_prices)
        m_prices->OwnWriteDone(); // the record of what was read, at most
}

void CQuorvelDlg::PricesWritten(const std::optional<WorthChange>& before)
{
    m_catalogueLoad->Load();
    CatalogueReloaded();
    if (!m_prices)
        return;
    m_prices->OwnWriteDone();
    m_prices->ShowPriceChanges(before);
}

void CQuorvelDlg::ShowPriceChanges()
{
    if (m_prices)
        m_prices->ShowPriceChanges();
}

void CQuorvelDlg::ReloadInBackground(std::function<void()> then)
{
    m_catalogueLoad->StartLoading([this] { return m_typedSearch->Hold(); }, m_cardsGroup,
                                  [this] { CatalogueReloaded(); });
    if (then)
        m_catalogueLoad->WhenReady(std::move(then));
}

void CQuorvelDlg::CatalogueReloaded()
{
    if (m_grid)
        m_grid->RefreshValues([this](std::int32_t id) { return m_catalogue.FindCard(id); });
    // The views of the collection show today's values.
    if (m_windows)
        m_windows->RefreshVisibleViews();
}
