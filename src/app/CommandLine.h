#pragma once

#include <string>
#include <vector>

/// The command line of `quorvel`, read before the window toolkit starts, so that `--help` and
/// `--version` answer on a machine without a display and a mistyped option never opens a window.
namespace command_line {

enum class Action {
    Run,       ///< start the program (Qt's own options are left in the arguments for Qt)
    Help,      ///< print HelpText() and end
    Version,   ///< print VersionText() and end
    ShowError, ///< show `text` in an error box and end (the launcher reports its failures so)
    Refuse,    ///< print `text`, a one-line error, and end with status 2
};

struct Parsed {
    Action action = Action::Run;
    std::string text;
};

/// Reads the arguments after the program name. Qt's standard options (-platform NAME,
/// -style NAME, -reverse, ... with one or two dashes) are accepted and left to Qt.
Parsed Parse(const std::vector<std::string>& arguments);

std::string HelpText();
std::string VersionText();

} // namespace command_line
