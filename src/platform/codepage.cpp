// Shift-JIS conversion through glibc's iconv "CP932", which is the Windows table; the
// forms Linux input methods type for the same characters (〜 − ‖ ¢ £ ¬ —) are accepted
// by that table already, ¦ is mapped here.
#include "platform/codepage.h"

#include <cerrno>
#include <iconv.h>

namespace platform {
namespace {

constexpr char16_t kReplacement = 0xFFFD;

class Converter
{
public:
    Converter(const char *to, const char *from) : m_cd(iconv_open(to, from)) {}
    ~Converter()
    {
        if (m_cd != reinterpret_cast<iconv_t>(-1))
            iconv_close(m_cd);
    }
    Converter(const Converter &) = delete;
    Converter &operator=(const Converter &) = delete;

    iconv_t handle() const { return m_cd; }
    void reset() { iconv(m_cd, nullptr, nullptr, nullptr, nullptr); }

private:
    iconv_t m_cd;
};

Converter &encoder()
{
    static Converter c("CP932", "UTF-16LE");
    return c;
}

Converter &decoder()
{
    static Converter c("UTF-16LE", "CP932");
    return c;
}

char16_t preferredForm(char16_t ch)
{
    switch (ch) {
    case 0x00A6: // ¦ broken bar
        return 0xFFE4;
    default:
        return ch;
    }
}

// Encodes one UTF-16 unit or surrogate pair at text[i]; returns how many units it used,
// appending the bytes to out; returns 0 when the character has no byte form.
int encodeOne(const QString &text, qsizetype i, QByteArray &out)
{
    char16_t units[2] = {preferredForm(text.at(i).unicode()), 0};
    int count = 1;
    if (QChar::isHighSurrogate(units[0]) && i + 1 < text.size() &&
        QChar::isLowSurrogate(text.at(i + 1).unicode())) {
        units[1] = text.at(i + 1).unicode();
        count = 2;
    }
    Converter &c = encoder();
    c.reset();
    char *in = reinterpret_cast<char *>(units);
    size_t inLeft = count * 2;
    char buf[8];
    char *o = buf;
    size_t outLeft = sizeof buf;
    if (iconv(c.handle(), &in, &inLeft, &o, &outLeft) == static_cast<size_t>(-1) || inLeft != 0)
        return -count;
    out.append(buf, o - buf);
    return count;
}

} // namespace

bool isAnsiLeadByte(unsigned char b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

QByteArray toAnsi(const QString &text)
{
    QByteArray out;
    out.reserve(text.size() * 2);
    // Most text converts in one iconv call; characters without a byte form are handled
    // one at a time so that each becomes a single "?".
    Converter &c = encoder();
    c.reset();
    const char16_t *data = reinterpret_cast<const char16_t *>(text.utf16());
    qsizetype pos = 0;
    while (pos < text.size()) {
        char16_t first = data[pos];
        if (preferredForm(first) != first) {
            encodeOne(text, pos, out);
            ++pos;
            continue;
        }
        qsizetype runEnd = pos;
        while (runEnd < text.size() && preferredForm(data[runEnd]) == data[runEnd])
            ++runEnd;
        char *in = reinterpret_cast<char *>(const_cast<char16_t *>(data + pos));
        size_t inLeft = (runEnd - pos) * 2;
        const qsizetype before = out.size();
        out.resize(before + inLeft + 16);
        char *o = out.data() + before;
        size_t outLeft = inLeft + 16;
        size_t r = iconv(c.handle(), &in, &inLeft, &o, &outLeft);
        out.resize(o - out.data());
        pos = runEnd - static_cast<qsizetype>(inLeft / 2);
        if (r == static_cast<size_t>(-1) && inLeft != 0) {
            if (errno == E2BIG)
                continue;
            // One character without a byte form (or a lone surrogate).
            const bool pair = QChar::isHighSurrogate(data[pos]) && pos + 1 < text.size() &&
                              QChar::isLowSurrogate(data[pos + 1]);
            out.append('?');
            pos += pair ? 2 : 1;
            c.reset();
        }
    }
    return out;
}

QString fromAnsi(const QByteArray &bytes)
{
    QString out;
    out.reserve(bytes.size());
    Converter &c = decoder();
    c.reset();
    qsizetype pos = 0;
    while (pos < bytes.size()) {
        char *in = const_cast<char *>(bytes.constData() + pos);
        size_t inLeft = bytes.size() - pos;
        const qsizetype before = out.size();
        out.resize(before + inLeft + 4);
        char *o = reinterpret_cast<char *>(out.data() + before);
        size_t outLeft = (inLeft + 4) * 2;
        size_t r = iconv(c.handle(), &in, &inLeft, &o, &outLeft);
        out.resize((reinterpret_cast<QChar *>(o) - out.data()));
        pos = bytes.size() - static_cast<qsizetype>(inLeft);
        if (r == static_cast<size_t>(-1) && inLeft != 0) {
            if (errno == E2BIG)
                continue;
            // An invalid byte, or a lead byte without a valid trail: one U+FFFD for the
            // lead byte alone, so that a following CR or LF is never swallowed.
            out.append(QChar(kReplacement));
            ++pos;
            c.reset();
        }
    }
    return out;
}

qsizetype firstUnrepresentable(const QString &text)
{
    // ASCII always has a byte form; everything else is tried one character at a time.
    QByteArray scratch;
    for (qsizetype i = 0; i < text.size();) {
        const ushort u = text.at(i).unicode();
        if (u < 0x80) {
            ++i;
            continue;
        }
        scratch.clear();
        const int used = encodeOne(text, i, scratch);
        if (used <= 0)
            return i;
        i += used;
    }
    return -1;
}

QByteArray truncateAnsi(const QByteArray &bytes, qsizetype maxBytes)
{
    if (bytes.size() <= maxBytes)
        return bytes;
    qsizetype i = 0;
    while (i < maxBytes) {
        const qsizetype step = isAnsiLeadByte(static_cast<unsigned char>(bytes.at(i))) ? 2 : 1;
        if (i + step > maxBytes)
            break;
        i += step;
    }
    return bytes.left(i);
}

} // namespace platform
