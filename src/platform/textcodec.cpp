// The character sets through glibc's iconv. Code page 932 is encoded through the
// memoised table of codepage.cpp, since the backup is encoded on every keystroke.
#include "platform/textcodec.h"

#include "platform/codepage.h"

#include <QtEndian>
#include <cerrno>
#include <iconv.h>

namespace platform {
namespace {

// What each character set is to the program.
struct CharsetInfo
{
    Charset charset;
    const char *iconvName; // for reading, and for writing unless encodeName says otherwise
    const char *name;      // as shown to the user
    // The set's iconv table writes ¥ and ‾ as the bytes of \ and ~: it does not hold them.
    bool refusesYenAndOverline;
    // JIS-Roman: the table reads 0x5C and 0x7E as ¥ and ‾; in a file they are the ASCII
    // backslash and tilde, as everywhere else on the system.
    bool readsJisRoman;
    const char *encodeName = nullptr;
    const char *byteOrderMark = "";
};

constexpr CharsetInfo kInfo[] = {
    {Charset::ShiftJis, "CP932", "Shift_JIS", true, false},
    {Charset::ShiftJis2004, "SHIFT_JISX0213", "Shift_JIS-2004", true, true},
    {Charset::EucJp, "EUC-JP", "EUC-JP", true, false},
    {Charset::EucJis2004, "EUC-JISX0213", "EUC-JIS-2004", false, false},
    // The -2 variant also reads JIS X 0212 and half-width katakana (ESC ( I).
    // Written as plain ISO-2022-JP; a character that needs another designation is written
    // only through one the file itself used (see Encoder).
    {Charset::Iso2022Jp, "ISO-2022-JP-2", "ISO-2022-JP", false, false, "ISO-2022-JP"},
    {Charset::Iso2022Jp2004, "ISO-2022-JP-3", "ISO-2022-JP-2004", false, false},
    {Charset::EucJpMs, "EUC-JP-MS", "eucJP-ms", true, false},
    {Charset::Utf8, "UTF-8", "UTF-8", false, false, nullptr, "\xEF\xBB\xBF"},
    {Charset::Utf16Le, "UTF-16LE", "UTF-16LE", false, false, nullptr, "\xFF\xFE"},
    {Charset::Utf16Be, "UTF-16BE", "UTF-16BE", false, false, nullptr, "\xFE\xFF"},
};

const CharsetInfo &infoOf(Charset charset)
{
    for (const CharsetInfo &info : kInfo) {
        if (info.charset == charset)
            return info;
    }
    return kInfo[0];
}

class Iconv
{
public:
    Iconv(const char *to, const char *from) : m_cd(iconv_open(to, from)) {}
    ~Iconv()
    {
        if (valid())
            iconv_close(m_cd);
    }
    Iconv(const Iconv &) = delete;
    Iconv &operator=(const Iconv &) = delete;

