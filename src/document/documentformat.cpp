// Document bytes to text and back.
#include "document/documentformat.h"

#include "platform/codepage.h"

#include <QStringDecoder>

namespace documentformat {
namespace {

const QByteArray kBom = QByteArrayLiteral("\xEF\xBB\xBF");

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

bool isValidUtf8(const QByteArray &bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded = decoder.decode(bytes);
    return !decoder.hasError();
}

bool hasNonAscii(const QByteArray &bytes)
{
    for (const char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return true;
    }
    return false;
}

QString decode(const QByteArray &bytes, const Form &form)
{
    if (form.encoding == Encoding::ShiftJis)
        return platform::fromAnsi(bytes);
    const QByteArray body = form.byteOrderMark && bytes.startsWith(kBom) ? bytes.mid(3) : bytes;
    return QString::fromUtf8(body);
}

} // namespace

Form recognise(const QByteArray &bytes)
{
    Form form;
    if (bytes.startsWith(kBom)) {
        form.encoding = Encoding::Utf8;
        form.byteOrderMark = true;
    } else if (hasNonAscii(bytes) && isValidUtf8(bytes)) {
        form.encoding = Encoding::Utf8;
    }
    form.lfLineEnds = bytes.contains('\n') && !bytes.contains('\r');
    form.finalLineEnd = bytes.endsWith('\n') || bytes.endsWith('\r');
    return form;
}

QString read(const QByteArray &bytes, const Form &form)
{
    QString decoded = decode(bytes, form);
    if (form.lfLineEnds)
        decoded.replace(u'\n', QStringLiteral("\r\n"));
    QString text = withCrLfLineEnds(decoded);
    if (text.endsWith(QStringLiteral("\r\n")))
        text.chop(2);
    return text;
}

QString read(const QByteArray &bytes)
{
    return read(bytes, Form());
}

QByteArray write(const QString &text, const Form &form)
{
    const bool utf8 = form.encoding == Encoding::Utf8;
    QString lines = text;
    if (!utf8 || form.finalLineEnd)
        lines += QStringLiteral("\r\n");
    if (form.lfLineEnds)
        lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (!utf8)
        return platform::toAnsi(lines);
    return (form.byteOrderMark ? kBom : QByteArray()) + lines.toUtf8();
}

QByteArray write(const QString &text)
{
    return write(text, Form());
}

QString readRecovery(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return QString();
    Form form;
    if (bytes.startsWith(kBom)) {
        form.encoding = Encoding::Utf8;
        form.byteOrderMark = true;
    }
    return read(bytes, form) + QStringLiteral("\r\n");
}

bool isUtf8Backup(const QByteArray &bytes)
{
    return bytes.startsWith(kBom);
}

QByteArray writeBackup(const QString &text)
{
    // One pass: the Shift-JIS form is kept unless a character was lost in it.
    bool lossless = false;
    const QByteArray ansi = platform::toAnsi(text + QStringLiteral("\r\n"), &lossless);
    if (lossless)
        return ansi;
    Form form;
    form.encoding = Encoding::Utf8;
    form.byteOrderMark = true;
    return write(text, form);
}

} // namespace documentformat
