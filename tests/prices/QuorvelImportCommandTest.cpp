// The quorvel-import command, run as a program in a folder holding a sample price database.

#include "support/CommandRun.h"
#include "support/FileBytes.h"
#include "support/SamplePrices.h"
#include "support/TempDir.h"

#include <gmock/gmock.h>

#include <sys/stat.h>

namespace {

using testing::HasSubstr;

class QuorvelImportCommandTest : public testing::Test {
protected:
    void SetUp() override { WriteSamplePriceDatabase(m_dir.File("mtgo.mdb")); }
    CommandResult Run(const std::string& args)
    {
        return RunCommandIn(m_dir.Path(), "'" QUORVEL_IMPORT_COMMAND "' " + args);
    }
    static std::string Example(const std::string& name)
    {
        return "'" QUORVEL_SOURCE_DIR "/tests/prices/data/" + name + "'";
    }

    TempDir m_dir;
};

TEST_F(QuorvelImportCommandTest, ExitStatusAndOutputTellWhatHappened)
{
    const std::string before = ReadWholeFile(m_dir.File("mtgo.mdb"));
    struct Case {
        std::string args;
        int status;
        std::string out;
        std::string err;
    };
    const Case cases[] = {
        {"--help", 0, "Usage: quorvel-import [--dry-run]", ""},
        {"--version", 0, "quorvel-import (Quorvel) 1.", ""},
        {"--frobnicate " + Example("prices.tsv"), 2, "",
         "quorvel-import: unknown option --frobnicate"},
        {"", 2, "", "no price file given"},
        {"--date 2026-13-01 " + Example("prices.tsv"), 2, "", "is not a day written YYYY-MM-DD"},
        {"--dry-run " + Example("prices.tsv"), 0, "Dry run, nothing written: 1 price updated.", ""},
        {"missing.csv", 2, "", "Cannot read missing.csv"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args);
        const CommandResult result = Run(c.args);
        EXPECT_EQ(result.status, c.status);
        EXPECT_THAT(result.out, HasSubstr(c.out));
        EXPECT_THAT(result.err, HasSubstr(c.err));
        EXPECT_TRUE(ReadWholeFile(m_dir.File("mtgo.mdb")) == before) << "the database changed";
    }

    CommandResult result = Run(Example("prices.tsv"));
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "1 price updated.\n");
    result = Run(Example("prices.tsv"));
    EXPECT_EQ(result.status, 0);
    EXPECT_THAT(result.out, HasSubstr("Nothing changed"));

    WriteWholeFile(m_dir.File("none.csv"), "name,set,regular\nAngelic Page,7ED,-2\n");
    result = Run("none.csv");
    EXPECT_EQ(result.status, 1);
    EXPECT_THAT(result.out, HasSubstr("Nothing imported"));
    EXPECT_THAT(result.out, HasSubstr("none.csv line 2: implausible price \"-2\""));
}

// A named pipe that nobody writes to: opening it the usual way waits for ever. The import
// refuses it at once, as it would a device.
TEST_F(QuorvelImportCommandTest, APipeIsRefusedWithoutWaiting)
{
    ASSERT_EQ(::mkfifo(m_dir.File("prices.csv").c_str(), 0600), 0);
    const CommandResult result =
        RunCommandIn(m_dir.Path(), "timeout 30 '" QUORVEL_IMPORT_COMMAND "' prices.csv");
    EXPECT_EQ(result.status, 2);
    EXPECT_THAT(result.err, HasSubstr("Cannot read prices.csv: it is not a regular file"));
}

} // namespace
