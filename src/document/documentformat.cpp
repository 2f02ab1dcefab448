// Document bytes to text and back, line by line, so that each line keeps its own bytes.
#include "document/documentformat.h"

#include "document/charsetguess.h"
#include "document/linematch.h"
#include "platform/codepage.h"

#include <QtEndian>
#include <algorithm>

namespace documentformat {
namespace {

// The file's code units: bytes, or 16-bit units for UTF-16, so that CR and LF are found
// whatever the encoding.
class Units
{
public:
    Units(const QByteArray &bytes, qsizetype from, Charset encoding)
        : m_bytes(bytes), m_from(from), m_size(platform::unitSize(encoding)),
          m_bigEndian(encoding == Charset::Utf16Be)
    {
    }
    qsizetype count() const { return (m_bytes.size() - m_from + m_size - 1) / m_size; }
    char16_t at(qsizetype i) const
    {
        const qsizetype p = m_from + i * m_size;
        if (m_size == 1)
            return static_cast<unsigned char>(m_bytes[p]);
        if (p + 1 >= m_bytes.size())
            return 0xFFFF; // a last odd byte is no line break
        const auto *d = reinterpret_cast<const uchar *>(m_bytes.constData() + p);
        return m_bigEndian ? qFromBigEndian<quint16>(d) : qFromLittleEndian<quint16>(d);
    }
    QByteArrayView bytes(qsizetype fromUnit, qsizetype toUnit) const
    {
        // A last odd byte of UTF-16 is a unit of its own: nothing lies past it.
        const qsizetype begin = qMin(m_from + fromUnit * m_size, m_bytes.size());
        const qsizetype end = qMin(m_from + toUnit * m_size, m_bytes.size());
        return QByteArrayView(m_bytes).sliced(begin, end - begin);
    }

private:
    const QByteArray &m_bytes;
    qsizetype m_from;
    int m_size;
    bool m_bigEndian;
};

LineEnds lineEndsOf(const Units &units, Charset encoding)
{
    bool cr = false;
    bool lf = false;
    for (qsizetype i = 0; i < units.count() && !(cr && lf); ++i) {
        cr = cr || units.at(i) == u'\r';
        lf = lf || units.at(i) == u'\n';
    }
    if (lf && !cr)
        return LineEnds::Lf;
    if (cr && !lf && encoding != Charset::ShiftJis)
        return LineEnds::Cr;
    return LineEnds::CrLf;
}

// ISO-2022-JP's shift state across a line: whether G0 holds ASCII (the initial state)
// after the line's bytes, given whether it did before them. Only a complete designation
// of G0 (ESC ( F, ESC $ F, ESC $ ( F) changes it; a stray ESC or a G2 designation does not.
bool asciiAfter(QByteArrayView bytes, bool asciiBefore)
{
    bool ascii = asciiBefore;
    for (const QByteArray &sequence : platform::escapeSequencesIn(bytes)) {
        if (sequence.at(1) == '(' || sequence.at(1) == '$')
            ascii = sequence == "\x1B(B";
    }
    return ascii;
}

// Each line-end form: what it writes and what it is called.
struct LineEndInfo
{
    LineEnds lineEnds;
    const char *text;
    const char *name;
};

constexpr LineEndInfo kLineEndInfo[] = {
    {LineEnds::CrLf, "\r\n", "CRLF"}, {LineEnds::Lf, "\n", "LF"}, {LineEnds::Cr, "\r", "CR"}};

const LineEndInfo &infoOf(LineEnds lineEnds)
{
    for (const LineEndInfo &info : kLineEndInfo) {
        if (info.lineEnds == lineEnds)
            return info;
    }
    return kLineEndInfo[0];
}

QString lineEnd(LineEnds lineEnds)
{
    return QString::fromLatin1(infoOf(lineEnds).text);
}

} // namespace

QString lineEndsName(LineEnds lineEnds)
{
    return QString::fromLatin1(infoOf(lineEnds).name);
}

std::optional<LineEnds> lineEndsNamed(QStringView name)
{
    for (const LineEndInfo &info : kLineEndInfo) {
        if (name == QLatin1StringView(info.name))
            return info.lineEnds;
    }
    return std::nullopt;
}

Reading read(const QByteArray &bytes, Charset encoding)
{
    Reading reading;
    Form &form = reading.form;
    form.encoding = encoding;
    form.keptBytesFrom = encoding;
    const QByteArray bom = platform::byteOrderMark(encoding);
    form.byteOrderMark = !bom.isEmpty() && bytes.startsWith(bom);
    const Units units(bytes, form.byteOrderMark ? bom.size() : 0, encoding);
    form.lineEnds = lineEndsOf(units, encoding);
    const bool stateful = platform::isStateful(encoding);
    if (stateful)
        form.designations = platform::designationsIn(bytes);

    platform::Decoder decoder(encoding);
    bool asciiBefore = true;
    QString &text = reading.text;
    text.reserve(bytes.size());
    const qsizetype n = units.count();
    qsizetype lineStart = 0;
    for (qsizetype i = 0; i <= n; ++i) {
        // Where this line ends and the next begins.
        qsizetype next = -1;
        if (i == n) {
            next = n;
        } else {
            const char16_t u = units.at(i);
            if (form.lineEnds == LineEnds::Lf && u == u'\n')
                next = i + 1;
            else if (form.lineEnds == LineEnds::Cr && u == u'\r')
                next = i + 1;
            else if (form.lineEnds == LineEnds::CrLf && u == u'\r')
                next = i + 1 < n && units.at(i + 1) == u'\n' ? i + 2 : i + 1;
        }
        if (next < 0)
            continue;
        ReadLine line;
        line.bytes = units.bytes(lineStart, i).toByteArray();
        line.end = units.bytes(i, next).toByteArray();
        line.text = decoder.decode(line.bytes);
        line.asciiBefore = asciiBefore;
        line.asciiAfter = !stateful || asciiAfter(line.bytes, asciiBefore);
        asciiBefore = line.asciiAfter;
        text += line.text;
        const bool last = i == n;
        form.lines.append(std::move(line));
        if (last)
            break;
        text += QStringLiteral("\r\n");
        lineStart = next;
        i = next - 1;
    }
    // One final line end of the file is not part of the text: the empty line after it
    // is no line of the file.
    const bool endedWithLineEnd = form.lines.size() > 1 && form.lines.last().bytes.isEmpty() &&
                                  !form.lines.at(form.lines.size() - 2).end.isEmpty();
    if (endedWithLineEnd) {
        text.chop(2);
        form.lines.removeLast();
    }
    form.finalLineEnd = endedWithLineEnd || encoding == Charset::ShiftJis;
    reading.undecodableBytes = decoder.undecodable();
    return reading;
}

Reading read(const QByteArray &bytes)
{
    return read(bytes, charsetguess::recognise(bytes));
}

namespace {

// The text's lines, without their CR LF.
QList<QStringView> linesOf(const QString &text)
{
    QList<QStringView> lines;
    qsizetype start = 0;
    while (true) {
        const qsizetype end = text.indexOf(QStringLiteral("\r\n"), start);
        lines.append(QStringView(text).mid(start, end < 0 ? -1 : end - start));
        if (end < 0)
            return lines;
        start = end + 2;
    }
}

// Which new lines are written back from the bytes they were read from. In ISO-2022-JP a
// line that did not start in the initial shift state can only follow the line it
// followed, and one that did not end in it only precede the line it preceded (or end
// the file as it did); lines encoded afresh start and end in the initial state.
QList<bool> linesKept(const QList<qsizetype> &matched, const Form &form)
{
    QList<bool> kept(matched.size());
    for (qsizetype j = 0; j < matched.size(); ++j)
        kept[j] = matched[j] >= 0;
    if (!platform::isStateful(form.encoding))
        return kept;
    const auto follows = [&](qsizetype j) {
        return j > 0 && kept[j - 1] && matched[j - 1] == matched[j] - 1;
    };
    for (qsizetype j = 0; j < matched.size(); ++j) {
        if (kept[j] && !form.lines.at(matched[j]).asciiBefore && !follows(j))
            kept[j] = false;
    }
    for (qsizetype j = matched.size() - 1; j >= 0; --j) {
        if (!kept[j] || form.lines.at(matched[j]).asciiAfter)
            continue;
        const bool endsAsBefore = j == matched.size() - 1 && matched[j] == form.lines.size() - 1;
        const bool precedesAsBefore =
            j + 1 < matched.size() && kept[j + 1] && matched[j + 1] == matched[j] + 1;
        if (!endsAsBefore && !precedesAsBefore)
            kept[j] = false;
    }
    return kept;
}

// The Unicode forms: those that have a byte-order mark.
bool isUnicode(Charset encoding)
{
    return !platform::byteOrderMark(encoding).isEmpty();
}

// The offset of the first character where two texts differ.
qsizetype firstDifference(const QString &a, const QString &b)
{
    const qsizetype n = qMin(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        if (a.at(i) != b.at(i))
            return i;
    }
    return n;
}

} // namespace

QByteArray write(const QString &shown, const Form &form, WriteCheck *check)
{
    WriteCheck found;
    const auto note = [&found](Trouble trouble, qsizetype offset) {
        if (found.trouble == Trouble::None) {
            found.trouble = trouble;
            found.offset = offset;
        }
    };
    const qsizetype keptByte = firstByteEscape(shown);
    const bool foreignBytes = keptByte >= 0 && form.keptBytesFrom != form.encoding;
    if (foreignBytes)
        note(Trouble::KeptByte, keptByte);
    const QString text = foreignBytes ? withKeptBytesReplaced(shown) : shown;

    const QList<QStringView> lines = linesOf(text);
    const QList<qsizetype> matched =
        linematch::match(form.lines.size(), lines.size(), [&](qsizetype i, qsizetype j) {
            return form.lines.at(i).text == lines.at(j);
        });
    const QList<bool> kept = linesKept(matched, form);

    // A text that starts with U+FEFF keeps it only behind a byte-order mark.
    const bool bom =
        form.byteOrderMark || (isUnicode(form.encoding) && text.startsWith(QChar(0xFEFF)));
    QByteArray out = bom ? platform::byteOrderMark(form.encoding) : QByteArray();
    out.reserve(out.size() + text.size() * 2 + 2);
    platform::Encoder encoder(form.encoding, form.designations);
    const QByteArray terminator = encoder.encode(lineEnd(form.lineEnds));
    const bool shiftJis = form.encoding == Charset::ShiftJis;
    const bool finalLineEnd =
        shiftJis || form.finalLineEnd || text.endsWith(QStringLiteral("\r\n"));
    qsizetype start = 0;
    for (qsizetype j = 0; j < lines.size(); ++j) {
        const bool last = j == lines.size() - 1;
        const ReadLine *own = kept[j] ? &form.lines.at(matched[j]) : nullptr;
        if (own) {
            out += own->bytes;
        } else {
            qsizetype bad = -1;
            out += encoder.encode(lines.at(j), &bad, last && !finalLineEnd);
            if (bad >= 0)
                note(platform::isByteEscape(text, start + bad) ? Trouble::KeptByte
                                                               : Trouble::Unrepresentable,
                     start + bad);
        }
        // A Shift-JIS file breaks every line with CR LF.
        if (!last || finalLineEnd)
            out += own && !own->end.isEmpty() && !shiftJis ? own->end : terminator;
        start += lines.at(j).size() + 2;
    }
    if (found.trouble == Trouble::None) {
        // Code page 932 gives back the Windows form of a character it stores with the
        // same bytes as another (〜 as ～): that is the same text to the user.
        const QString readBack = read(out, form.encoding).text;
        const QString expected = shiftJis ? platform::storedForms(text) : text;
        if (readBack != expected)
            note(Trouble::ReadsOtherwise, firstDifference(readBack, expected));
    }
    if (check)
        *check = found;
    return out;
}

QByteArray write(const QString &text)
{
    return write(text, Form());
}

qsizetype firstByteEscape(const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i).isLowSurrogate() && platform::isByteEscape(text, i))
            return i;
    }
    return -1;
}

