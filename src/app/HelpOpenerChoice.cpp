#include "app/HelpOpenerChoice.h"

#include <algorithm>
#include <array>
#include <sstream>
#include <string_view>

namespace help_opener {

namespace {

// Browsers whose entries may lack the WebBrowser category (older packages, hand-made entries).
constexpr std::array<std::string_view, 24> kKnownBrowsers = {
    "firefox", "firefox-esr", "chromium", "chromium-browser", "google-chrome",
    "google-chrome-stable", "brave-browser", "microsoft-edge", "opera", "vivaldi-stable",
    "epiphany", "org.gnome.Epiphany", "konqueror", "org.kde.konqueror", "falkon",
    "org.kde.falkon", "midori", "qutebrowser", "org.qutebrowser.qutebrowser", "librewolf",
    "torbrowser", "seamonkey", "palemoon", "waterfox"};

std::string_view Trim(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

// The Categories value of the [Desktop Entry] group; nothing when the entry gives none.
std::optional<std::string> Categories(const std::string& desktopFile)
{
    std::istringstream lines(desktopFile);
    std::string line;
    bool inEntry = false;
    while (std::getline(lines, line)) {
        const std::string_view text = Trim(line);
        if (!text.empty() && text.front() == '[') {
            inEntry = text == "[Desktop Entry]";
            continue;
        }
        if (!inEntry || text.substr(0, 10) != "Categories")
            continue;
        const std::string_view rest = Trim(text.substr(10));
        if (!rest.empty() && rest.front() == '=')
            return std::string(Trim(rest.substr(1)));
    }
    return std::nullopt;
}

} // namespace

Choice Choose(const std::optional<std::string>& handler, const std::string& desktopFile)
{
    const std::string id(handler ? Trim(*handler) : std::string_view());
    if (id.empty())
        return Choice::Unknown;
    if (const std::optional<std::string> categories = Categories(desktopFile)) {
        std::istringstream names(*categories);
        std::string name;
        while (std::getline(names, name, ';')) {
            if (Trim(name) == "WebBrowser")
                return Choice::Browser;
        }
        return Choice::BuiltIn;
    }
    std::string_view stem = id;
    if (stem.size() > 8 && stem.substr(stem.size() - 8) == ".desktop")
        stem.remove_suffix(8);
    const bool known = std::find(kKnownBrowsers.begin(), kKnownBrowsers.end(), stem) !=
                       kKnownBrowsers.end();
    return known ? Choice::Browser : Choice::BuiltIn;
}

std::vector<std::string> DesktopFilePaths(const std::string& desktopId,
                                          const std::string& dataHome,
                                          const std::string& dataDirs, const std::string& home)
{
    std::vector<std::string> paths;
    // An id naming a folder could only lead outside the applications folders.
    if (desktopId.empty() || desktopId.find('/') != std::string::npos)
        return paths;
    std::vector<std::string> folders;
    if (!dataHome.empty())
        folders.push_back(dataHome);
    else if (!home.empty())
        folders.push_back(home + "/.local/share");
    std::istringstream dirs(dataDirs.empty() ? "/usr/local/share:/usr/share" : dataDirs);
    std::string folder;
    while (std::getline(dirs, folder, ':')) {
        if (!folder.empty())
            folders.push_back(folder);
    }
    for (const std::string& base : folders)
        paths.push_back(base + "/applications/" + desktopId);
    return paths;
}

} // namespace help_opener
