#include "decks/CollectionCsvReader.h"
#include "decks/CopiedDeckText.h"
#include "decks/DeckFileReader.h"
#include "decks/DeckInputText.h"
#include "decks/DekReader.h"
#include "decks/DekWriter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// What one input should read as: the card lines as "line:quantity:name[:S][:#catId][:set/num][:F]",
// the problems as "line:start of text", or the start of the error refusing the file.
struct ReaderCase {
    const char* title;
    std::string input;
    std::vector<std::string> lines = {};
    std::vector<std::string> problems = {};
    std::string error = {};
    std::string note = {};
};

std::string Describe(const DeckLine& l)
{
    std::string out = std::to_string(l.line) + ":" + std::to_string(l.quantity) + ":" + l.name;
    if (l.sideboard)
        out += ":S";
    if (l.catId)
        out += ":#" + std::to_string(l.catId);
    if (!l.setCode.empty())
        out += ":" + l.setCode + "/" + l.number;
    if (l.foil)
        out += ":F";
    return out;
}

void Check(const ReaderCase& c)
{
    SCOPED_TRACE(c.title);
    const DeckFile file = DeckFileReader::ReadBytes(c.input);
    if (!c.error.empty()) {
        EXPECT_TRUE(file.error.starts_with(c.error)) << file.error;
        EXPECT_TRUE(file.lines.empty());
        return;
    }
    EXPECT_EQ(file.error, "");
    std::vector<std::string> lines;
    for (const DeckLine& l : file.lines)
        lines.push_back(Describe(l));
    EXPECT_EQ(lines, c.lines);
    ASSERT_EQ(file.problems.size(), c.problems.size());
    for (std::size_t i = 0; i < c.problems.size(); ++i) {
        const std::string text = ProblemText(file.problems[i]);
        EXPECT_TRUE(text.starts_with("line " + c.problems[i])) << text;
    }
    if (!c.note.empty()) {
        ASSERT_EQ(file.notes.size(), 1u);
        EXPECT_TRUE(file.notes[0].starts_with(c.note)) << file.notes[0];
    }
}

// Latin-1 text as UTF-16, little-endian, with its byte-order mark.
std::string Utf16Le(const std::string& latin1)
{
    std::string out = "\xFF\xFE";
    for (char c : latin1) {
        out += c;
        out += '\0';
    }
    return out;
}

const char* kDek = R"(<?xml version="1.0" encoding="utf-8"?>
<Deck xmlns:xsd="http://www.w3.org/2001/XMLSchema">
  <NetDeckID>0</NetDeckID>
  <PreconstructedDeckID>0</PreconstructedDeckID>
  <Cards CatID="62723" Quantity="4" Sideboard="false" Name="Chandra's Revolution" Annotation="0" />
  <Cards CatID="57" Quantity="2" Sideboard="true" Name="Wrath &amp; God" Annotation="0" />
  <Cards CatID="58" Quantity="0" Sideboard="false" Name="Shock" />
  <Cards CatID="59" Quantity="-2" Sideboard="false" Name="Shock" />
  <Cards CatID="60" Quantity="100001" Sideboard="false" Name="Shock" />
  <Cards CatID="x1" Quantity="1" Name="Shock" />
  <Cards Quantity="3" Name="Opt" />
</Deck>
)";

TEST(DeckReadersTest, DeckFiles)
{
    const std::vector<ReaderCase> cases = {
        {"dek with every bad line",
         kDek,
         {"5:4:Chandra's Revolution:#62723", "6:2:Wrath & God:S:#57", "11:3:Opt"},
         {"7: quantity 0", "8: quantity -2", "9: quantity 100001", "10: CatID \"x1\""}},
        {"malformed xml",
         "<Deck>\n<Cards Quantity=\"1\" Name=\"Shock\">\n</Deck>\n",
         {},
         {},
         "the deck file is not well-formed XML: line 3, column 3: mismatched tag"},
        {"another root",
         "<Library><Cards Quantity=\"1\" Name=\"Shock\"/></Library>",
         {},
         {},
         "line 1, column 10: this is not a deck file: its root element is <Library>"},
        {"entities refused",
         "<?xml version=\"1.0\"?>\n<!DOCTYPE Deck [<!ENTITY x SYSTEM \"file:///etc/passwd\">]>\n"
         "<Deck><Cards Quantity=\"1\" Name=\"&x;\"/></Deck>",
         {},
         {},
         "line 2, column 16: a document type declaration is not allowed"},
        {"utf-16 dek",
         Utf16Le("<Deck><Cards Quantity=\"2\" Name=\"\xE9\"/></Deck>"),
         {"1:2:\xC3\xA9"},
         {},
         "",
         "read as UTF-16"},
    };
    for (const ReaderCase& c : cases)
        Check(c);
}

