#include "app/CQuorvelDlg.h"

#include "app/CAboutDlg.h"
#include "app/MainCatalogue.h"
#include "app/MainClipboard.h"
#include "app/MainMenus.h"
#include "app/MainPrices.h"
#include "app/MainStatusLine.h"
#include "app/PriceImportCommand.h"
#include "app/PriceUpdateCommand.h"
#include "app/SecondaryWindowSet.h"
#include "clipboard/ClipboardViewer.h"
#include "data/CADOConnection.h"
#include "data/CADODataBase.h"
#include "decks/CopiedDeckText.h"
#include "decks/view/DeckCommands.h"
#include "grid/CGridCellBase.h"
#include "lookup/BackgroundLookup.h"
#include "lookup/BestMatchOrder.h"
#include "lookup/CardGridColumn.h"
#include "lookup/CardItemTag.h"
#include "lookup/FilterList.h"
#include "lookup/MatchScorer.h"
#include "lookup/OfferReport.h"
#include "lookup/ValueReport.h"
#include "lookup/view/CCardsGridCtrl.h"
#include "toolkit/AppSettings.h"
#include "toolkit/CTipPopup.h"
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
#include <QGroupBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>


namespace {
constexpr int kReportLifetimeMs = 10000;
} // namespace

CQuorvelDlg::CQuorvelDlg(CADODataBase& priceDatabase, CADODataBase& collectionDatabase,
                         ClipboardViewer& clipboard, QWidget* parent, CatalogueLoad load)
    : CResizableDialog(resource::kMainDialog, parent), m_priceDatabase(priceDatabase),
      m_collectionDatabase(collectionDatabase), m_clipboard(clipboard)
{
    setObjectName("CQuorvelDlg");
    // Construction: icon, catalogue, user filters.
    m_icon = Resources::icon(resource::kAppIcon);
    // The one option the user's choice outlives the run for.
    m_options.SetBestMatch(AppSettings::bestMatchFirst());
    m_options.SetUpdateDaily(AppSettings::updatePricesDaily());
    m_catalogueLoad = std::make_unique<MainCatalogue>(m_priceDatabase, m_catalogue, m_lookup);
    // The grid lists the catalogue's own records: it keeps copies before they go.
    m_catalogueLoad->SetBeforeReplace([this] {
        if (m_grid)
            m_grid->KeepOwnCopies();
    });
    m_catalogueLoad->SetAfterReplace([this] {
        if (m_statusLine)
            m_statusLine->Update(m_catalogue);
    });
    if (load == CatalogueLoad::AtOnce)
        m_catalogueLoad->Load();
    LoadFilters();
    InitDialog();
    m_typedSearch = std::make_unique<BackgroundLookup>(
        m_lookup, [this](std::uint64_t generation, std::vector<const CardRecord*> cards) {
            auto found = std::make_shared<std::vector<const CardRecord*>>(std::move(cards));
            QMetaObject::invokeMethod(
                this, [this, generation, found] { ShowTypedResult(generation, *found); },
                Qt::QueuedConnection);
        });
    // Views opened while the catalogue loaded showed no names and values.
    if (load == CatalogueLoad::InBackground)
        m_catalogueLoad->StartLoading([this] { return m_typedSearch->Hold(); }, m_cardsGroup,
                                      [this] { m_windows->RefreshVisibleViews(); });
}

CQuorvelDlg::~CQuorvelDlg()
{
    Destroy();
    m_typedSearch.reset();
}

const std::string& CQuorvelDlg::CatalogueError() const
{
    return m_catalogueLoad->Error();
}

bool CQuorvelDlg::CatalogueReady() const
{
    return m_catalogueLoad->IsReady();
}

