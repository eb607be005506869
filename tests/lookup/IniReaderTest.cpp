#include "lookup/IniReader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

constexpr const char* kMissing = "hehe not found!";

TEST(IniReaderTest, NamesIgnoreCaseAndBlanksAreTrimmed)
{
    const IniReader ini = IniReader::FromText("[Filters]\n  F1  =  wts: , *  \r\nf2=tix\n");
    EXPECT_EQ(ini.GetString("filters", "f1", kMissing, 128), "wts: , *");
    EXPECT_EQ(ini.GetString("FILTERS", "F2", kMissing, 128), "tix");
    EXPECT_EQ(ini.GetString("filters", "f3", kMissing, 128), kMissing);
}

TEST(IniReaderTest, QuotesCommentsAndOtherSections)
{
    const IniReader ini = IniReader::FromText("; f1=no\n[other]\nf1=wrong\n[filters]\n"
                                              "f1=\"  quoted  \"\nf2='x'\nf3=\"half\n;f4=no\n");
    EXPECT_EQ(ini.GetString("filters", "f1", kMissing, 128), "  quoted  ");
    EXPECT_EQ(ini.GetString("filters", "f2", kMissing, 128), "x");
    EXPECT_EQ(ini.GetString("filters", "f3", kMissing, 128), "\"half");
    EXPECT_EQ(ini.GetString("filters", "f4", kMissing, 128), kMissing);
    EXPECT_EQ(ini.GetString("other", "f1", kMissing, 128), "wrong");
}

TEST(IniReaderTest, FirstOfTwoEqualKeysWins)
{
    const IniReader ini = IniReader::FromText("[filters]\nf1=first\nf1=second\n[filters]\nf1=third");
    EXPECT_EQ(ini.GetString("filters", "f1", kMissing, 128), "first");
}

TEST(IniReaderTest, ValuesAreCutToTheBufferNeverInsideACharacter)
{
    const IniReader ini =
        IniReader::FromText("[filters]\nf1=" + std::string(200, 'a') + "\nf2=" + "ÆÆÆÆ");
    EXPECT_EQ(ini.GetString("filters", "f1", kMissing, 128), std::string(127, 'a'));
    EXPECT_EQ(ini.GetString("filters", "f2", kMissing, 4), "ÆÆÆ");
}

TEST(IniReaderTest, ByteOrderMarksAndUtf16Files)
{
    EXPECT_EQ(IniReader::FromText("\xEF\xBB\xBF[filters]\nf1=x").GetString("filters", "f1", "", 9),
              "x");
    const std::string utf16("\xFF\xFE[\0f\0]\0\n\0k\0=\0\xFB\0", 16);
    EXPECT_EQ(IniReader::FromText(utf16).GetString("f", "k", "", 9), "û");
}

TEST(IniReaderTest, MissingOrUnreadableFileGivesDefaults)
{
    const auto dir = std::filesystem::temp_directory_path() / "quorvel-ini-test";
    std::filesystem::create_directories(dir);
    EXPECT_EQ(IniReader::FromFile((dir / "absent.ini").string())
                  .GetString("filters", "f1", kMissing, 128),
              kMissing);
    EXPECT_EQ(IniReader::FromFile(dir.string()).GetString("filters", "f1", kMissing, 128),
              kMissing);
    std::ofstream(dir / "real.ini") << "[filters]\nf1=foil,*\n";
    EXPECT_EQ(IniReader::FromFile((dir / "real.ini").string())
                  .GetString("filters", "f1", kMissing, 128),
              "foil,*");
    std::filesystem::remove_all(dir);
}

}  // namespace
