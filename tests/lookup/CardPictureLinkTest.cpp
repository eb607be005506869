#include "lookup/CardPictureLink.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct LinkCase {
    int set;
    const char* code;
    int number;
    std::string link;
};

// Every card links its Scryfall page by today's set code: the sample sets by the code the
// database stores (sample or today's), or by their id when it stores none.
TEST(CardLink, ScryfallPageByTodaysSetCode)
{
    const std::string scryfall = kScryfallCardPage;
    for (const LinkCase& c : {
             LinkCase{10, "7ED", 12, scryfall + "7ed/12"},
             LinkCase{10, "7E", 12, scryfall + "7ed/12"},
             LinkCase{10, "", 12, scryfall + "7ed/12"},
             LinkCase{20, "", 294, scryfall + "inv/294"},
             LinkCase{30, "", 5, scryfall + "pls/5"},
             LinkCase{40, "AP", 131, scryfall + "apc/131"},
             LinkCase{50, "", 7, scryfall + "ody/7"},
             LinkCase{60, "", 7, scryfall + "tor/7"},
             LinkCase{70, "", 1, scryfall + "jud/1"},
             LinkCase{80, "", 5, scryfall + "ons/5"},
             LinkCase{90, "LE", 3, scryfall + "lgn/3"},
             LinkCase{90, "", 3, scryfall + "lgn/3"},
             LinkCase{100, "MH2", 57, scryfall + "mh2/57"},
             LinkCase{110, "dmu", 7, scryfall + "dmu/7"},
             LinkCase{10, "7ED", 0, ""},
             LinkCase{10, "7ED", -3, ""},
             LinkCase{100, "", 57, ""},
             LinkCase{15, "", 57, ""},
             LinkCase{100, "M/../x", 57, ""},
         }) {
        EXPECT_EQ(CardLink(c.set, c.code, c.number), c.link)
            << c.set << " " << c.code << " " << c.number;
    }
    EXPECT_EQ(scryfall, "https://scryfall.com/card/");
}

} // namespace
