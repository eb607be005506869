#pragma once

#include "app/HelpViewer.h"
#include "app/OptionFlags.h"
#include "clipboard/ClipboardMonitor.h"
#include "data/CardCatalogue.h"
#include "lookup/BestMatchOrder.h"
#include "lookup/CardLookup.h"
#include "lookup/OfferReader.h"
#include "toolkit/CResizableDialog.h"

#include <QIcon>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class BackgroundLookup;
class CADODataBase;
class CatalogueGridRows;
class CCardsGridCtrl;
class ClipboardViewer;
class MainCatalogue;
class MainClipboard;
class MainMenus;
class MainPrices;
class MainStatusLine;
class PriceImportCommand;
class PriceUpdateCommand;
class CTipPopup;
class DeckCommands;
class QEventLoop;
class QGroupBox;
class QLineEdit;
class QTimer;
class SecondaryWindowSet;
class TrayIcon;
class WelcomeBar;
struct WorthChange;

/// The main window (template 102): search box, three buttons, the card grid, the menu bar
/// hosted inside it, the tray icon with its menu, the option flags, the clipboard monitor and
/// the three secondary windows. Closing or minimising it only hides it; Exit ends its run.
class CQuorvelDlg : public CResizableDialog {
    Q_OBJECT
public:
    /// When the catalogue is loaded: before the constructor returns, or on a worker thread
    /// while the window is already shown (searches and clipboard lookups that come meanwhile
    /// wait for it).
    enum class CatalogueLoad { AtOnce, InBackground };

    CQuorvelDlg(CADODataBase& priceDatabase, CADODataBase& collectionDatabase,
                ClipboardViewer& clipboard, QWidget* parent = nullptr,
                CatalogueLoad load = CatalogueLoad::AtOnce);
    ~CQuorvelDlg() override;

    /// Shows the window and runs until Exit; then leaves the clipboard, saves the placement
    /// and destroys the secondary windows.
    void RunModal();
    /// True once Exit was chosen.
    bool ExitRequested() const { return m_exitRequested; }

    /// Runs a command of the menus, the tray, the buttons or the keys.
    void OnCommand(MainCommand command);
    /// The same by the name a menu resource gives it ("TradingList", "UserDefFilter", ...).
    void OnCommandName(const QString& name);
    /// Whether the item of `command` in `menu` carries a check mark now.
    bool IsChecked(MainCommand command, MenuKind menu) const;

    /// The whole lookup: lists the cards the text names, sorts them by regular value (by match
    /// score with Best Match First), writes the count caption and, for a clipboard lookup with
    /// the monitor on, shows the value report beside the cursor (with Best Match First only
    /// the cards scoring at least MatchScorer::kReportThreshold).
    void LookUp(const std::string& text, bool fromClipboard);
    QString SearchText() const { return m_searchText; }

    ClipboardMonitor& Monitor() { return m_monitor; }
    CardCatalogue& Catalogue() { return m_catalogue; }
    const std::string& CatalogueError() const;
    /// False while the catalogue loads in the background.
    bool CatalogueReady() const;
    HelpViewer& Help() { return m_help; }
    PriceImportCommand& PriceImport() { return *m_priceImport; }
    PriceUpdateCommand& PriceUpdate() { return *m_priceUpdate; }
    /// The daily update, the watch for outside changes and the "Price changes" window.
    MainPrices& Prices() { return *m_prices; }
    /// The bar shown at the very first start; null once closed or at any later start.
    WelcomeBar* Welcome() const { return m_welcome; }

    /// Opens the price history window of a catalogue card; returns it (null for an unknown
    /// card or an unreadable history, which is reported).
    QWidget* ShowPriceHistory(std::int32_t cardId);

    static MainCommand CommandByName(const QString& name, bool* known = nullptr);

    /// A typed search runs this long after the last key press in the search box.
    static constexpr int kTypingPauseMs = 150;

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void escapePressed() override;

public slots:
    /// The dialog's cancel action never closes the main window.
    void reject() override;

private:
    void LoadFilters();
    void ScoreListedCards(const std::string& text, bool fromClipboard);
    void ShowValueReport();
    void SetCountCaption(int count);
    void CorrectPrice();
    void ImportPrices(bool preview);
    void UpdatePrices();
    /// After the window's own import or update changed the price database; `before` is the
    /// collection's worth taken before it.
    void PricesWritten(const std::optional<WorthChange>& before);
    void CreatePrices();
    void ShowWelcomeBar();
    void CloseWelcomeBar();
    void SetUpdateDaily(bool on);
    void SetBestMatch(bool on);
    void ShowPriceChanges();
    /// Reads the catalogue again off the window's thread; then the grid and the views show the
    /// new values and `then` runs.
    void ReloadInBackground(std::function<void()> then);
    /// The grid and the open views show the values of the catalogue just read.
    void CatalogueReloaded();
    /// The prices side may not start a reload or an update now.
    bool PricesBusy() const;
    void CreateDeckCommands();
    void DeckCommand(MainCommand command);
    void PutIntoList();
    void InitDialog();
    void CreateMenus();
    void AddKeys();
    void CreateTray();
    void UpdateCheckMarks();
    void ShowWindow();
    void ApplyTopmost();
    void ToggleClipboardMonitor();
    void Search();
    void SearchTyped();
    /// Drops a typed search still waiting for its pause or for the cards to load.
    void CancelTypedSearch();
    void LookUpNow(const std::string& text, bool fromClipboard);
    void ShowTypedResult(std::uint64_t generation, const std::vector<const CardRecord*>& cards);
    void FinishLookUp(const std::string& text, bool fromClipboard);
    void Exit();
    void Destroy();

    CADODataBase& m_priceDatabase;
    CADODataBase& m_collectionDatabase;
    ClipboardViewer& m_clipboard;

    OptionFlags m_options;
    ClipboardMonitor m_monitor;
    CardCatalogue m_catalogue;
    CardLookup m_lookup;
    std::unique_ptr<DeckCommands> m_decks;
    std::unique_ptr<MainCatalogue> m_catalogueLoad;
    LookupStats m_lastLookup;
    // Declared after the lookup it uses, so it stops first.
    std::unique_ptr<BackgroundLookup> m_typedSearch;
    QTimer* m_typingTimer = nullptr;
    // What the last copied text offers for the cards its report lists (Best Match First).
    std::optional<Offer> m_lastOffer;
    std::uint64_t m_typing = 0;  // keys, Escapes, searches and copies so far
    std::vector<ScoredCard> m_bestOrder;  // the last lookup's cards by score (Best Match First)
    QString m_searchText;
    QIcon m_icon;
    HelpViewer m_help;

    QLineEdit* m_searchEdit = nullptr;
    QGroupBox* m_cardsGroup = nullptr;
    CCardsGridCtrl* m_grid = nullptr;
    std::unique_ptr<CatalogueGridRows> m_gridRows;
    std::unique_ptr<MainMenus> m_menus;
    TrayIcon* m_tray = nullptr;
    CTipPopup* m_reportPopup = nullptr;
    MainStatusLine* m_statusLine = nullptr;
    std::unique_ptr<SecondaryWindowSet> m_windows;
    std::unique_ptr<PriceImportCommand> m_priceImport;
    std::unique_ptr<PriceUpdateCommand> m_priceUpdate;
    std::unique_ptr<MainPrices> m_prices;
    WelcomeBar* m_welcome = nullptr;

    MainClipboard* m_clipboardChain = nullptr;
    QEventLoop* m_runLoop = nullptr;
    bool m_exitRequested = false;
    bool m_destroyed = false;
};
