// Colour values as stored in settings: red + 256 × green + 65536 × blue, or, with the top
// bit set, a system colour named by its index in the low byte.
#pragma once

#include <QColor>

namespace platform {

constexpr int kSystemWindowBackground = static_cast<int>(0x80000005u); // −2147483643
constexpr int kSystemWindowText = static_cast<int>(0x80000008u);       // −2147483640
constexpr int kSystemInactiveCaption = static_cast<int>(0x80000003u);

/// The colour a value stands for; system colours come from the desktop palette.
QColor colorFromValue(int value);
/// The plain colour value of a colour.
int valueFromColor(const QColor &color);

} // namespace platform
