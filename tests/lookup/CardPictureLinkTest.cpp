#include "lookup/CardPictureLink.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct CodeCase {
    int set;
    int number;
    int rarity;
    const char* code;
};

class CardPictureCodeTest : public ::testing::TestWithParam<CodeCase> {};

TEST_P(CardPictureCodeTest, GivesTheSitesCardCode)
{
    const CodeCase& c = GetParam();
    EXPECT_EQ(CardPictureCode(c.set, c.number, c.rarity), c.code)
        << "set " << c.set << " number " << c.number << " rarity " << c.rarity;
}

// The worked examples, the split cards and every band edge of every set.
INSTANTIATE_TEST_SUITE_P(
    Examples, CardPictureCodeTest,
    ::testing::Values(CodeCase{10, 12, 30, "7EWR12"}, CodeCase{50, 7, 20, "ODWu007"},
                      CodeCase{70, 1, 10, "JUWC000"}, CodeCase{20, 294, 30, "INB294"},
                      CodeCase{40, 131, 10, "APBW131"}, CodeCase{40, 131, 30, "APBW131"},
                      CodeCase{40, 131, 99, "APBW131"}));

INSTANTIATE_TEST_SUITE_P(
    SplitCards, CardPictureCodeTest,
    ::testing::Values(CodeCase{20, 291, 20, "INMu291"}, CodeCase{20, 292, 10, "INW292"},
                      CodeCase{20, 293, 10, "INU293"}, CodeCase{20, 295, 10, "INR295"},
                      CodeCase{20, 296, 10, "ING296"}, CodeCase{20, 297, 10, "INAC297"},
                      CodeCase{40, 127, 30, "APMR127"}, CodeCase{40, 128, 20, "APRU128"},
                      CodeCase{40, 129, 20, "APUG129"}, CodeCase{40, 130, 20, "APGB130"},
                      CodeCase{40, 132, 20, "APWR132"}, CodeCase{40, 133, 20, "APAu133"}));

INSTANTIATE_TEST_SUITE_P(
    SeventhEdition, CardPictureCodeTest,
    ::testing::Values(CodeCase{10, 1, 10, "7EWC1"}, CodeCase{10, 57, 10, "7EWC57"},
                      CodeCase{10, 58, 10, "7EUC58"}, CodeCase{10, 114, 10, "7EUC114"},
                      CodeCase{10, 115, 10, "7EBC115"}, CodeCase{10, 171, 10, "7EBC171"},
                      CodeCase{10, 172, 10, "7ERC172"}, CodeCase{10, 229, 10, "7EGC229"},
                      CodeCase{10, 285, 10, "7EGC285"}, CodeCase{10, 286, 10, "7EAC286"},
                      CodeCase{10, 324, 10, "7EAC324"}, CodeCase{10, 325, 10, "7ELC325"},
                      CodeCase{10, 350, 30, "7ELR350"}));

INSTANTIATE_TEST_SUITE_P(
    Invasion, CardPictureCodeTest,
    ::testing::Values(CodeCase{20, 45, 10, "INWC45"}, CodeCase{20, 46, 10, "INUC46"},
                      CodeCase{20, 91, 10, "INUC91"}, CodeCase{20, 92, 10, "INBC92"},
                      CodeCase{20, 135, 10, "INBC135"}, CodeCase{20, 136, 10, "INRC136"},
                      CodeCase{20, 180, 10, "INRC180"}, CodeCase{20, 181, 10, "INGC181"},
                      CodeCase{20, 225, 10, "INGC225"}, CodeCase{20, 226, 10, "INMC226"},
                      CodeCase{20, 318, 10, "INAC318"}, CodeCase{20, 319, 10, "INLC319"}));

INSTANTIATE_TEST_SUITE_P(
    Planeshift, CardPictureCodeTest,
    ::testing::Values(CodeCase{30, 19, 10, "PSWC19"}, CodeCase{30, 20, 10, "PSUC20"},
                      CodeCase{30, 38, 10, "PSUC38"}, CodeCase{30, 39, 10, "PSBC39"},
                      CodeCase{30, 57, 10, "PSBC57"}, CodeCase{30, 58, 10, "PSRC58"},
                      CodeCase{30, 76, 10, "PSRC76"}, CodeCase{30, 77, 10, "PSGC77"},
                      CodeCase{30, 95, 10, "PSGC95"}, CodeCase{30, 96, 10, "PSMC96"},
                      CodeCase{30, 130, 10, "PSMC130"}, CodeCase{30, 131, 10, "PSAC131"},
                      CodeCase{30, 135, 10, "PSAC135"}, CodeCase{30, 136, 10, "PSLC136"}));

