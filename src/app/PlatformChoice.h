#pragma once

#include <QByteArray>

/// Which Qt platform plugin to start on.
///
/// Under a Wayland session a client is told of clipboard changes only while it has the focus,
/// so the clipboard monitor would stay deaf. Where XWayland runs (an X display is given), the
/// program starts on it (the xcb platform) and falls back to Wayland if that fails. A platform
/// the user chose with QT_QPA_PLATFORM is always kept.
namespace platform_choice {

struct Environment {
    QByteArray qpaPlatform;     ///< QT_QPA_PLATFORM
    QByteArray waylandDisplay;  ///< WAYLAND_DISPLAY
    QByteArray x11Display;      ///< DISPLAY
    QByteArray sessionType;     ///< XDG_SESSION_TYPE
};

/// The value QT_QPA_PLATFORM must get, or an empty value to leave it as it is.
QByteArray ChoosePlatform(const Environment& environment);

/// Reads the process environment and applies ChoosePlatform; call before QApplication.
void PreferXWayland();

} // namespace platform_choice
