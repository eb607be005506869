#include "app/CQuorvelDlg.h"

#include "app/CAboutDlg.h"
#include "app/PriceImportCommand.h"
#include "app/SecondaryWindowSet.h"
#include "data/CADOConnection.h"
#include "data/CADODataBase.h"
#include "data/PriceDatabaseAdvice.h"
#include "lookup/BackgroundLookup.h"
#include "data/PriceHistory.h"
#include "lookup/BestMatchOrder.h"
#include "grid/CGridCellBase.h"
#include "lookup/CardGridColumn.h"
#include "lookup/CardItemTag.h"
#include "lookup/FilterList.h"
#include "lookup/MatchScorer.h"
#include "lookup/PriceChartPlan.h"
#include "lookup/view/CCardsGridCtrl.h"
#include "lookup/view/CPriceHistoryDlg.h"
#include "lookup/view/PriceCorrectionCommand.h"
#include "lookup/ValueReport.h"
#include "toolkit/AppSettings.h"
#include "toolkit/CTipPopup.h"
#include "toolkit/ClipboardViewer.h"
#include "toolkit/CommandMenu.h"
#include "toolkit/MessageBox.h"
#include "toolkit/ResourceIds.h"
#include "toolkit/Resources.h"
#include "toolkit/TrayIcon.h"
#include "trade/view/CatalogueGridRows.h"

#include <QAction>
#include <QCloseEvent>
#include <QCursor>
#include <QEventLoop>
#include <QFileInfo>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>

#include <stdexcept>
#include <unordered_map>

namespace {

constexpr int kAnimationPeriodMs = 500;
constexpr int kReportLifetimeMs = 10000;

struct NamedCommand {
    const char* name;
    MainCommand command;
};

constexpr NamedCommand kCommandNames[] = {
    {"Search", MainCommand::Search},
    {"PutIntoList", MainCommand::PutIntoList},
    {"CorrectPrice", MainCommand::CorrectPrice},
    {"Exit", MainCommand::Exit},
    {"ShowWindow", MainCommand::ShowWindow},
    {"Topmost", MainCommand::Topmost},
    {"ClipboardMonitor", MainCommand::ClipboardMonitor},
    {"MatchLevelLow", MainCommand::MatchLevelLow},
    {"UserDefFilter", MainCommand::UserFilter},
    {"BestMatchFirst", MainCommand::BestMatch},
    {"TradingList", MainCommand::TradingList},
    {"MyCollection", MainCommand::MyCollection},
    {"TransactionLog", MainCommand::TransactionLog},
    {"Help", MainCommand::Help},
    {"About", MainCommand::About},
    {"ImportPrices", MainCommand::ImportPrices},
    {"PreviewImport", MainCommand::PreviewImport},
};

// The commands whose items can carry a check mark.
constexpr MainCommand kCheckableCommands[] = {
    MainCommand::Topmost,        MainCommand::ClipboardMonitor, MainCommand::MatchLevelLow,
    MainCommand::UserFilter,     MainCommand::TradingList,      MainCommand::MyCollection,
    MainCommand::TransactionLog, MainCommand::BestMatch,
};

QString NameOf(MainCommand command)
{
    for (const auto& named : kCommandNames) {
        if (named.command == command)
            return named.name;
    }
    return {};
}

} // namespace

CQuorvelDlg::CQuorvelDlg(CADODataBase& priceDatabase, CADODataBase& collectionDatabase,
                         ClipboardViewer& clipboard, QWidget* parent)
    : CResizableDialog(resource::kMainDialog, parent), m_priceDatabase(priceDatabase),
      m_collectionDatabase(collectionDatabase), m_clipboard(clipboard)
{
    setObjectName("CQuorvelDlg");
    // Construction: icon, catalogue, user filters.
    m_icon = Resources::icon(resource::kAppIcon);
    // The one option the user's choice outlives the run for.
    m_options.SetBestMatch(AppSettings::bestMatchFirst());
    LoadCatalogue();
    LoadFilters();
    InitDialog();
    m_typedSearch = std::make_unique<BackgroundLookup>(
        m_lookup, [this](std::uint64_t generation, std::vector<const CardRecord*> cards) {
            auto found = std::make_shared<std::vector<const CardRecord*>>(std::move(cards));
            QMetaObject::invokeMethod(
                this, [this, generation, found] { ShowTypedResult(generation, *found); },
                Qt::QueuedConnection);
        });
}

CQuorvelDlg::~CQuorvelDlg()
{
    Destroy();
    m_typedSearch.reset();
}