INSTANTIATE_TEST_SUITE_P(
    Apocalypse, CardPictureCodeTest,
    ::testing::Values(CodeCase{40, 18, 10, "APWC18"}, CodeCase{40, 19, 10, "APUC19"},
                      CodeCase{40, 36, 10, "APUC36"}, CodeCase{40, 37, 10, "APBC37"},
                      CodeCase{40, 54, 10, "APBC54"}, CodeCase{40, 55, 10, "APRC55"},
                      CodeCase{40, 72, 10, "APRC72"}, CodeCase{40, 73, 10, "APGC73"},
                      CodeCase{40, 90, 10, "APGC90"}, CodeCase{40, 91, 10, "APMC91"},
                      CodeCase{40, 138, 10, "APAC138"}, CodeCase{40, 139, 10, "APLC139"}));

INSTANTIATE_TEST_SUITE_P(
    Odyssey, CardPictureCodeTest,
    ::testing::Values(CodeCase{50, 57, 10, "ODWC057"}, CodeCase{50, 58, 10, "ODUC058"},
                      CodeCase{50, 114, 10, "ODUC114"}, CodeCase{50, 115, 10, "ODBC115"},
                      CodeCase{50, 171, 10, "ODBC171"}, CodeCase{50, 172, 10, "ODRC172"},
                      CodeCase{50, 228, 10, "ODRC228"}, CodeCase{50, 229, 10, "ODGC229"},
                      CodeCase{50, 285, 10, "ODGC285"}, CodeCase{50, 286, 10, "ODMC286"},
                      CodeCase{50, 296, 10, "ODMC296"}, CodeCase{50, 297, 10, "ODAC297"},
                      CodeCase{50, 311, 10, "ODAC311"}, CodeCase{50, 312, 10, "ODLC312"}));

INSTANTIATE_TEST_SUITE_P(
    Torment, CardPictureCodeTest,
    ::testing::Values(CodeCase{60, 1, 20, "TOWu001"}, CodeCase{60, 21, 10, "TOWC021"},
                      CodeCase{60, 22, 10, "TOUC022"}, CodeCase{60, 49, 10, "TOUC049"},
                      CodeCase{60, 50, 10, "TOBC050"}, CodeCase{60, 89, 10, "TOBC089"},
                      CodeCase{60, 90, 10, "TORC090"}, CodeCase{60, 117, 10, "TORC117"},
                      CodeCase{60, 118, 10, "TOGC118"}, CodeCase{60, 138, 10, "TOGC138"},
                      CodeCase{60, 139, 10, "TOLC139"}));

INSTANTIATE_TEST_SUITE_P(
    JudgmentCountsFromZero, CardPictureCodeTest,
    ::testing::Values(CodeCase{70, 33, 10, "JUWC032"}, CodeCase{70, 34, 10, "JUUC033"},
                      CodeCase{70, 60, 10, "JUUC059"}, CodeCase{70, 61, 10, "JUBC060"},
                      CodeCase{70, 76, 10, "JUBC075"}, CodeCase{70, 77, 10, "JURC076"},
                      CodeCase{70, 103, 10, "JURC102"}, CodeCase{70, 104, 10, "JUGC103"},
                      CodeCase{70, 136, 10, "JUGC135"}, CodeCase{70, 137, 10, "JUMC136"},
                      CodeCase{70, 140, 10, "JUMC139"}, CodeCase{70, 141, 10, "JULC140"}));

