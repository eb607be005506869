#include "support/FileBytes.h"
#include "support/SqlProbe.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sys/wait.h>

namespace {

const std::string kMakedb = std::string(QUORVEL_BINARY_DIR) + "/tools/makedb/makedb";

class MakedbTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(std::filesystem::exists(kMakedb)) << "build the makedb target first";
    }

    int Run(const std::string& arguments)
    {
        const std::string command =
            kMakedb + " " + arguments + " >" + m_dir.File("out.txt") + " 2>&1";
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    std::string Output() const { return ReadWholeFile(m_dir.File("out.txt")); }

    // Only the named files (no temporary leftovers) are in the output folder.
    std::vector<std::string> Files(const std::string& folder) const
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    TempDir m_dir;
};

} // namespace

TEST_F(MakedbTest, CreatesTheSampleAndAnEmptyCollection)
{
    const std::string out = m_dir.File("run");
    ASSERT_EQ(Run("--out " + out), 0) << Output();
    EXPECT_EQ(Files(out), (std::vector<std::string>{"collection.mdb", "mtgo.mdb"}));
    EXPECT_EQ(QueryText(out + "/mtgo.mdb", "select count(*) from cardslist"), "2117");
    EXPECT_EQ(QueryText(out + "/mtgo.mdb", "select count(*) from expansion"), "9");
    EXPECT_EQ(QueryText(out + "/collection.mdb",
                        "select (select count(*) from collections) + (select count(*) from "
                        "trans_detail) + (select count(*) from history)"),
              "0");
}

TEST_F(MakedbTest, ExistingFilesAreRefusedOrKeptAndOnlyForceReplacesThemWhole)
{
    const std::string out = m_dir.File("run");
    ASSERT_EQ(Run("--out " + out), 0) << Output();
    RunSql(out + "/mtgo.mdb", "update cardslist set reg_value = 99 where id = 1");
    RunSql(out + "/collection.mdb", "insert into collections (card_id) values (5)");
    // A collection holds deals: a plain run names what exists and writes nothing.
    std::filesystem::remove(out + "/mtgo.mdb");
    ASSERT_EQ(Run("--out " + out), 1) << Output();
    EXPECT_NE(Output().find(out + "/collection.mdb exists"), std::string::npos) << Output();
    EXPECT_EQ(Files(out), (std::vector<std::string>{"collection.mdb"}));
    EXPECT_EQ(QueryText(out + "/collection.mdb", "select count(*) from collections"), "1");
    ASSERT_EQ(Run("--keep --out " + out), 0) << Output();
    RunSql(out + "/mtgo.mdb", "update cardslist set reg_value = 99 where id = 1");
    ASSERT_EQ(Run("--keep --out " + out), 0) << Output();
    EXPECT_NE(Output().find("kept"), std::string::npos);
    EXPECT_EQ(QueryText(out + "/mtgo.mdb", "select reg_value from cardslist where id = 1"), "99.0");
    EXPECT_EQ(QueryText(out + "/collection.mdb", "select count(*) from collections"), "1");
    ASSERT_EQ(Run("--out " + out + " --force --synthetic 500"), 0) << Output();
    EXPECT_EQ(QueryText(out + "/mtgo.mdb", "select count(*) from cardslist"), "500");
    EXPECT_EQ(QueryText(out + "/collection.mdb", "select count(*) from collections"), "0");
    EXPECT_EQ(Files(out), (std::vector<std::string>{"collection.mdb", "mtgo.mdb"}));
}

TEST_F(MakedbTest, BadInputFailsClearlyAndWritesNeitherDatabase)
{
    const std::string out = m_dir.File("run");
    EXPECT_EQ(Run("--synthetic 10"), 2);
    EXPECT_NE(Output().find("--out DIR is required"), std::string::npos) << Output();
    EXPECT_EQ(Run("--out " + out + " --synthetic ten"), 2);
    EXPECT_EQ(Run("--out " + out + " --synthetic 0"), 2);
    EXPECT_EQ(Run("--out " + out + " --frobnicate"), 2);
    EXPECT_FALSE(std::filesystem::exists(out + "/mtgo.mdb"));

    const std::string tsv = m_dir.File("bad.tsv");
    std::ofstream(tsv) << "header\n10\t7E\tSeventh Edition\n";
    EXPECT_EQ(Run("--out " + out + " --data " + tsv), 1);
    EXPECT_NE(Output().find("line 2"), std::string::npos) << Output();
    EXPECT_EQ(Files(out), std::vector<std::string>{}); // never one database without the other

    // A failed rewrite leaves the existing file as it was.
    ASSERT_EQ(Run("--out " + out + " --force --synthetic 50"), 0) << Output();
    EXPECT_EQ(Run("--out " + out + " --force --data " + tsv), 1);
    EXPECT_EQ(QueryText(out + "/mtgo.mdb", "select count(*) from cardslist"), "50");
    EXPECT_EQ(Files(out), (std::vector<std::string>{"collection.mdb", "mtgo.mdb"}));
}

TEST_F(MakedbTest, HelpNamesTheInstalledCardListAndNoPathOfTheBuildMachine)
{
    ASSERT_EQ(Run("--help"), 0);
    EXPECT_NE(Output().find("/usr/share/quorvel/sets-2003.tsv"), std::string::npos) << Output();
    EXPECT_EQ(Output().find(QUORVEL_SOURCE_DIR), std::string::npos) << Output();
    EXPECT_EQ(Output().find(QUORVEL_BINARY_DIR), std::string::npos) << Output();
}
