#pragma once

#include <optional>
#include <string>
#include <vector>

/// Where the help page opens. The desktop's opener hands an HTML file to whatever program is
/// the default for text/html, which need not be a web browser (a text editor shows the
/// page's source); the page then shows in the program's own viewer instead.
namespace help_opener {

enum class Choice {
    Browser, ///< the default program for text/html is a web browser: open the page there
    BuiltIn, ///< it is some other program: show the page in the built-in viewer
    Unknown, ///< nothing is known: try the desktop's opener, the built-in viewer if it fails
};

/// `handler` is the desktop id `xdg-mime query default text/html` printed ("firefox.desktop"),
/// nothing when it could not be asked; `desktopFile` the text of that desktop entry file, empty
/// when none was found. A web browser is an entry whose Categories name WebBrowser, or, where
/// the entry says nothing, one of the well-known browsers.
Choice Choose(const std::optional<std::string>& handler, const std::string& desktopFile);

/// The paths where the entry of `desktopId` may lie, in the order the desktop looks:
/// `dataHome`/applications, then each folder of `dataDirs` (colon-separated). Empty values
/// take their defaults (~/.local/share under `home`; /usr/local/share:/usr/share).
std::vector<std::string> DesktopFilePaths(const std::string& desktopId,
                                          const std::string& dataHome,
                                          const std::string& dataDirs, const std::string& home);

} // namespace help_opener
