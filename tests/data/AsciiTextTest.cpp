#include "data/AsciiText.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

namespace {

// The folding must not depend on the locale: under a single-byte locale the C library would fold
// the bytes of UTF-8 characters as Latin-1 letters and break them.
TEST(AsciiTextTest, FoldsAndTrimsAsciiOnlyWhateverTheLocale)
{
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    for (const char* locale : {"C", "C.UTF-8", "en_US.ISO-8859-1", "tr_TR.UTF-8"}) {
        if (std::setlocale(LC_ALL, locale) == nullptr) {
            continue;
        }
        SCOPED_TRACE(locale);
        EXPECT_EQ(AsciiLower("Lim-D\xC3\x9BL's Vault IX"), "lim-d\xC3\x9Bl's vault ix");
        EXPECT_EQ(AsciiUpper("mythic \xC3\xA9t\xC3\xA9 i"), "MYTHIC \xC3\xA9T\xC3\xA9 I");
        EXPECT_TRUE(EqualsNoCase("Data Source", "data SOURCE"));
        EXPECT_FALSE(EqualsNoCase("\xC3\xA9", "\xC3\x89")); // only ASCII letters fold
        EXPECT_FALSE(EqualsNoCase("Seventh", "Seventh Edition"));
        EXPECT_EQ(TrimBlanks(" \t\r\n\v\fShock \xC2\xA0\n"), "Shock \xC2\xA0");
        EXPECT_EQ(TrimBlanksLeft("  Shock  "), "Shock  ");
        EXPECT_EQ(TrimBlanks(" \t "), "");
    }
    std::setlocale(LC_ALL, previous.c_str());
}

} // namespace