void CQuorvelDlg::LoadCatalogue()
{
    std::string error;
    const bool loaded = m_catalogue.LoadCatalogue(m_priceDatabase, &error);
    // The lookup reads the card list in place: prepare it after every load.
    m_lookup.Prepare(m_catalogue.Cards());
    if (loaded)
        return;
    // Reported once, before the window appears; the program goes on with an empty catalogue.
    m_catalogueError = error;
    MessageBox::error(QString("The price database mtgo.mdb could not be read, so no cards can "
                              "be looked up.\n\n%1")
                          .arg(QString::fromStdString(error)) +
                      "\n\n" + PriceDatabaseAdvice());
}

QString CQuorvelDlg::PriceDatabaseAdvice() const
{
    const std::string source =
        CADOConnection::DataSourcePath(m_priceDatabase.GetConnectionString());
    const QFileInfo file(QString::fromStdString(source.empty() ? "mtgo.mdb" : source));
    return QString::fromStdString(price_database_advice::Advice(
        file.absoluteFilePath().toStdString(), file.absolutePath().toStdString(), file.exists()));
}

void CQuorvelDlg::LoadFilters()
{
    FilterLoadResult loaded = ::LoadFilters(kFilterFileName);
    for (const std::string& error : loaded.errors)
        MessageBox::error(QString::fromStdString(error));
    m_lookup.SetFilters(std::move(loaded.filters));
}

void CQuorvelDlg::InitDialog()
{
    m_searchEdit = controlAs<QLineEdit>(resource::kSearchEdit);
    m_cardsGroup = controlAs<QGroupBox>(resource::kCardsGroup);
    m_typingTimer = new QTimer(this);
    m_typingTimer->setSingleShot(true);
    m_typingTimer->setInterval(kTypingPauseMs);
    connect(m_typingTimer, &QTimer::timeout, this, &CQuorvelDlg::SearchTyped);
    if (m_searchEdit)
        connect(m_searchEdit, &QLineEdit::textEdited, this, [this] {
            // A search still running for the text before this key is of no use any more.
            if (m_typedSearch)
                m_typedSearch->Supersede();
            m_typingTimer->start();
        });
    if (auto* search = controlAs<QPushButton>(resource::kSearchButton))
        connect(search, &QPushButton::clicked, this, [this] { OnCommand(MainCommand::Search); });
    if (auto* correct = controlAs<QPushButton>(resource::kCorrectPriceButton))
        connect(correct, &QPushButton::clicked, this,
                [this] { OnCommand(MainCommand::CorrectPrice); });
    if (auto* put = controlAs<QPushButton>(resource::kPutIntoListButton))
        connect(put, &QPushButton::clicked, this,
                [this] { OnCommand(MainCommand::PutIntoList); });

    // Desktops here let no program extend the title-bar menu: the About item goes into the
    // window's own menu, opened by a right click on the window's background.
    const QString aboutItem = Resources::string(resource::kAboutMenuString);
    if (!aboutItem.isEmpty()) {
        QAction* about = appendWindowMenuItem(aboutItem);
        connect(about, &QAction::triggered, this, [this] { OnCommand(MainCommand::About); });
    }
    JoinClipboardChain();
    setWindowIcon(m_icon);
    CreateMenus();
    m_reportPopup = new CTipPopup(this);
    m_reportPopup->setObjectName("reportPopup");
    m_reportPopup->setWindowTitle("Quorvel value report");
    m_grid = new CCardsGridCtrl(this);
    m_grid->setObjectName("cardGrid");
    replaceControl(resource::kCardGrid, m_grid);
    m_grid->SetSetNameLookup([this](std::int32_t setId) { return m_catalogue.SetName(setId); });
    m_grid->SetSetCodeLookup([this](std::int32_t setId) { return m_catalogue.SetCode(setId); });
    connect(m_grid, &CCardsGridCtrl::priceHistoryRequested, this,
            [this](std::int32_t cardId) { ShowPriceHistory(cardId); });
    m_grid->SetReportPopup(m_reportPopup);
    // Unlike a failing menu or tray, nothing below may be skipped: the secondary windows and
    // the placement are needed whatever the desktop offers.
    CreateTray();
    m_grid->SetUpColumns();
    // The first time: room for every column of a typical lookup and a screenful of rows.
    setDefaultPlacement(QSize(540, 340), WindowPlacement::Spot::Centre);
    setPlacementSection("CQuorvelDlg");
    m_gridRows = std::make_unique<CatalogueGridRows>(
        *m_grid, [this](std::int32_t cardId) { return m_grid->ShownCards().Find(cardId); });
    SecondaryWindowContext context;
    context.collectionDatabase = &m_collectionDatabase;
    context.catalogueRows = m_gridRows.get();
    context.cardNames = [this](std::int32_t catalogueId) {
        return m_catalogue.CardName(catalogueId);
    };
    context.cardValues = [this](std::int32_t cardKey) { return m_catalogue.CopyValue(cardKey); };
    context.ignoreNextChange = [this] { m_monitor.IgnoreNextChange(); };
    context.copyText = [this](const std::string& text) { return CopyText(text); };
    m_windows = std::make_unique<SecondaryWindowSet>(context);
    m_priceImport = std::make_unique<PriceImportCommand>(
        CADOConnection::DataSourcePath(m_priceDatabase.GetConnectionString()), this);
    // Keyboard users reach the grid after the three buttons.
    QWidget* chain[] = {m_searchEdit, control(resource::kSearchButton),
                        control(resource::kCorrectPriceButton),
                        control(resource::kPutIntoListButton), m_grid};
    for (std::size_t i = 0; i + 1 < std::size(chain); ++i) {
        if (chain[i] && chain[i + 1])
            setTabOrder(chain[i], chain[i + 1]);
    }
    AddKeys();
    if (m_searchEdit)
        m_searchEdit->setFocus();
}

