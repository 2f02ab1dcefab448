// Twips (1/1440 inch) to pixels at the widget's logical resolution.
#pragma once

#include <QRect>

class QWidget;

namespace twips {

int toPixelsX(const QWidget *w, int twips);
int toPixelsY(const QWidget *w, int twips);
int fromPixelsX(const QWidget *w, int pixels);
int fromPixelsY(const QWidget *w, int pixels);
/// A rectangle given as left, top, width, height in twips.
QRect rect(const QWidget *w, int left, int top, int width, int height);

} // namespace twips
