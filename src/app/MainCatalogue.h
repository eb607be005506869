#pragma once

#include <QString>

#include <cstdint>
#include <string>

class CADODataBase;
class CardCatalogue;
class CardLookup;
class QWidget;
struct CardRecord;

/// The main window's side of the price database: the card catalogue loaded from it with the
/// lookup prepared for it, what the user is told when it cannot be read, and the price history
/// of a card.
class MainCatalogue {
public:
    MainCatalogue(CADODataBase& priceDatabase, CardCatalogue& catalogue, CardLookup& lookup);

    /// Loads the catalogue (again) and prepares the lookup for it. An unreadable database is
    /// reported in a message box; the program goes on with an empty catalogue.
    void Load();

    /// Why a load failed; empty while none has.
    const std::string& Error() const { return m_error; }

    /// Opens the price history window of `card` over `parent`; null when the history cannot
    /// be read (which is reported).
    QWidget* ShowPriceHistory(const CardRecord& card, QWidget* parent);

private:
    /// Which price database file could not be opened and what the user can do about it.
    QString PriceDatabaseAdvice() const;

    CADODataBase& m_priceDatabase;
    CardCatalogue& m_catalogue;
    CardLookup& m_lookup;
    std::string m_error;
};
