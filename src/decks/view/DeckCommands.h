#pragma once

#include "decks/view/CDlgDeckCost.h"

#include <QPointer>

#include <functional>

class QWidget;

/// The main window's commands on decks and the client's files: the Deck Cost window, the
/// collection import with its preview, and the exports of My Collection and the Trading List
/// as a deck file or a collection export.
class DeckCommands {
public:
    /// `collectionChanged` runs after an import changed My Collection (the views reload).
    DeckCommands(DeckCostContext context, std::function<void()> collectionChanged, QWidget* owner);
    ~DeckCommands();

    /// Opens the Deck Cost window (one, kept while the program runs) and brings it up.
    CDlgDeckCost* ShowDeckCost();
    CDlgDeckCost* DeckCostWindow() const { return m_deckCost; }

    /// File > Import Collection...: asks for the file, previews, asks, imports. Returns true
    /// when My Collection was changed.
    bool ImportCollection();
    /// Saves My Collection or the Trading List as a .dek or a collection .csv (by the
    /// extension of the name chosen).
    void ExportCollection();
    void ExportTradeList();

private:
    bool LoadSources(DeckSources& sources);
    void Export(const QString& title,
                const std::vector<std::pair<std::int32_t, std::int32_t>>& copies,
                const DeckSources& sources);

    DeckCostContext m_context;
    std::function<void()> m_collectionChanged;
    QWidget* m_owner;
    QPointer<CDlgDeckCost> m_deckCost;
};
