// Conversions between twips and pixels; 15 twips per pixel at 96 dpi.
#include "app/twips.h"

#include <QWidget>
#include <cmath>

namespace twips {
namespace {

constexpr double kTwipsPerInch = 1440.0;

} // namespace

int toPixelsX(const QWidget *w, int t)
{
    return static_cast<int>(std::lround(t * w->logicalDpiX() / kTwipsPerInch));
}

int toPixelsY(const QWidget *w, int t)
{
    return static_cast<int>(std::lround(t * w->logicalDpiY() / kTwipsPerInch));
}

int fromPixelsX(const QWidget *w, int p)
{
    return static_cast<int>(std::lround(p * kTwipsPerInch / w->logicalDpiX()));
}

int fromPixelsY(const QWidget *w, int p)
{
    return static_cast<int>(std::lround(p * kTwipsPerInch / w->logicalDpiY()));
}

QRect rect(const QWidget *w, int left, int top, int width, int height)
{
    return QRect(toPixelsX(w, left), toPixelsY(w, top), toPixelsX(w, width), toPixelsY(w, height));
}

} // namespace twips
