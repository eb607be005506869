#include "lookup/CardGridRules.h"
#include "prices/PriceCorrection.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// Switches the whole process to a German locale (decimal comma) for one test, building the
// locale where the system has none installed, and switches back afterwards.
class GermanLocale : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_previous = std::setlocale(LC_ALL, nullptr);
        m_switched = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
        if (!m_switched) {
            const std::string dir = "/tmp/quorvel-cards-locale-" + std::to_string(::getpid());
            const std::string command = "mkdir -p " + dir + " && localedef -i de_DE -f UTF-8 " +
                                        dir + "/de_DE.UTF-8 >/dev/null 2>&1";
            if (std::system(command.c_str()) == 0) {
                ::setenv("LOCPATH", dir.c_str(), 1);
                m_switched = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
            }
            std::system(("rm -rf " + dir).c_str());
        }
        if (!m_switched) {
            GTEST_SKIP() << "no German locale can be made on this machine";
        }
        char probe[16];
        std::snprintf(probe, sizeof probe, "%.1f", 4.5);
        ASSERT_STREQ(probe, "4,5"); // the locale really writes commas
    }
    void TearDown() override { std::setlocale(LC_ALL, m_previous.c_str()); }

    std::string m_previous;
    bool m_switched = false;
};

TEST_F(GermanLocale, ValueCellsAndCorrectionsKeepTheDecimalPoint)
{
    EXPECT_EQ(card_grid::ValueText(2.5f), " 2.5");
    EXPECT_EQ(card_grid::ValueText(1234.5f), "1234.5");
    // What a value cell shows reads back as the same number.
    EXPECT_FLOAT_EQ(PriceCorrection::ParsePriceText(card_grid::ValueText(12.5f)), 12.5f);
    EXPECT_FLOAT_EQ(PriceCorrection::ParsePriceText(" 12.5"), 12.5f);
    EXPECT_FLOAT_EQ(PriceCorrection::ParsePriceText("7,5"), 7.0f);
}

} // namespace