    bool valid() const { return m_cd != reinterpret_cast<iconv_t>(-1); }
    iconv_t handle() const { return m_cd; }

private:
    iconv_t m_cd;
};

} // namespace

QString charsetName(Charset charset)
{
    return QString::fromLatin1(infoOf(charset).name);
}

QByteArray byteOrderMark(Charset charset)
{
    return QByteArray(infoOf(charset).byteOrderMark);
}

std::optional<Charset> charsetMarkedIn(QByteArrayView bytes)
{
    for (const CharsetInfo &info : kInfo) {
        const QByteArrayView mark(info.byteOrderMark);
        if (!mark.isEmpty() && bytes.startsWith(mark))
            return info.charset;
    }
    return std::nullopt;
}

std::optional<Charset> charsetNamed(QStringView name)
{
    for (const CharsetInfo &info : kInfo) {
        if (name.compare(QLatin1StringView(info.name), Qt::CaseInsensitive) == 0 ||
            name.compare(QLatin1StringView(info.iconvName), Qt::CaseInsensitive) == 0)
            return info.charset;
    }
    static const struct
    {
        const char *alias;
        Charset charset;
    } kAliases[] = {{"Windows-31J", Charset::ShiftJis},
                    {"SJIS", Charset::ShiftJis},
                    {"MS932", Charset::ShiftJis},
                    {"EUCJP", Charset::EucJp},
                    {"EUC-JP-MS", Charset::EucJpMs},
                    {"CP51932", Charset::EucJpMs},
                    {"Shift_JISX0213", Charset::ShiftJis2004},
                    {"EUC-JISX0213", Charset::EucJis2004}};
    for (const auto &a : kAliases) {
        if (name.compare(QLatin1StringView(a.alias), Qt::CaseInsensitive) == 0)
            return a.charset;
    }
    return std::nullopt;
}

bool isStateful(Charset charset)
{
    return charset == Charset::Iso2022Jp || charset == Charset::Iso2022Jp2004;
}

int unitSize(Charset charset)
{
    return charset == Charset::Utf16Le || charset == Charset::Utf16Be ? 2 : 1;
}

bool isByteEscape(QStringView text, qsizetype i)
{
    const char16_t c = text[i].unicode();
    return c >= 0xDC00 && c <= 0xDCFF && (i == 0 || !text[i - 1].isHighSurrogate());
}

struct Decoder::Impl
{
    explicit Impl(Charset c) : charset(c), cd("UTF-16LE", infoOf(c).iconvName) {}
    Charset charset;
    Iconv cd;
};

Decoder::Decoder(Charset charset) : m_impl(std::make_unique<Impl>(charset)) {}

Decoder::~Decoder() = default;

namespace {

// Code page 51932 writes the IBM kanji of code page 932's rows 89 to 92 in EUC-JP's rows
// 89 to 92, which eucJP-ms keeps for user-defined characters: such a pair is read as
// code page 932 reads the same row and cell.
bool isWindowsIbmRow(QByteArrayView bytes, qsizetype i)
{
    const auto lead = static_cast<unsigned char>(bytes[i]);
    return lead >= 0xF9 && lead <= 0xFC && i + 1 < bytes.size() &&
           static_cast<unsigned char>(bytes[i + 1]) >= 0xA1 &&
           static_cast<unsigned char>(bytes[i + 1]) <= 0xFE;
}

QString windowsIbmKanji(unsigned char lead, unsigned char trail)
{
    const int row = lead - 0x80;
    const int cell = trail - 0x80;
    const char sjis[2] = {char(((row + 1) >> 1) + (row <= 0x5E ? 0x70 : 0xB0)),
                          char(cell + ((row & 1) ? (cell >= 0x60 ? 0x20 : 0x1F) : 0x7E))};
    return decode(QByteArrayView(sjis, 2), Charset::ShiftJis);
}

// The length of the EUC-JP character starting at bytes[i].
qsizetype eucLength(QByteArrayView bytes, qsizetype i)
{
    const auto b = static_cast<unsigned char>(bytes[i]);
    return b < 0x80 ? 1 : b == 0x8F ? 3 : 2;
}

} // namespace

QString Decoder::decode(QByteArrayView bytes)
{
    if (m_impl->charset != Charset::EucJpMs)
        return decodeRun(bytes);
    QString out;
    qsizetype start = 0;
    qsizetype i = 0;
    while (i < bytes.size()) {
        if (!isWindowsIbmRow(bytes, i)) {
            i += eucLength(bytes, i);
            continue;
        }
        out += decodeRun(bytes.sliced(start, i - start));
        out += windowsIbmKanji(static_cast<unsigned char>(bytes[i]),
                               static_cast<unsigned char>(bytes[i + 1]));
        i += 2;
        start = i;
    }
    out += decodeRun(bytes.sliced(qMin(start, bytes.size())));
    return out;
}

QString Decoder::decodeRun(QByteArrayView bytes)
{
    QString out;
    out.reserve(bytes.size());
    const Charset charset = m_impl->charset;
    const int unit = unitSize(charset);
    iconv_t cd = m_impl->cd.handle();
    qsizetype pos = 0;
    while (pos < bytes.size()) {
        char *in = const_cast<char *>(bytes.data() + pos);
        size_t inLeft = bytes.size() - pos;
        const qsizetype before = out.size();
        out.resize(before + qsizetype(inLeft) + 4);
        char *o = reinterpret_cast<char *>(out.data() + before);
        size_t outLeft = (inLeft + 4) * 2;
        const size_t r = iconv(cd, &in, &inLeft, &o, &outLeft);
        out.resize(reinterpret_cast<QChar *>(o) - out.data());
        pos = bytes.size() - qsizetype(inLeft);
        if (r != size_t(-1) || inLeft == 0 || errno == E2BIG)
            continue;
        // An invalid or incomplete sequence: its first byte (in UTF-16 its first unit)
        // is kept as it is, and reading goes on after it in the same shift state.
        const auto byte = static_cast<unsigned char>(bytes[pos]);
        const char16_t windows = charset == Charset::ShiftJis ? windowsSingleByte(byte) : 0;
        if (windows != 0) {
            out.append(QChar(windows));
            ++pos;
            continue;
        }
        const qsizetype kept = qMin<qsizetype>(unit, bytes.size() - pos);
        for (qsizetype k = 0; k < kept; ++k)
            out.append(QChar(byteEscape(static_cast<unsigned char>(bytes[pos + k]))));
        m_undecodable += int(kept);
        pos += kept;
    }
    if (infoOf(charset).readsJisRoman) {
        for (QChar &c : out) {
            if (c.unicode() == kYen)
                c = u'\\';
            else if (c.unicode() == kOverline)
                c = u'~';
        }
    }
    return out;
}

QString decode(QByteArrayView bytes, Charset charset, int *undecodable)
{
    Decoder decoder(charset);
    QString text = decoder.decode(bytes);
    if (undecodable)
        *undecodable = decoder.undecodable();
    return text;
}

QList<QByteArray> escapeSequencesIn(QByteArrayView bytes)
{
    // ESC, then the intermediate bytes (0x20–0x2F), then one final byte (0x30–0x7E); a
    // stray ESC is none.
    QList<QByteArray> found;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\x1B')
            continue;
        qsizetype end = i + 1;
        while (end < bytes.size() && bytes[end] >= 0x20 && bytes[end] <= 0x2F)
            ++end;
        if (end == i + 1 || end >= bytes.size() || bytes[end] < 0x30 || bytes[end] > 0x7E)
            continue;
        found.append(bytes.sliced(i, end + 1 - i).toByteArray());
        i = end;
    }
    return found;
}

