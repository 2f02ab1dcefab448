// Document bytes to text and back.
#include "document/documentformat.h"

#include "platform/codepage.h"

namespace documentformat {
namespace {

// A lone CR ends a line like CR LF does; a lone LF stays in its line.
QString withCrLfLineEnds(const QString &decoded)
{
    QString out;
    out.reserve(decoded.size() + 16);
    const qsizetype n = decoded.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = decoded.at(i);
        out.append(c);
        if (c == u'\r' && (i + 1 >= n || decoded.at(i + 1) != u'\n'))
            out.append(u'\n');
    }
    return out;
}

} // namespace

QString read(const QByteArray &bytes)
{
    QString text = withCrLfLineEnds(platform::fromAnsi(bytes));
    if (text.endsWith(QStringLiteral("\r\n")))
        text.chop(2);
    return text;
}

QString readRecovery(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return QString();
    return read(bytes) + QStringLiteral("\r\n");
}

QByteArray write(const QString &text)
{
    return platform::toAnsi(text) + QByteArrayLiteral("\r\n");
}

} // namespace documentformat