void CQuorvelDlg::AddKeys()
{
    // Mnemonics for the buttons; Alt+S stays with the search group.
    const std::pair<int, const char*> mnemonics[] = {
        {resource::kSearchButton, "S&earch"},
        {resource::kCorrectPriceButton, "&Correct Price"},
        {resource::kPutIntoListButton, "&Put into list"}};
    for (const auto& [id, text] : mnemonics) {
        auto* button = controlAs<QPushButton>(id);
        // Only where the caption is the one the mnemonic was chosen for.
        if (button && QString(text).remove(QLatin1Char('&')) == button->text())
            button->setText(text);
    }
    for (const QKeySequence& keys : {QKeySequence(QKeySequence::Find), QKeySequence("Alt+S")}) {
        auto* shortcut = new QShortcut(keys, this);
        connect(shortcut, &QShortcut::activated, this, [this] {
            if (!m_searchEdit)
                return;
            m_searchEdit->setFocus(Qt::ShortcutFocusReason);
            m_searchEdit->selectAll();
        });
    }
}

void CQuorvelDlg::CreateMenus()
{
    try {
        m_mainMenu = new CommandMenu(resource::kMainMenu, this);
        hostMenuBar(m_mainMenu->createMenuBar(this));
        m_trayCommands = new CommandMenu(resource::kTrayMenu, this);
        m_trayMenu = m_trayCommands->createPopupMenu(this);
        m_trayMenu->setObjectName("trayMenu");
    } catch (const std::runtime_error&) {
        // A damaged menu resource is a fault of the build; the window still works through its
        // buttons and the tray's default command.
        return;
    }
    for (CommandMenu* menu : {m_mainMenu, m_trayCommands}) {
        connect(menu, &CommandMenu::commandTriggered, this, &CQuorvelDlg::OnCommandName);
        connect(menu, &CommandMenu::aboutToShow, this, &CQuorvelDlg::UpdateCheckMarks);
    }
    UpdateCheckMarks();
}

void CQuorvelDlg::CreateTray()
{
    m_tray = new TrayIcon(this);
    m_tray->create("Quorvel", m_icon, m_trayMenu);
    m_tray->setAnimationIcons({Resources::icon(resource::kAnimationIcon), m_icon});
    if (m_options.ClipboardMonitor())
        m_tray->startAnimation(kAnimationPeriodMs);
    connect(m_tray, &TrayIcon::defaultCommand, this,
            [this] { OnCommand(MainCommand::ShowWindow); });
}

void CQuorvelDlg::JoinClipboardChain()
{
    m_monitor.BeginJoin();
    connect(&m_clipboard, &ClipboardViewer::changed, this, &CQuorvelDlg::OnDrawClipboard);
    m_monitor.EndJoin();
    m_joined = true;
}

void CQuorvelDlg::LeaveClipboardChain()
{
    if (!m_joined)
        return;
    disconnect(&m_clipboard, &ClipboardViewer::changed, this, &CQuorvelDlg::OnDrawClipboard);
    m_joined = false;
}

