#include "app/SecondaryWindowSet.h"

#include "toolkit/CResizableDialog.h"
#include "toolkit/ResourceIds.h"
#include "toolkit/Resources.h"

namespace {

std::unique_ptr<CResizableDialog> MakeWindow(int templateId, const char* section,
                                             const char* objectName)
{
    // Top-level windows with the desktop as parent: hiding the main window by minimising it
    // leaves them on screen.
    auto window = std::make_unique<CResizableDialog>(templateId);
    window->setObjectName(objectName);
    window->setWindowIcon(Resources::icon(resource::kAppIcon));
    window->setPlacementSection(section);
    window->hide();
    return window;
}

} // namespace

SecondaryWindowSet::SecondaryWindowSet()
{
    m_tradeList = MakeWindow(resource::kTradeListDialog, "CDlgCardsList", "tradeListWindow");
    m_collection = MakeWindow(resource::kCollectionDialog, "CDlgCollection", "collectionWindow");
    m_transactionLog =
        MakeWindow(resource::kCollectionDialog, "CDlgTransaction", "transactionLogWindow");
    m_transactionLog->setWindowTitle("Transaction Log");
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

QWidget* SecondaryWindowSet::TradeList() const
{
    return m_tradeList.get();
}

QWidget* SecondaryWindowSet::Collection() const
{
    return m_collection.get();
}

QWidget* SecondaryWindowSet::TransactionLog() const
{
    return m_transactionLog.get();
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
        Refresh(command);
        break;
    case WindowToggle::Show:
        window->show();
        break;
    }
}

void SecondaryWindowSet::Refresh(MainCommand /*command*/)
{
}

void SecondaryWindowSet::HideAll()
{
    for (QWidget* window : {TradeList(), Collection(), TransactionLog()}) {
        if (window)
            window->hide();
    }
}

SecondaryWindows SecondaryWindowSet::Visibility() const
{
    auto visible = [](const QWidget* window) { return window && window->isVisible(); };
    return {visible(TradeList()), visible(Collection()), visible(TransactionLog())};
}
