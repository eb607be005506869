#pragma once

/// The commands of the main window's menu bar, tray menu, buttons and keys.
enum class MainCommand {
    Search,
    PutIntoList,
    CorrectPrice,
    Exit,
    ShowWindow,
    Topmost,
    ClipboardMonitor,
    MatchLevelLow,
    UserFilter,
    BestMatch,
    TradingList,
    MyCollection,
    TransactionLog,
    Help,
    About,
    ImportPrices,
    PreviewImport,
    UpdatePrices,
    UpdateDaily,
    PriceChanges,
    DeckCost,
    ImportCollection,
    ExportCollection,
    ExportTradeList,
};

/// Which menu asks for a check mark: the two menus differ for Clipboard Monitor.
enum class MenuKind { MenuBar, Tray };

/// Visibility of the three secondary windows, for their check marks.
struct SecondaryWindows {
    bool tradeList = false;
    bool collection = false;
    bool transactionLog = false;
};

/// What a View menu command does to its window.
enum class WindowToggle { Hide, Show, ShowAndRefresh };

/// The option flags of the main window and the rules of the commands that toggle them.
/// None of them is saved but Best Match First and Update Prices Daily, which the main window
/// keeps in the settings:
/// every run starts with the initial values.
class OptionFlags {
public:
    bool Topmost() const { return m_topmost; }
    bool ClipboardMonitor() const { return m_clipboardMonitor; }
    bool UserFilter() const { return m_userFilter; }
    int MatchLevel() const { return m_matchLevel; }
    /// Best Match First: order what a lookup found by match score; off until chosen.
    bool BestMatch() const { return m_bestMatch; }
    void SetBestMatch(bool on) { m_bestMatch = on; }
    /// Update Prices Daily: the price update that runs by itself; off until chosen.
    bool UpdateDaily() const { return m_updateDaily; }
    void SetUpdateDaily(bool on) { m_updateDaily = on; }

    /// Topmost command: returns true when the window must move into the topmost band.
    bool ToggleTopmost();
    /// Clipboard Monitor command: returns the new state (true: start the tray animation).
    bool ToggleClipboardMonitor();
    /// Match Level Low command: level 1 becomes 2, anything else becomes 1.
    void ToggleMatchLevelLow();
    void ToggleUserFilter();
    /// Best Match First command: returns the new state.
    bool ToggleBestMatch();

    /// Whether `command`'s item in `menu` carries a check mark.
    bool IsChecked(MainCommand command, MenuKind menu, const SecondaryWindows& windows) const;

    /// What Trading List, My Collection or Transaction Log does to a window that is
    /// `visible`; the two views of the collection reload their rows each time they are shown.
    static WindowToggle ToggleWindow(MainCommand command, bool visible);

private:
    bool m_topmost = false;
    bool m_clipboardMonitor = true;
    bool m_userFilter = true;
    int m_matchLevel = 1;
    bool m_bestMatch = false;
    bool m_updateDaily = false;
};
