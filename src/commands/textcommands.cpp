// Texts built by the editing commands.
#include "commands/textcommands.h"

#include <QLocale>
#include <cmath>

namespace textcommands {

QString quoted(const QString &text, const std::function<void()> &afterEachLine)
{
    QString result;
    result.reserve(text.size() + text.size() / 8 + 2);
    qsizetype start = 0;
    while (true) {
        const qsizetype cr = text.indexOf(u'\r', start);
        if (cr < 0)
            break;
        result += QStringLiteral("> ");
        result += QStringView(text).mid(start, cr - start);
        result += QStringLiteral("\r\n");
        // The LF of a CR LF pair goes with the CR; any other character starts the next
        // line and is kept.
        start = cr + 1 < text.size() && text.at(cr + 1) == u'\n' ? cr + 2 : cr + 1;
        if (afterEachLine)
            afterEachLine();
    }
    result += QStringLiteral("> ");
    result += QStringView(text).mid(start);
    return result;
}

int lineRepeatCount(const QString &reply)
{
    bool ok = false;
    const double value = reply.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return 0;
    // Round half to even, as the default floating-point rounding does.
    const double rounded = std::nearbyint(value);
    if (rounded < -32768 || rounded > 32767)
        return 0;
    return static_cast<int>(rounded);
}

QString drawnLine(const QString &text, int count)
{
    const QString piece = text.isEmpty() ? QStringLiteral("*") : text;
    const int times = count == 0 ? 72 : count;
    return times < 0 ? QString() : piece.repeated(times);
}

QString timeAndDate(const QDateTime &now)
{
    // Japanese whatever the session's locale: under C.UTF-8 the system's short date
    // would be "8 Dec 2026".
    static const QLocale japanese(QLocale::Japanese, QLocale::Japan);
    return now.time().toString(QStringLiteral("HH:mm ")) +
           japanese.toString(now.date(), QLocale::ShortFormat);
}

QString randomNumber(double r)
{
    return QString::number(static_cast<int>(std::floor(r * 10000)) + 1);
}

QString countMessage(const QString &text, int lines)
{
    const qint64 chars = text.size() - 2 * qint64(lines - 1);
    const qint64 sheets = static_cast<qint64>(std::nearbyint(lines / 20.0));
    return QStringLiteral("現在の総文字数は\u3000") + QString::number(chars) +
           QStringLiteral("\u3000文字で、\u3000") + QString::number(lines) +
           QStringLiteral("\u3000行です。\r\n\r\nこれを、400字詰めの原稿用紙にすると、約\u3000") +
           QString::number(sheets) + QStringLiteral("\u3000枚です。");
}

} // namespace textcommands
