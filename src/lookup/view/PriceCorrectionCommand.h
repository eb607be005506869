#pragma once

#include "prices/PriceCorrection.h"

#include <functional>

class CADODataBase;
class CCardsGridCtrl;
class CardCatalogue;
class QWidget;

/// The main window's "Correct Price" command: asks "Are you sure to update the database?",
/// stores the ticked rows of the catalogue grid into the price database, tells the user the
/// result and, when cards were updated, reloads the catalogue. Every box goes through the
/// toolkit's MessageBox, so tests answer it.
class PriceCorrectionCommand {
public:
    /// Runs the command. The outcome is empty (no update, no failure) when the user answered
    /// No or no row was ticked. `reloaded` is called after the catalogue was loaded again
    /// (whatever holds on to its card list, such as the lookup, must prepare again then).
    static PriceCorrectionOutcome Run(CCardsGridCtrl& grid, CADODataBase& priceDatabase,
                                      CardCatalogue& catalogue, QWidget* owner = nullptr,
                                      const std::function<void()>& reloaded = {});
};
