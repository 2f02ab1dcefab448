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
    const char *iconvName;
    const char *name; // as shown to the user
    // The set's iconv table writes ¥ and ‾ as the bytes of \ and ~: it does not hold them.
    bool refusesYenAndOverline;
    // JIS-Roman: the table reads 0x5C and 0x7E as ¥ and ‾; in a file they are the ASCII
    // backslash and tilde, as everywhere else on the system.
    bool readsJisRoman;
};

constexpr CharsetInfo kInfo[] = {
    {Charset::ShiftJis, "CP932", "Shift_JIS", true, false},
    {Charset::ShiftJis2004, "SHIFT_JISX0213", "Shift_JIS-2004", true, true},
    {Charset::EucJp, "EUC-JP", "EUC-JP", true, false},
    {Charset::EucJis2004, "EUC-JISX0213", "EUC-JIS-2004", false, false},
    // The -2 variant also reads JIS X 0212 and half-width katakana (ESC ( I), and writes
    // plain ISO-2022-JP for the characters that has.
    {Charset::Iso2022Jp, "ISO-2022-JP-2", "ISO-2022-JP", false, false},
    {Charset::Utf8, "UTF-8", "UTF-8", false, false},
    {Charset::Utf16Le, "UTF-16LE", "UTF-16LE", false, false},
    {Charset::Utf16Be, "UTF-16BE", "UTF-16BE", false, false},
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

QString Decoder::decode(QByteArrayView bytes)
{
    QString out;
    out.reserve(bytes.size());
    const Charset charset = m_impl->charset;
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
        // An invalid or incomplete sequence: its first byte alone is kept as it is, and
        // reading goes on at the next byte in the same shift state.
        const auto byte = static_cast<unsigned char>(bytes[pos]);
        const char16_t windows = charset == Charset::ShiftJis ? windowsSingleByte(byte) : 0;
        if (windows != 0) {
            out.append(QChar(windows));
        } else {
            out.append(QChar(byteEscape(byte)));
            ++m_undecodable;
        }
        ++pos;
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

namespace {

void noteUnrepresentable(qsizetype offset, qsizetype *first)
{
    if (first && *first < 0)
        *first = offset;
}

// Whether the character at i is one the set does not hold whatever its table says.
bool refused(QStringView text, qsizetype i, Charset charset)
{
    const char16_t c = text[i].unicode();
    return infoOf(charset).refusesYenAndOverline && (c == kYen || c == kOverline);
}

QByteArray encodeUtf16(QStringView text, bool bigEndian)
{
    QByteArray out(text.size() * 2, Qt::Uninitialized);
    char *o = out.data();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (isByteEscape(text, i)) {
            *o++ = char(c - 0xDC00);
            continue;
        }
        if (bigEndian)
            qToBigEndian(c, o);
        else
            qToLittleEndian(c, o);
        o += 2;
    }
    out.truncate(o - out.data());
    return out;
}

// A run of text without byte escapes through iconv; the run ends in the initial state.
void encodeRun(iconv_t cd, QStringView text, qsizetype offset, Charset charset, QByteArray &out,
               qsizetype *first)
{
    qsizetype i = 0;
    while (i < text.size()) {
        // Characters the set refuses are cut out of the runs given to iconv.
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
            const size_t r = iconv(cd, &in, &inLeft, &o, &outLeft);
            out.resize(o - out.data());
            if (r != size_t(-1) || inLeft == 0 || errno == E2BIG)
                continue;
            // A character the set has no bytes for.
            const qsizetype at = end - qsizetype(inLeft / 2);
            noteUnrepresentable(offset + at, first);
            out.append('?');
            const qsizetype step = text[at].isHighSurrogate() && at + 1 < end ? 2 : 1;
            in += step * 2;
            inLeft -= size_t(step) * 2;
        }
        if (end < text.size()) {
            noteUnrepresentable(offset + end, first);
            out.append('?');
            ++end;
        }
        i = end;
    }
    // Back to the initial shift state.
    char buffer[16];
    char *o = buffer;
    size_t outLeft = sizeof buffer;
    iconv(cd, nullptr, nullptr, &o, &outLeft);
    out.append(buffer, o - buffer);
}

} // namespace

struct Encoder::Impl
{
    explicit Impl(Charset c) : charset(c), cd(infoOf(c).iconvName, "UTF-16LE") {}
    Charset charset;
    Iconv cd;
};

Encoder::Encoder(Charset charset) : m_impl(std::make_unique<Impl>(charset)) {}

Encoder::~Encoder() = default;

QByteArray Encoder::encode(QStringView text, qsizetype *firstUnrepresentable)
{
    if (firstUnrepresentable)
        *firstUnrepresentable = -1;
    const Charset charset = m_impl->charset;
    if (charset == Charset::ShiftJis)
        return encodeAnsi(text, firstUnrepresentable);
    if (charset == Charset::Utf16Le || charset == Charset::Utf16Be)
        return encodeUtf16(text, charset == Charset::Utf16Be);
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
            encodeRun(m_impl->cd.handle(), text.mid(start, i - start), start, charset, out,
                      firstUnrepresentable);
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