QList<QByteArray> designationsIn(QByteArrayView bytes)
{
    QList<QByteArray> found;
    for (const QByteArray &sequence : escapeSequencesIn(bytes)) {
        if (!found.contains(sequence))
            found.append(sequence);
    }
    return found;
}

namespace {

void noteUnrepresentable(qsizetype offset, qsizetype *first)
{
    if (first && *first < 0)
        *first = offset;
}

// Whether the character at i is one the set does not hold whatever its table says: ¥
// and ‾ where the table would write \ and ~, and in ISO-2022-JP the bytes that shift
// (ESC, SO, SI) and the C1 controls, which would be read as shifts or break lines.
bool refused(QStringView text, qsizetype i, Charset charset)
{
    const char16_t c = text[i].unicode();
    if (infoOf(charset).refusesYenAndOverline && (c == kYen || c == kOverline))
        return true;
    return isStateful(charset) && (c == 0x1B || c == 0x0E || c == 0x0F || (c >= 0x80 && c < 0xA0));
}

QByteArray encodeUtf16(QStringView text, bool bigEndian, bool endsFile, qsizetype *first)
{
    QByteArray out(text.size() * 2, Qt::Uninitialized);
    char *o = out.data();
    const auto put = [&o, bigEndian](char16_t c) {
        if (bigEndian)
            qToBigEndian(c, o);
        else
            qToLittleEndian(c, o);
        o += 2;
    };
    qsizetype i = 0;
    while (i < text.size()) {
        if (!isByteEscape(text, i)) {
            put(text[i].unicode());
            ++i;
            continue;
        }
        // Kept bytes were read two by two, as the units they are.
        qsizetype end = i;
        while (end < text.size() && isByteEscape(text, end))
            ++end;
        for (; i + 1 < end; i += 2) {
            *o++ = char(text[i].unicode() - 0xDC00);
            *o++ = char(text[i + 1].unicode() - 0xDC00);
        }
        if (i < end) {
            if (end == text.size() && endsFile) {
                *o++ = char(text[i].unicode() - 0xDC00);
            } else {
                noteUnrepresentable(i, first);
                put(0xFFFD);
            }
            ++i;
        }
    }
    out.truncate(o - out.data());
    return out;
}

// Brings the converter back to its initial shift state, writing what that takes.
void flush(iconv_t cd, QByteArray &out)
{
    char buffer[16];
    char *o = buffer;
    size_t outLeft = sizeof buffer;
    iconv(cd, nullptr, nullptr, &o, &outLeft);
    out.append(buffer, o - buffer);
}

// Converts text whole, or gives an empty result when some character does not convert.
QByteArray convertAll(iconv_t cd, QStringView text)
{
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    QByteArray out(text.size() * 8 + 16, Qt::Uninitialized);
    char *in = reinterpret_cast<char *>(const_cast<QChar *>(text.data()));
    size_t inLeft = size_t(text.size()) * 2;
    char *o = out.data();
    size_t outLeft = size_t(out.size());
    if (iconv(cd, &in, &inLeft, &o, &outLeft) == size_t(-1))
        return QByteArray();
    out.truncate(o - out.data());
    flush(cd, out);
    return out;
}

} // namespace

