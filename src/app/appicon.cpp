// The icon: the window's from the PNG sizes rendered from resources/icons/
// org.example.Vellit.svg, the dialogs' drawn from the SVG itself.
#include "app/appicon.h"

#include <QImageReader>

namespace appicon {

QPixmap pixmap(int size, qreal devicePixelRatio)
{
    // Qt's SVG icon engine draws the icon at the size asked for. It is a plugin, loaded
    // when a dialog first shows the icon, not at start-up.
    static const QIcon drawing(QStringLiteral(":/icons/org.example.Vellit.svg"));
    return drawing.pixmap(QSize(size, size), devicePixelRatio);
}

QIcon icon()
{
    // The window manager takes the icon at fixed sizes, which the PNGs hold: nothing
    // is drawn from the SVG before the first frame. Each is read as the PNG it is: a
    // reader left to find the format first asks every image plugin, loading Qt's SVG
    // library among them.
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128}) {
        QImageReader reader(QStringLiteral(":/icons/org.example.Vellit-%1.png").arg(size), "png");
        reader.setAutoDetectImageFormat(false);
        icon.addPixmap(QPixmap::fromImage(reader.read()));
    }
    return icon;
}

} // namespace appicon
