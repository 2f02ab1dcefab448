// The topmost band of windows: on X11 asked of the window manager through
// _NET_WM_STATE_ABOVE, so the window is neither re-created, moved nor resized.
#pragma once

class QWidget;

namespace platform {

/// Puts a shown top-level window into the topmost band, or takes it out. Where the
/// display server offers no such band (Wayland, no display), nothing happens.
void setTopMost(QWidget *window, bool topmost);

} // namespace platform
