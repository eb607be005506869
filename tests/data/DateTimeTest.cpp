#include "data/DateTime.h"

#include <gtest/gtest.h>

TEST(DateTime, ZeroIsTheLastDaysOf1899AndValid)
{
    const DateTime zero;
    EXPECT_TRUE(zero.IsValid());
    EXPECT_EQ(zero.Format("%Y-%m-%d %H:%M:%S"), "1899-12-30 00:00:00");
    EXPECT_EQ(zero.SecondsSinceZero(), 0);
}

TEST(DateTime, FormatsTheThreePatterns)
{
    const DateTime value(2026, 12, 6, 23, 5, 24);
    EXPECT_EQ(value.Format("%Y-%m-%d %H:%M:%S"), "2026-12-06 23:05:24");
    EXPECT_EQ(value.Format("%m-%d-%Y"), "12-06-2026");
    EXPECT_EQ(value.Format("%B %d %Y %H:%M:%S"), "December 06 2026 23:05:24");
}

TEST(DateTime, ParsesStoredAndEnglishForms)
{
    const auto stored = DateTime::Parse("2026-12-06 23:05:24");
    const auto english = DateTime::Parse("December 06 2026 23:05:24");
    ASSERT_TRUE(stored && english);
    EXPECT_EQ(*stored, *english);
    EXPECT_EQ(english->Format("%Y-%m-%d %H:%M:%S"), "2026-12-06 23:05:24");
    ASSERT_TRUE(DateTime::Parse("2024-02-29"));
    EXPECT_EQ(DateTime::Parse("2024-02-29")->Hour(), 0);
}

TEST(DateTime, RefusesImpossibleDatesAndOtherTexts)
{
    EXPECT_FALSE(DateTime::Parse("2023-02-29 00:00:00"));
    EXPECT_FALSE(DateTime::Parse("2026-13-01 00:00:00"));
    EXPECT_FALSE(DateTime::Parse("2026-12-06 24:00:00"));
    EXPECT_FALSE(DateTime::Parse("Decembre 06 2026 23:05:24"));
    EXPECT_FALSE(DateTime::Parse("2026-12-06 23:05:24 extra"));
    EXPECT_FALSE(DateTime::Parse(""));
    EXPECT_FALSE(DateTime(2026, 2, 30).IsValid());
    EXPECT_EQ(DateTime(2026, 2, 30).Format("%Y"), "");
}

TEST(DateTime, OrdersBySecondsAcrossMonthAndYearEdges)
{
    EXPECT_LT(DateTime(2025, 12, 31, 23, 59, 59), DateTime(2026, 1, 1, 0, 0, 0));
    EXPECT_EQ(DateTime(1900, 1, 1).SecondsSinceZero(), 2 * 86400);
    EXPECT_EQ(DateTime(2026, 1, 1, 0, 0, 1).SecondsSinceZero() -
                  DateTime(2026, 1, 1).SecondsSinceZero(),
              1);
}

TEST(DateTime, SecondsSinceZeroConvertBackAcrossLeapDaysAndTheOrigin)
{
    for (const DateTime& value :
         {DateTime(), DateTime(1899, 12, 29, 23, 59, 59), DateTime(1900, 3, 1),
          DateTime(2000, 2, 29, 12, 0, 0), DateTime(2024, 12, 31, 23, 59, 59),
          DateTime(2026, 12, 6, 23, 5, 24), DateTime(9999, 12, 31, 23, 59, 59)}) {
        const DateTime back = DateTime::FromSecondsSinceZero(value.SecondsSinceZero());
        EXPECT_EQ(back.Format("%Y-%m-%d %H:%M:%S"), value.Format("%Y-%m-%d %H:%M:%S"));
        EXPECT_TRUE(back.IsValid());
    }
    EXPECT_EQ(DateTime::FromSecondsSinceZero(-1).Format("%Y-%m-%d %H:%M:%S"),
              "1899-12-29 23:59:59");
    EXPECT_EQ(DateTime::FromSecondsSinceZero(59 * 86400 + 1).Format("%Y-%m-%d %H:%M:%S"),
              "1900-02-27 00:00:01"); // 1900 is no leap year
}
