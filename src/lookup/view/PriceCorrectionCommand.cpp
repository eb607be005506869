#include "lookup/view/PriceCorrectionCommand.h"

#include "data/CardCatalogue.h"
#include "data/DateTime.h"
#include "lookup/view/CCardsGridCtrl.h"
#include "toolkit/MessageBox.h"

#include <QApplication>

PriceCorrectionOutcome PriceCorrectionCommand::Run(CCardsGridCtrl& grid,
                                                   CADODataBase& priceDatabase,
                                                   CardCatalogue& catalogue, QWidget* owner,
                                                   const std::function<void()>& reloaded)
{
    const auto answer = MessageBox::show(
        PriceCorrection::kQuestion, PriceCorrection::kQuestionCaption, MessageBox::Icon::Question,
        MessageBox::Buttons::YesNo, MessageBox::Answer::No, owner);
    if (answer != MessageBox::Answer::Yes) {
        return {};
    }
    PriceCorrectionOutcome outcome;
    if (grid.GetRowCount() > 0) {
        grid.EndEditing(); // a value still being typed counts as typed
        QApplication::setOverrideCursor(Qt::WaitCursor);
        outcome = PriceCorrection(priceDatabase, grid.ShownCards())
                      .Apply(grid.MarkedRows(), DateTime::Now());
        QApplication::restoreOverrideCursor();
    }
    const PriceCorrectionMessage message = PriceCorrection::MessageFor(outcome);
    MessageBox::show(QString::fromStdString(message.text), QString::fromStdString(message.caption),
                     message.isError ? MessageBox::Icon::Error : MessageBox::Icon::Warning,
                     MessageBox::Buttons::Ok, MessageBox::Answer::Ok, owner);
    if (outcome.updated > 0) {
        // The listed records are the catalogue's: the grid keeps its own before they go.
        grid.KeepOwnCopies();
        std::string error;
        if (!catalogue.LoadCatalogue(priceDatabase, &error)) {
            MessageBox::error(QString::fromStdString(
                                  "The prices were stored, but the card list could not be read "
                                  "again:\n\n" +
                                  error),
                              owner);
        }
        // Called after a failed load too: the catalogue is empty then, and whatever
        // prepared itself on the old list must not keep reading it.
        if (reloaded) {
            reloaded();
        }
    }
    return outcome;
}
