// The display server: XWayland preferred under Wayland, and what each allows.
#include "platform/displayserver.h"

#include <QGuiApplication>

namespace platform {

QByteArray preferredPlatform(const QByteArray &qpaPlatform, const QByteArray &waylandDisplay,
                             const QByteArray &x11Display)
{
    if (!qpaPlatform.isEmpty() || waylandDisplay.isEmpty() || x11Display.isEmpty())
        return {};
    return QByteArrayLiteral("xcb");
}

void preferXWayland()
{
    const QByteArray platform = preferredPlatform(qgetenv("QT_QPA_PLATFORM"),
                                                  qgetenv("WAYLAND_DISPLAY"), qgetenv("DISPLAY"));
    if (!platform.isEmpty())
        qputenv("QT_QPA_PLATFORM", platform);
}

bool canKeepOnTop()
{
    return !QGuiApplication::platformName().startsWith(QLatin1StringView("wayland"));
}

} // namespace platform
