#include "app/CommandLine.h"

#include "QuorvelVersion.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace command_line {

namespace {

// Qt reads these itself (QGuiApplication and QApplication); they stay valid for users who
// start the program with a platform, style or window geometry of their choice.
constexpr std::array<std::string_view, 13> kQtOptionsWithValue = {
    "platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry", "geometry",
    "qwindowicon", "qwindowtitle", "title", "display", "style", "stylesheet", "session"};
constexpr std::array<std::string_view, 5> kQtFlags = {"reverse", "widgetcount", "nograb",
                                                      "dograb", "sync"};

template <std::size_t N>
bool Contains(const std::array<std::string_view, N>& names, std::string_view name)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}

// "-style" and "--style" both name Qt's option; "-style=Fusion" carries its value.
std::string_view QtOptionName(std::string_view argument)
{
    argument.remove_prefix(argument.starts_with("--") ? 2 : 1);
    return argument.substr(0, argument.find('='));
}

Parsed Refuse(std::string text)
{
    return {Action::Refuse, std::move(text)};
}

} // namespace

Parsed Parse(const std::vector<std::string>& arguments)
{
    Parsed parsed;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--help" || argument == "-h")
            return {Action::Help, {}};
        if (argument == "--version" || argument == "-v")
            return {Action::Version, {}};
        if (argument == "--show-error") {
            if (i + 1 >= arguments.size())
                return Refuse("option '--show-error' needs a text");
            parsed = {Action::ShowError, arguments[++i]};
            continue;
        }
        if (argument.size() < 2 || argument[0] != '-')
            return Refuse("unexpected argument '" + argument + "' (see --help)");
        const std::string_view name = QtOptionName(argument);
        if (Contains(kQtFlags, name))
            continue;
        if (Contains(kQtOptionsWithValue, name)) {
            if (argument.find('=') == std::string::npos && ++i >= arguments.size())
                return Refuse("option '" + argument + "' needs a value");
            continue;
        }
        return Refuse("unknown option '" + argument + "' (see --help)");
    }
    return parsed;
}

std::string HelpText()
{
    return "Usage: quorvel [OPTION]\n"
           "\n"
           "Quorvel looks up Magic: The Gathering Online card prices by typing or copying card\n"
           "names, and keeps a trade list and a log of your deals. It works on mtgo.mdb,\n"
           "collection.mdb and filter.ini in the folder it is started from; the menu entry\n"
           "starts it through quorvel-launcher, which uses ~/.local/share/quorvel.\n"
           "\n"
           "  -h, --help           show this text and end\n"
           "  -v, --version        show the version and end\n"
           "  --show-error TEXT    show TEXT in an error box and end (used by quorvel-launcher)\n"
           "\n"
           "Qt's standard options are accepted too, e.g. -platform NAME, -style NAME, -reverse.\n"
           "\n"
           "Current prices: the sample prices are made up. Import real ones with File > Import\n"
           "Prices or quorvel-import FILE, or fetch them with File > Update Prices Now or\n"
           "quorvel-import --update.\n"
           "\n"
           "Other programs of the package: quorvel-lookup (look cards up from a terminal),\n"
           "quorvel-import (import and update prices), makedb (make the databases) and\n"
           "quorvel-launcher (starts Quorvel in its own data folder).\n"
           "See quorvel(1) and Help > Help in the program.\n";
}

std::string VersionText()
{
    return std::string("quorvel (Quorvel) ") + quorvel_version::kText + "\n";
}

} // namespace command_line
