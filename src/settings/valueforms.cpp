// Value forms of the settings file.
#include "settings/valueforms.h"

#include "platform/codepage.h"
#include "platform/digits.h"
#include "platform/inifile.h"

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

double toFontSize(const QString &stored, double fallback)
{
    // Only digits, a point and digits: "10.5", as the font dialog's half sizes are saved.
    const QString trimmed = stored.trimmed();
    const qsizetype point = trimmed.indexOf(u'.');
    const bool decimal = point > 0 && platform::isAsciiDigits(QStringView(trimmed).first(point)) &&
                         platform::isAsciiDigits(QStringView(trimmed).sliced(point + 1));
    const double size = decimal ? trimmed.toDouble() : platform::ini::leadingInteger(stored);
    return size > 0 ? size : fallback;
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

QString asStored(const QString &text)
{
    return platform::fromAnsi(platform::toAnsi(text));
}

QString storedDifferently(int n, const QString &typed)
{
    const QString stored = asStored(typed);
    if (stored == typed)
        return QString();
    return QStringLiteral(
               "登録文字%1の「%2」には設定ファイル（Shift_JIS）に保存できない文字があるため、"
               "次に起動したときには「%3」になります。")
        .arg(n)
        .arg(typed, stored);
}

} // namespace valueforms
