#include "app/SecondaryWindowSet.h"

#include "toolkit/ResourceIds.h"
#include "toolkit/Resources.h"
#include "trade/view/CDlgCollection.h"

namespace {

std::unique_ptr<CDlgCollection> MakeCollectionView(CollectionViewMode mode,
                                                   const SecondaryWindowContext& context)
{
    // Top-level windows with the desktop as parent: hiding the main window by minimising it
    // leaves them on screen.
    auto view = std::make_unique<CDlgCollection>(mode);
    view->setObjectName(mode == CollectionViewMode::Collection ? "collectionWindow"
                                                                 : "transactionLogWindow");
    view->SetCollectionDatabase(context.collectionDatabase);
    view->SetCatalogueRows(context.catalogueRows);
    view->SetCardNames(context.cardNames);
    view->SetCardValues(context.cardValues);
    view->SetCardSets(context.cardSets);
    view->hide();
    return view;
}

} // namespace

SecondaryWindowSet::SecondaryWindowSet(const SecondaryWindowContext& context)
{
    m_tradeList = std::make_unique<CDlgCardsList>();
    m_tradeList->setObjectName("tradeListWindow");
    m_tradeList->SetCollectionDatabase(context.collectionDatabase);
    m_tradeList->SetCopyText(context.copyText);
    m_tradeList->SetCardSets(context.cardSets);
    m_tradeList->hide();
    m_collection = MakeCollectionView(CollectionViewMode::Collection, context);
    m_transactionLog = MakeCollectionView(CollectionViewMode::TransactionLog, context);
}

SecondaryWindowSet::~SecondaryWindowSet()
{
    Destroy();
}

void SecondaryWindowSet::Destroy()
{
    m_tradeList.reset();
    m_collection.reset();
    m_transactionLog.reset();
}

QWidget* SecondaryWindowSet::Window(MainCommand command) const
{
    switch (command) {
    case MainCommand::TradingList:
        return TradeList();
    case MainCommand::MyCollection:
        return Collection();
    case MainCommand::TransactionLog:
        return TransactionLog();
    default:
        return nullptr;
    }
}

void SecondaryWindowSet::Toggle(MainCommand command)
{
    QWidget* window = Window(command);
    if (!window)
        return;
    switch (OptionFlags::ToggleWindow(command, window->isVisible())) {
    case WindowToggle::Hide:
        window->hide();
        break;
    case WindowToggle::ShowAndRefresh:
        window->show();
        static_cast<CDlgCollection*>(window)->RefreshView();
        break;
    case WindowToggle::Show:
        window->show();
        break;
    }
}

void SecondaryWindowSet::PutIntoList(const CatalogueRows& rows, const Offer* offer)
{
    if (m_tradeList)
        m_tradeList->PutIntoList(rows, offer);
}

void SecondaryWindowSet::RefreshVisibleViews()
{
    for (CDlgCollection* view : {Collection(), TransactionLog()}) {
        if (view && view->isVisible())
            view->RefreshView();
    }
}

void SecondaryWindowSet::HideAll()
{
    for (QWidget* window : {Window(MainCommand::TradingList), Window(MainCommand::MyCollection),
                            Window(MainCommand::TransactionLog)}) {
        if (window)
            window->hide();
    }
}

SecondaryWindows SecondaryWindowSet::Visibility() const
{
    auto visible = [](const QWidget* window) { return window && window->isVisible(); };
    return {visible(TradeList()), visible(Collection()), visible(TransactionLog())};
}