QString withKeptBytesReplaced(QString text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i).isLowSurrogate() && platform::isByteEscape(text, i))
            text[i] = QChar(0xFFFD);
    }
    return text;
}

Form convertedForm(const Form &form, Charset encoding)
{
    if (encoding == form.encoding)
        return form;
    Form converted;
    converted.encoding = encoding;
    converted.keptBytesFrom = form.keptBytesFrom;
    converted.lineEnds = form.lineEnds;
    if (encoding == Charset::ShiftJis && form.lineEnds == LineEnds::Cr)
        converted.lineEnds = LineEnds::CrLf;
    converted.finalLineEnd = form.finalLineEnd;
    converted.byteOrderMark =
        platform::unitSize(encoding) == 2 || (encoding == Charset::Utf8 && form.byteOrderMark);
    return converted;
}

Form withLayout(Form form, LineEnds lineEnds, bool byteOrderMark)
{
    if (form.encoding == Charset::ShiftJis && lineEnds == LineEnds::Cr)
        lineEnds = LineEnds::CrLf;
    if (lineEnds != form.lineEnds) {
        // A kept line would keep its own line end.
        form.lines.clear();
        form.lineEnds = lineEnds;
    }
    form.byteOrderMark = isUnicode(form.encoding) && byteOrderMark;
    return form;
}

} // namespace documentformat