void CQuorvelDlg::LoadFilters()
{
    FilterLoadResult loaded = ::LoadFilters(kFilterFileName);
    // One box however many lines are faulty: two hundred boxes take minutes to click away.
    if (!loaded.errors.empty())
        MessageBox::error(QString::fromStdString(FilterErrorsText(loaded.errors)));
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
            ++m_typing;
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
    m_clipboardChain = new MainClipboard(
        m_clipboard, m_monitor,
        {[this] { return m_options.ClipboardMonitor(); },
         [this](std::function<void()> request) { m_catalogueLoad->WhenReady(std::move(request)); },
         [this](const std::string& text) { LookUp(text, true); }},
        this);
    m_clipboardChain->Join();
    setWindowIcon(m_icon);
    CreateMenus();
    ShowWelcomeBar();
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
    m_statusLine = new MainStatusLine(this);
    hostStatusLine(m_statusLine);
    m_statusLine->Update(m_catalogue);
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
    context.cardSets = [this](std::int32_t catalogueId) {
        return CatalogueCardSet(m_catalogue, catalogueId);
    };
    context.copyText = [this](const std::string& text) {
        return m_clipboardChain->CopyText(text);
    };
    m_windows = std::make_unique<SecondaryWindowSet>(context);
    CreateDeckCommands();
    // Ctrl+Q quits from the secondary windows too, as from the main window's File menu.
    for (const MainCommand command :
         {MainCommand::TradingList, MainCommand::MyCollection, MainCommand::TransactionLog}) {
        if (QWidget* window = m_windows->Window(command))
            connect(new QShortcut(QKeySequence(QStringLiteral("Ctrl+Q")), window),
                    &QShortcut::activated, this, [this] { Exit(); });
    }
    m_priceImport = std::make_unique<PriceImportCommand>(
        CADOConnection::DataSourcePath(m_priceDatabase.GetConnectionString()), this);
    m_priceUpdate = std::make_unique<PriceUpdateCommand>(
        CADOConnection::DataSourcePath(m_priceDatabase.GetConnectionString()), this);
    CreatePrices();
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
    m_menus = std::make_unique<MainMenus>();
    if (!m_menus->Create(this, [this](QMenuBar* bar) { hostMenuBar(bar); }))
        return;
    for (CommandMenu* menu : {m_menus->Bar(), m_menus->TrayCommands()}) {
        connect(menu, &CommandMenu::commandTriggered, this, &CQuorvelDlg::OnCommandName);
        connect(menu, &CommandMenu::aboutToShow, this, &CQuorvelDlg::UpdateCheckMarks);
    }
    UpdateCheckMarks();
}

void CQuorvelDlg::CreateTray()
{
    m_tray = m_menus->CreateTray(this, m_icon, m_options.ClipboardMonitor());
    connect(m_tray, &TrayIcon::defaultCommand, this,
            [this] { OnCommand(MainCommand::ShowWindow); });
}

void CQuorvelDlg::RunModal()
{
    show();
    if (m_exitRequested)
        return;
    // The daily update waits until the window is usable.
    m_prices->Start();
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
    m_clipboardChain->Leave();
    savePlacement();
    if (m_tray)
        m_tray->stopAnimation();
    m_decks.reset();
    m_windows.reset();
    // A background update is cancelled and waited for: the database stays as it was.
    m_prices.reset();
}

