// Conversions between twips and pixels; 15 twips per pixel at 96 dpi.
#include "app/twips.h"

#include <QWidget>
#include <cmath>

namespace twips {

int toPixelsX(const QWidget *w, int t)
{
    return static_cast<int>(std::lround(t * w->logicalDpiX() / 1440.0));
}

int toPixelsY(const QWidget *w, int t)
{
    return static_cast<int>(std::lround(t * w->logicalDpiY() / 1440.0));
}

int fromPixelsX(const QWidget *w, int p)
{
    return static_cast<int>(std::lround(p * 1440.0 / w->logicalDpiX()));
}

int fromPixelsY(const QWidget *w, int p)
{
    return static_cast<int>(std::lround(p * 1440.0 / w->logicalDpiY()));
}

QRect rect(const QWidget *w, int left, int top, int width, int height)
{
    return QRect(toPixelsX(w, left), toPixelsY(w, top), toPixelsX(w, width), toPixelsY(w, height));
}

} // namespace twips