struct Encoder::Impl
{
    Impl(Charset c, const QList<QByteArray> &d)
        : charset(c),
          cd(infoOf(c).encodeName ? infoOf(c).encodeName : infoOf(c).iconvName, "UTF-16LE"),
          designations(d)
    {
    }

    // The bytes of one character through a designation the file used, or none.
    QByteArray throughFileDesignation(QStringView character)
    {
        if (designations.isEmpty())
            return QByteArray();
        if (!extended)
            extended = std::make_unique<Iconv>(infoOf(charset).iconvName, "UTF-16LE");
        const QByteArray bytes = convertAll(extended->handle(), character);
        if (bytes.isEmpty())
            return QByteArray();
        for (const QByteArray &d : designationsIn(bytes)) {
            if (d != "\x1B(B" && !designations.contains(d))
                return QByteArray();
        }
        return bytes;
    }

    // A run of text without byte escapes; the run ends in the initial state. A
    // character that cannot be written becomes "?" in the initial state, so that the
    // question mark is read as one.
    void encodeRun(QStringView text, qsizetype offset, QByteArray &out, qsizetype *first)
    {
        qsizetype i = 0;
        while (i < text.size()) {
            qsizetype end = i;
            while (end < text.size() && !refused(text, end, charset))
                end += text[end].isHighSurrogate() && end + 1 < text.size() ? 2 : 1;
            char *in = reinterpret_cast<char *>(const_cast<QChar *>(text.data() + i));
            size_t inLeft = size_t(end - i) * 2;
            while (inLeft > 0) {
                const qsizetype before = out.size();
                out.resize(before + qsizetype(inLeft) * 4 + 16);
                char *o = out.data() + before;
                size_t outLeft = inLeft * 4 + 16;
                const size_t r = iconv(cd.handle(), &in, &inLeft, &o, &outLeft);
                out.resize(o - out.data());
                if (r != size_t(-1) || inLeft == 0 || errno == E2BIG)
                    continue;
                const qsizetype at = end - qsizetype(inLeft / 2);
                const qsizetype step = text[at].isHighSurrogate() && at + 1 < end ? 2 : 1;
                flush(cd.handle(), out);
                const QByteArray own = throughFileDesignation(text.mid(at, step));
                if (own.isEmpty()) {
                    noteUnrepresentable(offset + at, first);
                    out.append('?');
                } else {
                    out.append(own);
                }
                in += step * 2;
                inLeft -= size_t(step) * 2;
            }
            flush(cd.handle(), out);
            if (end < text.size()) {
                noteUnrepresentable(offset + end, first);
                out.append('?');
                ++end;
            }
            i = end;
        }
    }

    Charset charset;
    Iconv cd;
    QList<QByteArray> designations;
    std::unique_ptr<Iconv> extended;
};

Encoder::Encoder(Charset charset, const QList<QByteArray> &designations)
    : m_impl(std::make_unique<Impl>(charset, designations))
{
}

Encoder::~Encoder() = default;

QByteArray Encoder::encode(QStringView text, qsizetype *firstUnrepresentable, bool endsFile)
{
    if (firstUnrepresentable)
        *firstUnrepresentable = -1;
    const Charset charset = m_impl->charset;
    if (charset == Charset::ShiftJis)
        return encodeAnsi(text, firstUnrepresentable);
    if (unitSize(charset) == 2)
        return encodeUtf16(text, charset == Charset::Utf16Be, endsFile, firstUnrepresentable);
    QByteArray out;
    out.reserve(text.size() * 3);
    // Runs between byte escapes, and for the JIS-Roman tables between ASCII characters,
    // which are written as themselves.
    const bool jisRoman = infoOf(charset).readsJisRoman;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        const bool escape = i < text.size() && isByteEscape(text, i);
        const bool ascii = i < text.size() && jisRoman && text[i].unicode() < 0x80;
        if (i < text.size() && !escape && !ascii)
            continue;
        if (i > start)
            m_impl->encodeRun(text.mid(start, i - start), start, out, firstUnrepresentable);
        if (escape)
            out.append(char(text[i].unicode() - 0xDC00));
        else if (ascii)
            out.append(char(text[i].unicode()));
        start = i + 1;
    }
    return out;
}

QByteArray encode(QStringView text, Charset charset, qsizetype *firstUnrepresentable)
{
    return Encoder(charset).encode(text, firstUnrepresentable);
}

} // namespace platform
