#pragma once

#include "decks/DeckCost.h"
#include "decks/DeckSources.h"

#include <QDialog>

#include <functional>
#include <string>

class CADODataBase;
class CardCatalogue;
class CGridCtrl;
class QLabel;
class QPlainTextEdit;
class TradeList;

/// Where the Deck Cost window gets its cards and puts what it makes.
struct DeckCostContext {
    const CardCatalogue* catalogue = nullptr;
    CADODataBase* priceDatabase = nullptr;
    CADODataBase* collectionDatabase = nullptr;
    /// The Trading List that "Add Missing to Trading List" fills; null when there is none.
    std::function<TradeList*()> tradeList;
    /// Puts text on the clipboard (without it being looked up); false when not taken.
    std::function<bool(const std::string&)> copyText;
    /// Shows the Trading List window with the cards just added.
    std::function<void()> showTradeList;
};

/// The "Deck Cost" window: a deck from a file (opened or dropped) or pasted text, each line's
/// version, value, copies owned and missing with the totals, the lines that name no card, and
/// the actions Add Missing to Trading List, Copy Missing and Save as .dek.
class CDlgDeckCost : public QDialog {
    Q_OBJECT
public:
    /// The settings section that keeps the window's place between starts.
    static constexpr const char* kPlacementSection = "CDlgDeckCost";

    explicit CDlgDeckCost(DeckCostContext context, QWidget* parent = nullptr);
    ~CDlgDeckCost() override;

    /// Reads a deck file into the text box and prices it.
    bool LoadFile(const QString& path);
    /// Prices the text in the text box (again).
    void PriceDeck();

    const DeckCost& Cost() const { return m_cost; }
    CGridCtrl* Grid() const { return m_grid; }
    QString TotalsText() const;
    QString UnmatchedText() const;

    void OnOpen();
    void OnAddMissing();
    void OnCopyMissing();
    void OnSaveDek();

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void Show(const DeckFile& file);
    void FillGrid();
    void OnEditEnded(int row, int column, const QString& text);

    DeckCostContext m_context;
    DeckSources m_sources;
    DeckCost m_cost;
    bool m_priced = false;
    QPlainTextEdit* m_input = nullptr;
    CGridCtrl* m_grid = nullptr;
    QLabel* m_totals = nullptr;
    QPlainTextEdit* m_unmatched = nullptr;
};
