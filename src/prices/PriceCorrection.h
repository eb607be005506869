#pragma once

#include <cstdint>
#include <string>
#include <vector>

class CADODataBase;
class DateTime;
class ShownCardsTable;

/// One row of the catalogue grid whose "Cards Name" box is ticked: the card, the texts of its
/// two value cells as the user left them and whether the user changed each. A value the user
/// did not change is stored as it is, never as the rounded text the cell shows.
struct MarkedPriceRow {
    std::int32_t cardId = 0;
    std::string regText;
    std::string foilText;
    bool regEdited = true;  ///< false: the cell still shows the stored value
    bool foilEdited = true;
};

/// What a correction did.
struct PriceCorrectionOutcome {
    int updated = 0;     ///< cards written; 0 after a failure, which writes none
    bool failed = false; ///< the database refused; nothing was stored
    std::string error;   ///< the database's last error when failed
};

/// A message to show the user after a correction.
struct PriceCorrectionMessage {
    std::string text;
    std::string caption;
    bool isError = false; ///< error icon; otherwise the exclamation icon
};

/// Stores corrected prices of ticked grid rows into the price database. All cards of one
/// correction are written in one database transaction: either every ticked card gets its new
/// values, hot flag, date and manual mark (and a price history row for the day), or (closed database, missing row, refused save)
/// none does and the listed cards stay as they were.
class PriceCorrection {
public:
    static constexpr const char* kQuestion = "Are you sure to update the database?";
    static constexpr const char* kQuestionCaption = "Caution";
    static constexpr const char* kSelectQuery = "select * from cardslist where id=%d";

    PriceCorrection(CADODataBase& priceDatabase, ShownCardsTable& shownCards);

    /// Writes the rows, in order. On success the shown-cards table holds the corrected
    /// records; on failure neither the database nor the table has changed.
    PriceCorrectionOutcome Apply(const std::vector<MarkedPriceRow>& rows, const DateTime& now);

    /// A value cell's text read as the C library's decimal conversion does (leading blanks
    /// skipped, reading stops at the first character that cannot continue the number, no number
    /// gives 0), always with a decimal point whatever the user's locale: "0.51" gives the double
    /// nearest to 0.51. Texts that give no finite price (such as "inf" or 1e999) give 0, like
    /// any other text that is not a price, and so do C's hexadecimal and infinity forms ("0x10"
    /// gives 0, as "abc" does).
    static double ParsePriceText(const std::string& text);

    /// The message after a correction: "%d cards have been updated", "No cards selected." or
    /// the failure with the database's last error.
    static PriceCorrectionMessage MessageFor(const PriceCorrectionOutcome& outcome);

private:
    CADODataBase& m_database;
    ShownCardsTable& m_shownCards;
};
