#include "decks/DekWriter.h"

namespace {

std::string Escaped(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\t':
            out += "&#9;";
            break;
        case '\n':
            out += "&#10;";
            break;
        case '\r':
            out += "&#13;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

} // namespace

std::string DekWriter::Write(const std::vector<DekCard>& cards)
{
    std::string out = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
                      "<Deck xmlns:xsd=\"http://www.w3.org/2001/XMLSchema\" "
                      "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\">\n"
                      "  <NetDeckID>0</NetDeckID>\n"
                      "  <PreconstructedDeckID>0</PreconstructedDeckID>\n";
    for (const DekCard& card : cards) {
        out += "  <Cards";
        if (card.catId > 0) {
            out += " CatID=\"" + std::to_string(card.catId) + "\"";
        }
        out += " Quantity=\"" + std::to_string(card.quantity) + "\" Sideboard=\"" +
               (card.sideboard ? "true" : "false") + "\" Name=\"" + Escaped(card.name) +
               "\" Annotation=\"0\" />\n";
    }
    return out + "</Deck>\n";
}
