#include "app/CommandLine.h"

#include <gtest/gtest.h>

namespace {

using command_line::Action;
using command_line::Parse;

struct Case {
    std::vector<std::string> arguments;
    Action action;
    std::string text;
};

TEST(CommandLine, ReadsItsOwnOptionsAndLeavesQtsToQt)
{
    const Case cases[] = {
        {{}, Action::Run, ""},
        {{"--help"}, Action::Help, ""},
        {{"-h"}, Action::Help, ""},
        {{"-style", "Fusion", "--version"}, Action::Version, ""},
        {{"-v"}, Action::Version, ""},
        {{"-platform", "offscreen"}, Action::Run, ""},
        {{"--platform=offscreen", "-reverse", "--style", "Fusion"}, Action::Run, ""},
        {{"--show-error", "cannot create the folder"}, Action::ShowError,
         "cannot create the folder"},
        {{"--show-error", "--help"}, Action::ShowError, "--help"},
    };
    for (const Case& c : cases) {
        const command_line::Parsed parsed = Parse(c.arguments);
        EXPECT_EQ(parsed.action, c.action) << testing::PrintToString(c.arguments);
        EXPECT_EQ(parsed.text, c.text) << testing::PrintToString(c.arguments);
    }
}

TEST(CommandLine, RefusesWhatItDoesNotKnowInOneLineNamingIt)
{
    const Case cases[] = {
        {{"--frobnicate"}, Action::Refuse, "unknown option '--frobnicate' (see --help)"},
        {{"-x", "--help"}, Action::Refuse, "unknown option '-x' (see --help)"},
        {{"--"}, Action::Refuse, "unknown option '--' (see --help)"},
        {{"mtgo.mdb"}, Action::Refuse, "unexpected argument 'mtgo.mdb' (see --help)"},
        {{"-style"}, Action::Refuse, "option '-style' needs a value"},
        {{"--show-error"}, Action::Refuse, "option '--show-error' needs a text"},
    };
    for (const Case& c : cases) {
        const command_line::Parsed parsed = Parse(c.arguments);
        EXPECT_EQ(parsed.action, c.action) << testing::PrintToString(c.arguments);
        EXPECT_EQ(parsed.text, c.text);
        EXPECT_EQ(parsed.text.find('\n'), std::string::npos);
    }
}

} // namespace
