// The main window's commands on decks and the game client's files.

#include "app/CQuorvelDlg.h"

#include "app/MainCatalogue.h"
#include "app/MainClipboard.h"
#include "app/SecondaryWindowSet.h"
#include "decks/view/DeckCommands.h"

void CQuorvelDlg::CreateDeckCommands()
{
    DeckCostContext context;
    context.catalogue = &m_catalogue;
    context.priceDatabase = &m_priceDatabase;
    context.collectionDatabase = &m_collectionDatabase;
    context.tradeList = [this] {
        return m_windows && m_windows->TradeList() ? &m_windows->TradeList()->List() : nullptr;
    };
    context.showTradeList = [this] {
        if (m_windows && m_windows->TradeList())
            m_windows->TradeList()->ShowList();
    };
    context.copyText = [this](const std::string& text) {
        return m_clipboardChain->CopyText(text);
    };
    m_decks = std::make_unique<DeckCommands>(
        context, [this] { m_windows->RefreshVisibleViews(); }, this);
}

void CQuorvelDlg::DeckCommand(MainCommand command)
{
    // The deck commands read the catalogue, which may still be loading.
    if (!m_catalogueLoad->IsReady())
        return m_catalogueLoad->WhenReady([this, command] { DeckCommand(command); });
    switch (command) {
    case MainCommand::DeckCost:
        m_decks->ShowDeckCost();
        break;
    case MainCommand::ImportCollection:
        m_decks->ImportCollection();
        break;
    case MainCommand::ExportCollection:
        m_decks->ExportCollection();
        break;
    case MainCommand::ExportTradeList:
        m_decks->ExportTradeList();
        break;
    default:
        break;
    }
}
