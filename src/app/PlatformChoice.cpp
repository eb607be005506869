#include "app/PlatformChoice.h"

#include <QtGlobal>

namespace platform_choice {

QByteArray ChoosePlatform(const Environment& environment)
{
    if (!environment.qpaPlatform.isEmpty())
        return {};
    const bool wayland =
        !environment.waylandDisplay.isEmpty() || environment.sessionType == "wayland";
    if (!wayland || environment.x11Display.isEmpty())
        return {};
    return "xcb;wayland";
}

void PreferXWayland()
{
    const Environment environment{qgetenv("QT_QPA_PLATFORM"), qgetenv("WAYLAND_DISPLAY"),
                                  qgetenv("DISPLAY"), qgetenv("XDG_SESSION_TYPE")};
    const QByteArray platform = ChoosePlatform(environment);
    if (!platform.isEmpty())
        qputenv("QT_QPA_PLATFORM", platform);
}

} // namespace platform_choice
