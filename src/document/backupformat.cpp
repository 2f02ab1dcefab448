// Backup bytes to text and form, and back.
#include "document/backupformat.h"

#include <QStringList>

namespace backupformat {
namespace {

using documentformat::Form;
using documentformat::LineEnds;
using platform::Charset;

// The backup is Shift-JIS, or UTF-16LE with its mark, which no Shift-JIS text begins
// with.
constexpr Charset kBackupUnicode = Charset::Utf16Le;
const QString kHeader = QStringLiteral("Vellit backup: ");

QString describe(const Form &form)
{
    return kHeader + QStringLiteral("encoding=%1; bom=%2; eol=%3; final=%4")
                         .arg(platform::charsetName(form.encoding))
                         .arg(int(form.byteOrderMark))
                         .arg(documentformat::lineEndsName(form.lineEnds))
                         .arg(int(form.finalLineEnd));
}

// The form a header line names; what it does not name stays as in a new document.
Form formFrom(QStringView header)
{
    Form form;
    for (const QStringView field : header.mid(kHeader.size()).split(u';')) {
        const qsizetype eq = field.indexOf(u'=');
        if (eq < 0)
            continue;
        const QStringView name = field.left(eq).trimmed();
        const QStringView value = field.mid(eq + 1).trimmed();
        if (name == u"encoding") {
            form.encoding = platform::charsetNamed(value).value_or(form.encoding);
        } else if (name == u"bom") {
            form.byteOrderMark = value == u"1";
        } else if (name == u"eol") {
            form.lineEnds = documentformat::lineEndsNamed(value).value_or(form.lineEnds);
        } else if (name == u"final") {
            form.finalLineEnd = value != u"0";
        }
    }
    return form;
}

bool isPlainShiftJis(const Form &form)
{
    return form.encoding == Charset::ShiftJis && form.lineEnds == LineEnds::CrLf;
}

} // namespace

QByteArray write(const QString &text, const Form &form)
{
    if (isPlainShiftJis(form) && !documentformat::hasByteEscapes(text)) {
        qsizetype unrepresentable = -1;
        QByteArray ansi = platform::encode(text, Charset::ShiftJis, &unrepresentable);
        if (unrepresentable < 0)
            return ansi.append("\r\n");
    }
    const QString content = describe(form) + QStringLiteral("\r\n") + text + QStringLiteral("\r\n");
    QByteArray out = platform::byteOrderMark(kBackupUnicode);
    out.append(reinterpret_cast<const char *>(content.utf16()), content.size() * 2);
    return out;
}

Recovery read(const QByteArray &bytes)
{
    Recovery recovery;
    if (bytes.isEmpty())
        return recovery;
    const std::optional<Charset> marked = platform::charsetMarkedIn(bytes);
    if (marked == kBackupUnicode) {
        const qsizetype mark = platform::byteOrderMark(kBackupUnicode).size();
        const QString content(reinterpret_cast<const QChar *>(bytes.constData() + mark),
                              (bytes.size() - mark) / 2);
        const qsizetype headerEnd = content.indexOf(QStringLiteral("\r\n"));
        if (content.startsWith(kHeader) && headerEnd >= 0) {
            recovery.form = formFrom(QStringView(content).left(headerEnd));
            recovery.text = content.mid(headerEnd + 2);
            return recovery;
        }
    }
    // A UTF-8 backup with a byte-order mark comes from an earlier version of the program;
    // such a document is saved as UTF-8 with LF line ends.
    if (marked == Charset::Utf8) {
        recovery.form.encoding = Charset::Utf8;
        recovery.form.lineEnds = LineEnds::Lf;
        recovery.form.finalLineEnd = true;
        recovery.text = documentformat::read(bytes, Charset::Utf8).text;
    } else {
        recovery.text = documentformat::read(bytes, Charset::ShiftJis).text;
    }
    recovery.text += QStringLiteral("\r\n");
    return recovery;
}

} // namespace backupformat