INSTANTIATE_TEST_SUITE_P(
    OnslaughtAndLegions, CardPictureCodeTest,
    ::testing::Values(CodeCase{80, 61, 10, "ONWC061"}, CodeCase{80, 62, 10, "ONUC062"},
                      CodeCase{80, 122, 10, "ONUC122"}, CodeCase{80, 123, 10, "ONBC123"},
                      CodeCase{80, 183, 10, "ONBC183"}, CodeCase{80, 184, 10, "ONRC184"},
                      CodeCase{80, 245, 10, "ONRC245"}, CodeCase{80, 246, 10, "ONGC246"},
                      CodeCase{80, 305, 10, "ONGC305"}, CodeCase{80, 306, 10, "ONAC306"},
                      CodeCase{80, 311, 10, "ONAC311"}, CodeCase{80, 312, 10, "ONLC312"},
                      CodeCase{90, 29, 10, "LGWC029"}, CodeCase{90, 30, 10, "LGUC030"},
                      CodeCase{90, 58, 10, "LGUC058"}, CodeCase{90, 59, 10, "LGBC059"},
                      CodeCase{90, 87, 10, "LGBC087"}, CodeCase{90, 88, 10, "LGRC088"},
                      CodeCase{90, 116, 10, "LGRC116"}, CodeCase{90, 117, 10, "LGGC117"},
                      CodeCase{90, 400, 10, "LGGC400"}));

INSTANTIATE_TEST_SUITE_P(
    RarityLetters, CardPictureCodeTest,
    ::testing::Values(CodeCase{10, 12, 10, "7EWC12"}, CodeCase{10, 12, 20, "7EWu12"},
                      CodeCase{10, 12, 30, "7EWR12"}, CodeCase{10, 12, 0, "7EW12"},
                      CodeCase{10, 12, 40, "7EW12"}, CodeCase{80, 5, 15, "ONW005"}));

TEST(CardPictureLink, StartsWithARecognisableWebPageEndingInTheCardQuery)
{
    const std::string link = CardPictureLink(10, 12, 30);
    EXPECT_EQ(link, std::string(kCardPicturePage) + "7EWR12");
    EXPECT_NE(link.find("http:"), std::string::npos);
    EXPECT_NE(std::string(kCardPicturePage).rfind("showcard.asp?id="), std::string::npos);
    EXPECT_EQ(std::string(kCardPicturePage).substr(std::string(kCardPicturePage).size() - 16),
              "showcard.asp?id=");
}

TEST(CardPictureLink, IsEmptyWithoutACollectionNumber)
{
    EXPECT_EQ(CardPictureLink(10, 0, 30), "");
    EXPECT_EQ(CardPictureLink(70, 0, 10), "");
    EXPECT_EQ(CardPictureLink(99, 0, 10), "");
    EXPECT_EQ(CardPictureLink(10, -3, 10), "");
}

TEST(CardPictureLink, EndsInTheQueryForASetTheSiteDoesNotKnow)
{
    EXPECT_EQ(CardPictureLink(0, 12, 30), kCardPicturePage);
    EXPECT_EQ(CardPictureLink(100, 12, 30), kCardPicturePage);
    EXPECT_EQ(CardPictureLink(15, 12, 30), kCardPicturePage);
}

struct LinkCase {
    int set;
    const char* code;
    int number;
    int rarity;
    std::string link;
};

// The nine sample sets keep their picture-site links; any other set, or a rarity the site
// has no letter for, links the card's Scryfall page by its set code.
TEST(CardLink, PictureSiteForTheSampleSetsScryfallBeyondThem)
{
    const std::string site = kCardPicturePage;
    const std::string scryfall = kScryfallCardPage;
    for (const LinkCase& c : {
             LinkCase{10, "7ED", 12, 30, site + "7EWR12"},
             LinkCase{70, "JUD", 1, 10, site + "JUWC000"},
             LinkCase{10, "7ED", 12, 40, scryfall + "7ed/12"},
             LinkCase{100, "MH2", 57, 40, scryfall + "mh2/57"},
             LinkCase{110, "dmu", 7, 10, scryfall + "dmu/7"},
             LinkCase{100, "MH2", 0, 30, ""},
             LinkCase{100, "", 57, 30, site},
             LinkCase{100, "M/../x", 57, 30, site},
         }) {
        EXPECT_EQ(CardLink(c.set, c.code, c.number, c.rarity), c.link)
            << c.set << " " << c.code << " " << c.number << " " << c.rarity;
    }
    EXPECT_EQ(scryfall, "https://scryfall.com/card/");
}

} // namespace
