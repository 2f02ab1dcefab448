// The icon rendered from resources/icons/org.example.Vellit.svg.
#include "app/appicon.h"

#include <QPainter>
#include <QSvgRenderer>

namespace appicon {

QPixmap pixmap(int size, qreal devicePixelRatio)
{
    static QSvgRenderer renderer(QStringLiteral(":/icons/org.example.Vellit.svg"));
    const int pixels = qRound(size * devicePixelRatio);
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    QPixmap result = QPixmap::fromImage(image);
    result.setDevicePixelRatio(devicePixelRatio);
    return result;
}

QIcon icon()
{
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128})
        icon.addPixmap(pixmap(size, 1.0));
    return icon;
}

} // namespace appicon
