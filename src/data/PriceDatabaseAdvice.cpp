#include "data/PriceDatabaseAdvice.h"

namespace price_database_advice {

std::string Advice(const std::string& path, const std::string& folder, bool exists)
{
    std::string text = exists ? "The file " + path +
                                    " could not be opened: it is damaged or is not a price "
                                    "database.\n\n"
                              : "There is no price database at " + path + ".\n\n";
    text += "What you can do:\n";
    text += "- Start Quorvel from its desktop menu entry. It creates its data folder "
            "(~/.local/share/quorvel) with a sample price database and starts there.\n";
    // --keep: makedb would otherwise replace a collection.mdb that holds the user's cards.
    text += "- Make a sample price database in this folder with\n      makedb --keep --out \"" +
            folder + "\"\n  (--keep leaves your collection.mdb as it is";
    text += exists ? "; move the damaged mtgo.mdb aside first).\n" : ").\n";
    text += "- Import prices with File > Import Prices... or the quorvel-import command.";
    return text;
}

} // namespace price_database_advice
