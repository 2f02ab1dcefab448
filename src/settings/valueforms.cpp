// Value forms of the settings file.
#include "settings/valueforms.h"

namespace valueforms {

QString fromBool(bool value)
{
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

bool toBool(const QString &text)
{
    if (text.compare(QStringLiteral("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (text.compare(QStringLiteral("False"), Qt::CaseInsensitive) == 0)
        return false;
    bool isNumber = false;
    const double number = text.trimmed().toDouble(&isNumber);
    return isNumber && number != 0;
}

QString fromNumber(double value)
{
    return QString::number(value, 'g', 15);
}

int toCheckValue(int stored)
{
    return stored == 1 ? 1 : 0;
}

QRect usableFrame(const QRect &frame, const QList<QRect> &screens, const QSize &minimum)
{
    QRect result = frame;
    if (result.width() < minimum.width())
        result.setWidth(minimum.width());
    if (result.height() < minimum.height())
        result.setHeight(minimum.height());
    if (screens.isEmpty())
        return result;
    for (const QRect &screen : screens) {
        if (screen.intersects(result))
            return result;
    }
    result.moveTopLeft(screens.constFirst().topLeft());
    return result;
}

} // namespace valueforms
