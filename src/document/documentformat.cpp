// Document bytes to text and back, line by line, so that each line keeps its own bytes.
#include "document/documentformat.h"

#include "document/charsetguess.h"

#include <QtEndian>
#include <algorithm>

namespace documentformat {
namespace {

const QByteArray kUtf8Bom = QByteArrayLiteral("\xEF\xBB\xBF");
const QByteArray kUtf16LeBom = QByteArrayLiteral("\xFF\xFE");
const QByteArray kUtf16BeBom = QByteArrayLiteral("\xFE\xFF");

QByteArray byteOrderMarkOf(Charset encoding)
{
    switch (encoding) {
    case Charset::Utf8:
        return kUtf8Bom;
    case Charset::Utf16Le:
        return kUtf16LeBom;
    case Charset::Utf16Be:
        return kUtf16BeBom;
    default:
        return QByteArray();
    }
}

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
        const qsizetype begin = m_from + fromUnit * m_size;
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

// ISO-2022-JP's shift state across a line: whether it is ASCII (the initial state)
// after the line's bytes, given whether it was before them. Only a line that starts and
// ends in ASCII can be written back among lines encoded afresh.
bool asciiAfter(QByteArrayView bytes, bool asciiBefore)
{
    bool ascii = asciiBefore;
    for (qsizetype i = 0; i + 2 < bytes.size(); ++i) {
        if (bytes[i] == '\x1B')
            ascii = bytes[i + 1] == '(' && bytes[i + 2] == 'B';
    }
    return ascii;
}

// ASCII with no escape or shift byte: every encoding writes such a line as it is.
bool isPlainAscii(QByteArrayView bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](char b) {
        return static_cast<unsigned char>(b) < 0x80 && b != '\x1B' && b != '\x0E' && b != '\x0F';
    });
}

// Each line-end form: what it writes and what it is called.
struct LineEndInfo
{
    LineEnds lineEnds;
    const char *text;
    const char *name;
};

constexpr LineEndInfo kLineEnds[] = {
    {LineEnds::CrLf, "\r\n", "CRLF"}, {LineEnds::Lf, "\n", "LF"}, {LineEnds::Cr, "\r", "CR"}};

const LineEndInfo &infoOf(LineEnds lineEnds)
{
    for (const LineEndInfo &info : kLineEnds) {
        if (info.lineEnds == lineEnds)
            return info;
    }
    return kLineEnds[0];
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

Reading read(const QByteArray &bytes, Charset encoding)
{
    Reading reading;
    Form &form = reading.form;
    form.encoding = encoding;
    const QByteArray bom = byteOrderMarkOf(encoding);
    form.byteOrderMark = !bom.isEmpty() && bytes.startsWith(bom);
    const Units units(bytes, form.byteOrderMark ? bom.size() : 0, encoding);
    form.lineEnds = lineEndsOf(units, encoding);

    platform::Decoder decoder(encoding);
    // A line of UTF-8 or UTF-16 always encodes back to its bytes (byte escapes included),
    // and so does an ASCII line of the other encodings; every other line is kept with its
    // bytes, which are its own whatever the encoding's tables would choose.
    const bool unicode = encoding == Charset::Utf8 || platform::unitSize(encoding) == 2;
    const bool stateful = encoding == Charset::Iso2022Jp;
    bool asciiBefore = true;
    QString &text = reading.text;
    text.reserve(bytes.size());
    const qsizetype n = units.count();
    qsizetype lineStart = 0;
    bool endedWithLineEnd = false;
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
        const QByteArrayView lineBytes = units.bytes(lineStart, i);
        const QString line = decoder.decode(lineBytes);
        text += line;
        const bool asciiAtEnd = !stateful || asciiAfter(lineBytes, asciiBefore);
        const bool standsAlone = !stateful || (asciiBefore && asciiAtEnd);
        if (!unicode && standsAlone && !isPlainAscii(lineBytes) && !form.keptLines.contains(line))
            form.keptLines.insert(line, lineBytes.toByteArray());
        asciiBefore = asciiAtEnd;
        if (i == n)
            break;
        endedWithLineEnd = next == n;
        text += QStringLiteral("\r\n");
        lineStart = next;
        i = next - 1;
    }
    // One final line end of the file is not part of the text.
    if (endedWithLineEnd)
        text.chop(2);
    form.finalLineEnd = endedWithLineEnd || encoding == Charset::ShiftJis;
    if (encoding != Charset::ShiftJis) {
        form.readText = text;
        form.readBytes = bytes;
    }
    reading.undecodableBytes = decoder.undecodable();
    return reading;
}

Reading read(const QByteArray &bytes)
{
    return read(bytes, charsetguess::recognise(bytes));
}

QByteArray write(const QString &text, const Form &form, qsizetype *firstUnrepresentable)
{
    if (firstUnrepresentable)
        *firstUnrepresentable = -1;
    if (!form.readBytes.isNull() && text == form.readText)
        return form.readBytes;
    QByteArray out = form.byteOrderMark ? byteOrderMarkOf(form.encoding) : QByteArray();
    out.reserve(out.size() + text.size() * 2 + 2);
    platform::Encoder encoder(form.encoding);
    const QByteArray terminator = encoder.encode(lineEnd(form.lineEnds));
    const bool finalLineEnd = form.encoding == Charset::ShiftJis || form.finalLineEnd ||
                              text.endsWith(QStringLiteral("\r\n"));
    qsizetype start = 0;
    while (true) {
        const qsizetype end = text.indexOf(QStringLiteral("\r\n"), start);
        const QStringView line = QStringView(text).mid(start, end < 0 ? -1 : end - start);
        const auto kept = form.keptLines.constFind(line.toString());
        if (kept != form.keptLines.cend()) {
            out += *kept;
        } else {
            qsizetype bad = -1;
            out += encoder.encode(line, &bad);
            if (bad >= 0 && firstUnrepresentable && *firstUnrepresentable < 0)
                *firstUnrepresentable = start + bad;
        }
        if (end < 0)
            break;
        out += terminator;
        start = end + 2;
    }
    if (finalLineEnd)
        out += terminator;
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

Form convertedForm(const Form &form, Charset encoding)
{
    if (encoding == form.encoding)
        return form;
    Form converted;
    converted.encoding = encoding;
    converted.lineEnds = form.lineEnds;
    if (encoding == Charset::ShiftJis && form.lineEnds == LineEnds::Cr)
        converted.lineEnds = LineEnds::CrLf;
    converted.finalLineEnd = form.finalLineEnd;
    converted.byteOrderMark =
        platform::unitSize(encoding) == 2 || (encoding == Charset::Utf8 && form.byteOrderMark);
    return converted;
}

} // namespace documentformat