void CQuorvelDlg::RunModal()
{
    show();
    if (m_exitRequested)
        return;
    QEventLoop loop;
    m_runLoop = &loop;
    loop.exec();
    m_runLoop = nullptr;
    hide();
    Destroy();
}

void CQuorvelDlg::Destroy()
{
    if (m_destroyed)
        return;
    m_destroyed = true;
    LeaveClipboardChain();
    savePlacement();
    if (m_tray)
        m_tray->stopAnimation();
    m_windows.reset();
}

MainCommand CQuorvelDlg::CommandByName(const QString& name, bool* known)
{
    for (const auto& named : kCommandNames) {
        if (name == named.name) {
            if (known)
                *known = true;
            return named.command;
        }
    }
    if (known)
        *known = false;
    return MainCommand::Search;
}

void CQuorvelDlg::OnCommandName(const QString& name)
{
    bool known = false;
    const MainCommand command = CommandByName(name, &known);
    if (known)
        OnCommand(command);
}

void CQuorvelDlg::OnCommand(MainCommand command)
{
    switch (command) {
    case MainCommand::Search:
        Search();
        break;
    case MainCommand::PutIntoList:
        PutIntoList();
        break;
    case MainCommand::CorrectPrice:
        CorrectPrice();
        break;
    case MainCommand::Exit:
        Exit();
        break;
    case MainCommand::ShowWindow:
        ShowWindow();
        break;
    case MainCommand::Topmost:
        ApplyTopmost();
        break;
    case MainCommand::ClipboardMonitor:
        ToggleClipboardMonitor();
        break;
    case MainCommand::MatchLevelLow:
        m_options.ToggleMatchLevelLow();
        break;
    case MainCommand::UserFilter:
        m_options.ToggleUserFilter();
        break;
    case MainCommand::BestMatch:
        AppSettings::setBestMatchFirst(m_options.ToggleBestMatch());
        break;
    case MainCommand::TradingList:
    case MainCommand::MyCollection:
    case MainCommand::TransactionLog:
        if (m_windows)
            m_windows->Toggle(command);
        break;
    case MainCommand::Help:
        m_help.ShowHelp();
        break;
    case MainCommand::About:
        CAboutDlg::ShowAboutBox(this);
        break;
    case MainCommand::ImportPrices:
    case MainCommand::PreviewImport:
        ImportPrices(command == MainCommand::PreviewImport);
        break;
    }
    UpdateCheckMarks();
}

bool CQuorvelDlg::IsChecked(MainCommand command, MenuKind menu) const
{
    const SecondaryWindows windows = m_windows ? m_windows->Visibility() : SecondaryWindows{};
    return m_options.IsChecked(command, menu, windows);
}

void CQuorvelDlg::UpdateCheckMarks()
{
    for (MainCommand command : kCheckableCommands) {
        if (m_mainMenu)
            m_mainMenu->setChecked(NameOf(command), IsChecked(command, MenuKind::MenuBar));
        if (m_trayCommands)
            m_trayCommands->setChecked(NameOf(command), IsChecked(command, MenuKind::Tray));
    }
}

void CQuorvelDlg::Search()
{
    if (m_typingTimer)
        m_typingTimer->stop();
    m_searchText = m_searchEdit ? m_searchEdit->text() : QString();
    LookUp(ClipboardMonitor::Trim(m_searchText.toStdString()), false);
}

void CQuorvelDlg::SearchTyped()
{
    m_searchText = m_searchEdit ? m_searchEdit->text() : QString();
    LookupOptions options;
    options.userFilter = m_options.UserFilter();
    options.matchLevel = m_options.MatchLevel();
    m_typedSearch->Request(ClipboardMonitor::Trim(m_searchText.toStdString()), options);
}

void CQuorvelDlg::ShowTypedResult(std::uint64_t generation,
                                  const std::vector<const CardRecord*>& cards)
{
    // A later key, search or new catalogue made this result stale (its cards may be gone).
    if (generation != m_typedSearch->Latest())
        return;
    // Scoring the listed cards reads the lookup's options and filters.
    const std::unique_lock<std::recursive_mutex> hold = m_typedSearch->Hold();
    m_lastLookup = LookupStats{};
    m_grid->ClearShownCards();
    for (const CardRecord* card : cards)
        m_grid->AddShownCard(*card, false);
    FinishLookUp(ClipboardMonitor::Trim(m_searchText.toStdString()), false);
}