TEST(DeckReadersTest, DeckTexts)
{
    const std::vector<ReaderCase> cases = {
        {"main and sideboard after a blank line",
         "Deck\n4 Lightning Bolt\n4x Shock (M10) 146\r\n\n2 Duress\n",
         {"2:4:Lightning Bolt", "3:4:Shock:M10/146", "5:2:Duress:S"}},
        {"sideboard heading, comments and bad lines",
         "// burn\n3 Fire // Ice\nLightning Bolt\n0 Shock\n-1 Opt\nSideboard:\n1 Negate (RIX)\n",
         {"2:3:Fire // Ice", "7:1:Negate:S:RIX/"},
         {"3: not a card line", "4: quantity 0", "5: quantity -1"}},
        {"latin-1 text",
         "2 Lim-D\xFBl's Cohort\n",
         {"1:2:Lim-D\xC3\xBBl's Cohort"},
         {},
         "",
         "line 1: the text is not UTF-8"},
        {"binary",
         std::string("\x7F"
                     "ELF\x02\x01\x01\0\0\0",
                     10),
         {},
         {},
         "line 1: the file holds binary data"},
        {"too large",
         std::string(DeckInputText::kMaxBytes + 1, 'a'),
         {},
         {},
         "the file is larger than 16 MB"},
        {"nothing", "\n\n", {}, {}, "the text names no card"},
    };
    for (const ReaderCase& c : cases)
        Check(c);
}

TEST(DeckReadersTest, CollectionExports)
{
    const std::vector<ReaderCase> cases = {
        {"client layout",
         "Card Name,Quantity,ID #,Rarity,Set,Collector #,Premium\n"
         "\"Borrowing 100,000 Arrows\",2,1234,Common,PTK,45,No\n"
         "Shock,1,5678,Common,M10,146,Yes\n"
         "Shock,0,5679,Common,M10,146,No\n"
         "\"Opt,3,1,C,XLN,65,No\n"
         "Duress,200000,,C,M10,,No\n",
         {"2:2:Borrowing 100,000 Arrows:#1234:PTK/45", "3:1:Shock:#5678:M10/146:F"},
         {"4: quantity 0", "5: a quote is never closed", "6: quantity 200000"}},
        {"columns in another order, semicolons",
         "premium;set;qty;name\nno;7ED;4;Wrath of God\n",
         {"2:4:Wrath of God:7ED/"}},
    };
    for (const ReaderCase& c : cases)
        Check(c);
}

TEST(DeckReadersTest, CopiedPieceOfADeckFileReadsWholeLinesOnly)
{
    const DeckFile file = DekReader::ReadPiece(
        "rds CatID=\"1\" Quantity=\"4\" Name=\"Cut\" />\n"
        "  <Cards CatID=\"62723\" Quantity=\"4\" Sideboard=\"false\" Name=\"Shock\" />\n"
        "  <Cards CatID=\"62724\" Quantity=\"2\" Sideboard=\"true\" Name=\"Opt\" />\n");
    ASSERT_EQ(file.lines.size(), 2u);
    EXPECT_EQ(Describe(file.lines[0]), "2:4:Shock:#62723");
    EXPECT_EQ(Describe(file.lines[1]), "3:2:Opt:S:#62724");
}

TEST(DeckReadersTest, CopiedPiecesAreLookedUpByTheirNames)
{
    const std::pair<const char*, const char*> cases[] = {
        {"  <Cards CatID=\"62723\" Quantity=\"4\" Sideboard=\"false\" Name=\"Shock\" />\n"
         "  <Cards CatID=\"1\" Quantity=\"2\" Sideboard=\"true\" Name=\"Fire/Ice\" />",
         "Shock; Fire/Ice"},
        {"4 Lightning Bolt (M10) 146\n2x Opt\n\nSideboard\n1 Duress\n",
         "Lightning Bolt; Opt; Duress"},
        {"Card Name,Quantity,ID #\nShock,4,1234\n\"Opt\",2,77\n", "Shock; Opt"},
        {"WTS: 4x Wrath of God, 2x Fact or Fiction 3tix", "WTS: 4x Wrath of God, 2x Fact or "
                                                          "Fiction 3tix"},
        {"4 Shock", "4 Shock"},
        {"4 Shock\nanyone up for a game?\n2 Opt", "4 Shock\nanyone up for a game?\n2 Opt"},
    };
    for (const auto& [copied, lookedUp] : cases) {
        EXPECT_EQ(copied_deck::LookupText(copied), lookedUp);
    }
}

TEST(DeckReadersTest, WrittenDeckFileReadsBack)
{
    const std::vector<DekCard> cards = {{62723, 4, false, "Chandra's Revolution"},
                                        {0, 2, true, "Fire // Ice <\"&\">"},
                                        {1, 100000, false, "\xC3\x86ther Vial"}};
    const DeckFile file = DekReader::Read(DekWriter::Write(cards));
    ASSERT_EQ(file.error, "");
    ASSERT_EQ(file.lines.size(), cards.size());
    for (std::size_t i = 0; i < cards.size(); ++i) {
        EXPECT_EQ(file.lines[i].catId, cards[i].catId);
        EXPECT_EQ(file.lines[i].quantity, cards[i].quantity);
        EXPECT_EQ(file.lines[i].sideboard, cards[i].sideboard);
        EXPECT_EQ(file.lines[i].name, cards[i].name);
    }
    EXPECT_TRUE(CollectionCsvReader::LooksLikeCollection(CollectionCsvReader::kHeader));
}

} // namespace