MainCommand CQuorvelDlg::CommandByName(const QString& name, bool* known)
{
    return MainMenus::CommandByName(name, known);
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
        SetBestMatch(!m_options.BestMatch());
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
    case MainCommand::UpdatePrices:
        UpdatePrices();
        break;
    case MainCommand::UpdateDaily:
        SetUpdateDaily(!m_options.UpdateDaily());
        break;
    case MainCommand::PriceChanges:
        ShowPriceChanges();
        break;
    case MainCommand::DeckCost:
    case MainCommand::ImportCollection:
    case MainCommand::ExportCollection:
    case MainCommand::ExportTradeList:
        DeckCommand(command);
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
    if (m_menus)
        m_menus->UpdateCheckMarks(
            [this](MainCommand command, MenuKind menu) { return IsChecked(command, menu); });
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
    if (!m_catalogueLoad->IsReady()) {
        // Runs once the cards are in, unless a key, Escape, a search or a copied text came
        // meanwhile (the load itself makes no typing stale).
        const std::uint64_t typing = m_typing;
        m_catalogueLoad->WhenReady([this, typing] {
            if (m_typing == typing)
                SearchTyped();
        });
        return;
    }
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

void CQuorvelDlg::CancelTypedSearch()
{
    if (m_typingTimer)
        m_typingTimer->stop();
    if (m_typedSearch)
        m_typedSearch->Supersede();
    ++m_typing;
}

void CQuorvelDlg::LookUp(const std::string& text, bool fromClipboard)
{
    // A search or a copied text replaces what was typed before it: the grid and the report
    // show one lookup, never a typed search that fires after the copy.
    CancelTypedSearch();
    if (!m_catalogueLoad->IsReady()) {
        m_catalogueLoad->WhenReady(
            [this, text, fromClipboard] { LookUpNow(text, fromClipboard); });
        return;
    }
    LookUpNow(text, fromClipboard);
}

void CQuorvelDlg::LookUpNow(const std::string& text, bool fromClipboard)
{
    std::unique_lock<std::recursive_mutex> hold;
    if (m_typedSearch)
        hold = m_typedSearch->Hold();
    m_lookup.Options().userFilter = m_options.UserFilter();
    m_lookup.Options().matchLevel = m_options.MatchLevel();
    m_lookup.Options().bestMatch = m_options.BestMatch();
    // A copied piece of a deck or collection file is looked up by the names it holds.
    const std::string lookedUp = fromClipboard ? copied_deck::LookupText(text) : text;
    m_lastLookup = m_lookup.LookUp(lookedUp, fromClipboard, *m_grid);
    FinishLookUp(lookedUp, fromClipboard);
}

void CQuorvelDlg::FinishLookUp(const std::string& text, bool fromClipboard)
{
    m_grid->SortByValueAndFit();
    ScoreListedCards(text, fromClipboard);
    m_lastOffer.reset();
    if (fromClipboard && m_options.BestMatch()) {
        std::vector<std::string> names;
        for (const CardRecord& card : ReportedCards(m_bestOrder))
            names.push_back(card.name);
        m_lastOffer = ReadOffer(text, names, m_lookup.Filters());
    }
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
    // Best first, rows tinted by score: green for the reported cards, pale yellow for those
    // sharing some words with the text, so the user sees why the report names what it names.
    m_grid->SetMatchScores(m_bestOrder);
    m_grid->SortByMatch();
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
    std::optional<OfferAdditions> additions;
    if (m_options.BestMatch()) {
        // Only the cards that match well enough, best first: chatter reports none.
        cards = ReportedCards(m_bestOrder);
        reported = cards.size();
        if (m_lastOffer)
            additions = MakeOfferAdditions(cards, *m_lastOffer);
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
                         LookupCutNote(m_lastLookup, m_lookup.Limits()),
                         additions ? &*additions : nullptr);
    if (rows == 0) {
        // The count caption keeps its 0: this row lists no card.
        m_grid->AddNotFoundRow();
    }
    if (m_reportPopup)
        m_reportPopup->showReport(QString::fromStdString(report), QCursor::pos(),
                                  kReportLifetimeMs);
}

void CQuorvelDlg::PutIntoList()
{
    if (m_windows && m_gridRows)
        m_windows->PutIntoList(*m_gridRows, m_lastOffer ? &*m_lastOffer : nullptr);
}

void CQuorvelDlg::Exit()
{
    // A trade list never saved is a document: quitting asks once, and Cancel keeps running.
    if (!m_exitRequested && m_windows && m_windows->TradeList() &&
        !m_windows->TradeList()->ConfirmQuit())
        return;
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
    m_menus->AnimateTray(m_options.ToggleClipboardMonitor());
}

void CQuorvelDlg::escapePressed()
{
    // Emptying the box is no search: a typed search still waiting is dropped.
    CancelTypedSearch();
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