void CQuorvelDlg::LookUp(const std::string& text, bool fromClipboard)
{
    std::unique_lock<std::recursive_mutex> hold;
    if (m_typedSearch)
        hold = m_typedSearch->Hold();
    m_lookup.Options().userFilter = m_options.UserFilter();
    m_lookup.Options().matchLevel = m_options.MatchLevel();
    m_lookup.Options().bestMatch = m_options.BestMatch();
    m_lastLookup = m_lookup.LookUp(text, fromClipboard, *m_grid);
    FinishLookUp(text, fromClipboard);
}

void CQuorvelDlg::FinishLookUp(const std::string& text, bool fromClipboard)
{
    m_grid->SortByValueAndFit();
    ScoreListedCards(text, fromClipboard);
    SetCountCaption(m_grid->DataRowCount());
    if (m_monitor.TakeReportRequest(m_options.ClipboardMonitor()))
        ShowValueReport();
    m_grid->viewport()->update();
}

void CQuorvelDlg::ScoreListedCards(const std::string& text, bool fromClipboard)
{
    m_bestOrder.clear();
    if (!m_options.BestMatch())
        return;
    const MatchScorer scorer(text, m_lookup.Filters(), m_lookup.Options(), fromClipboard,
                             m_lookup.Limits());
    m_bestOrder = OrderByMatch(m_grid->ShownCards().CardsInGridOrder(), scorer);
    ShowMatchOrder();
}

// Rows by match score, best first, through the grid's own sort (a header click afterwards
// sorts by its column again); rows of cards the report lists are tinted green, rows that share
// some words with the text pale yellow, so the user sees why the report names what it names.
void CQuorvelDlg::ShowMatchOrder()
{
    std::unordered_map<std::int32_t, std::size_t> rank;
    for (std::size_t i = 0; i < m_bestOrder.size(); ++i)
        rank.emplace(m_bestOrder[i].card.id, i);
    const auto rankOf = [&rank](const CGridCellBase* cell) {
        if (cell == nullptr)
            return rank.size();
        const auto found =
            rank.find(card_item_tag::CardId(static_cast<std::uint32_t>(cell->GetData())));
        return found == rank.end() ? rank.size() : found->second;
    };
    // Sorted descending, so the better rank is the greater cell.
    m_grid->SetCompareCallback([&rankOf](const CGridCellBase* a, const CGridCellBase* b,
                                         std::intptr_t) {
        const std::size_t ra = rankOf(a);
        const std::size_t rb = rankOf(b);
        return ra < rb ? 1 : (ra > rb ? -1 : 0);
    });
    m_grid->SortByColumn(kRegValueColumn, false);
    m_grid->SetCompareCallback([this](const CGridCellBase* a, const CGridCellBase* b,
                                      std::intptr_t) { return m_grid->CompareCells(a, b); });
    constexpr GridColour kPassTint = 0xDCF0DC;
    constexpr GridColour kPartTint = 0xFFF5D0;
    for (int row = m_grid->GetFixedRowCount(); row < m_grid->GetRowCount(); ++row) {
        const CardRecord* card = m_grid->CardOfRow(row);
        const auto found = card ? rank.find(card->id) : rank.end();
        const int score = found == rank.end() ? 0 : m_bestOrder[found->second].score;
        const GridColour tint = score >= MatchScorer::kReportThreshold ? kPassTint
                                : score > 0                            ? kPartTint
                                                                       : kGridColourUnset;
        for (int column = 0; column < m_grid->GetColumnCount(); ++column)
            m_grid->SetCellBackColour(row, column, tint);
    }
}

void CQuorvelDlg::SetCountCaption(int count)
{
    if (m_cardsGroup)
        m_cardsGroup->setTitle(QString("%1 cards in list ").arg(count));
}

