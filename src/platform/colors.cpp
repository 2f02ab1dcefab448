// System colours map to the application palette's roles.
#include "platform/colors.h"

#include <QGuiApplication>
#include <QPalette>

namespace platform {

QColor colorFromValue(int value)
{
    const quint32 v = static_cast<quint32>(value);
    if (v & 0x80000000u) {
        const QPalette palette = QGuiApplication::palette();
        switch (v & 0xFFu) {
        case 8:
            return palette.color(QPalette::Active, QPalette::Text);
        case 3: // the inactive title bar: the palette's shade for lines
            return palette.color(QPalette::Active, QPalette::Mid);
        case 5:
        default:
            return palette.color(QPalette::Active, QPalette::Base);
        }
    }
    return QColor(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF);
}

int valueFromColor(const QColor &color)
{
    return color.red() + 256 * color.green() + 65536 * color.blue();
}

} // namespace platform
