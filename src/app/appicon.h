// The program's icon. In dialogs it is drawn from its SVG at the size and device pixel
// ratio it is shown at, so that it is sharp on screens scaled 1.5× or 2×.
#pragma once

#include <QIcon>
#include <QPixmap>

namespace appicon {

/// The icon as a pixmap of size × size device-independent pixels for a screen of the
/// given device pixel ratio.
QPixmap pixmap(int size, qreal devicePixelRatio);

/// The window icon, holding the sizes desktops ask for.
QIcon icon();

} // namespace appicon
