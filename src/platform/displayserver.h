// Which display server the program talks to, and what it allows. Under a Wayland session
// the program runs through XWayland when the session offers it: there a window can be
// kept on top and put back where it was, which Wayland forbids its clients.
#pragma once

#include <QByteArray>

namespace platform {

/// The Qt platform to force, given the session's QT_QPA_PLATFORM, WAYLAND_DISPLAY and
/// DISPLAY: "xcb" when the user chose none and both a Wayland and an X display are
/// there; empty to leave Qt's own choice.
QByteArray preferredPlatform(const QByteArray &qpaPlatform, const QByteArray &waylandDisplay,
                             const QByteArray &x11Display);

/// Applies preferredPlatform() to this process's environment; call before the
/// application object exists.
void preferXWayland();

/// Whether the display server lets a window keep itself above the others (not on Wayland).
bool canKeepOnTop();

} // namespace platform