void CQuorvelDlg::ShowValueReport()
{
    const int rows = m_grid->DataRowCount();
    std::vector<CardRecord> cards;
    std::size_t reported = static_cast<std::size_t>(rows);
    if (m_options.BestMatch()) {
        // Only the cards that match well enough, best first: chatter reports none.
        cards = ReportedCards(m_bestOrder);
        reported = cards.size();
    } else {
        // The first three rows in grid order: the most valuable cards after the sort.
        for (int row = m_grid->GetFixedRowCount();
             row < m_grid->GetRowCount() && cards.size() < 3; ++row) {
            if (const CardRecord* card = m_grid->CardOfRow(row))
                cards.push_back(*card);
        }
    }
    const std::string report =
        BuildValueReport(reported, cards,
                         [this](std::int32_t setId) { return m_catalogue.SetName(setId); },
                         LookupCutNote(m_lastLookup, m_lookup.Limits()));
    if (rows == 0) {
        // The count caption keeps its 0: this row lists no card.
        m_grid->AddNotFoundRow();
    }
    m_lastReport = QString::fromStdString(report);
    if (m_reportPopup)
        m_reportPopup->showReport(m_lastReport, QCursor::pos(), kReportLifetimeMs);
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

void CQuorvelDlg::ImportPrices(bool preview)
{
    if (!m_priceImport || !m_priceImport->Run(preview))
        return;
    LoadCatalogue();
    // The two views of the collection show today's values.
    if (m_windows)
        m_windows->RefreshVisibleViews();
}

QWidget* CQuorvelDlg::ShowPriceHistory(std::int32_t cardId)
{
    const CardRecord* card = m_grid->ShownCards().Find(cardId);
    if (card == nullptr)
        card = m_catalogue.FindCard(cardId);
    if (card == nullptr)
        return nullptr;
    std::vector<PricePoint> history;
    std::string error;
    if (!price_history::Read(m_priceDatabase, cardId, history, &error)) {
        MessageBox::error(QString::fromStdString(error), this);
        return nullptr;
    }
    const std::string today = DateTime::Now().Format("%Y-%m-%d");
    const std::string& setName = m_catalogue.SetName(card->expansion);
    const QString title = setName.empty()
                              ? QString::fromStdString(card->name)
                              : QString::fromStdString(card->name + " (" + setName + ")");
    auto* window = new CPriceHistoryDlg(title, PlanPriceChart(history, *card, today), this);
    window->show();
    window->raise();
    return window;
}

void CQuorvelDlg::PutIntoList()
{
    if (m_windows && m_gridRows)
        m_windows->PutIntoList(*m_gridRows);
}

bool CQuorvelDlg::CopyText(const std::string& text)
{
    const bool taken = m_clipboard.setText(QString::fromStdString(text));
    // A write the clipboard refused must not leave the skip flag waiting for an outside copy.
    if (!taken)
        m_monitor.CancelIgnoreNextChange();
    return taken;
}

void CQuorvelDlg::Exit()
{
    m_exitRequested = true;
    if (m_reportPopup)
        m_reportPopup->closePopup();
    if (m_runLoop)
        m_runLoop->quit();
}

void CQuorvelDlg::ShowWindow()
{
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

void CQuorvelDlg::ApplyTopmost()
{
    const QRect place = geometry();
    const bool topmost = m_options.ToggleTopmost();
    // Changing the flag makes the window system recreate the window: keep its place.
    setWindowFlag(Qt::WindowStaysOnTopHint, topmost);
    setGeometry(place);
    show();
}

void CQuorvelDlg::ToggleClipboardMonitor()
{
    const bool on = m_options.ToggleClipboardMonitor();
    if (!m_tray)
        return;
    if (on)
        m_tray->startAnimation(kAnimationPeriodMs);
    else
        m_tray->stopAnimation();
}

void CQuorvelDlg::OnDrawClipboard(bool ownWrite)
{
    std::optional<std::string> text;
    if (!m_monitor.IsJoining()) {
        if (const std::optional<QString> read = m_clipboard.text())
            text = read->toStdString();
    }
    const ClipboardMonitor::Decision decision =
        m_monitor.OnDrawClipboard(text, m_options.ClipboardMonitor(), ownWrite);
    if (decision.outcome == ClipboardMonitor::Outcome::LookUp)
        LookUp(decision.text, true);
}

void CQuorvelDlg::escapePressed()
{
    // Emptying the box is no search: a typed search still waiting is dropped.
    if (m_typingTimer)
        m_typingTimer->stop();
    if (m_typedSearch)
        m_typedSearch->Supersede();
    m_searchText.clear();
    if (m_searchEdit)
        m_searchEdit->clear();
}

void CQuorvelDlg::reject()
{
}

void CQuorvelDlg::closeEvent(QCloseEvent* event)
{
    event->ignore();
    if (m_windows)
        m_windows->HideAll();
    // Without a tray the hidden window could never be shown again: minimise instead.
    if (TrayIcon::isAvailable())
        hide();
    else
        showMinimized();
}

void CQuorvelDlg::changeEvent(QEvent* event)
{
    CResizableDialog::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && isMinimized() && TrayIcon::isAvailable())
        QTimer::singleShot(0, this, [this] {
            if (isMinimized())
                hide();
        });
}
