// Shift-JIS conversion through glibc's iconv "CP932", which is the Windows table; the
// forms Linux input methods type for the same characters (〜 − ‖ ¢ £ ¬ —) are accepted
// by that table already, ¦ is mapped here, and so are the five single bytes Windows
// reads that glibc does not. Encoding is memoised per character.
#include "platform/codepage.h"

#include "platform/textcodec.h"

#include <atomic>
#include <iconv.h>
#include <memory>
#include <mutex>
#include <utility>

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

// Single bytes that Windows' code page 932 reads as these characters and writes back as
// the same bytes; glibc's table has no character for them.
constexpr std::pair<unsigned char, char16_t> kWindowsSingleBytes[] = {
    {0x80, 0x0080}, {0xA0, 0xF8F0}, {0xFD, 0xF8F1}, {0xFE, 0xF8F2}, {0xFF, 0xF8F3}};

constexpr quint32 kUnknown = 0xFFFFFFFFu;
constexpr quint32 kNoByteForm = 0xFFFFFFFEu;

// The byte form of one BMP character as iconv gives it: one byte, two bytes (lead byte
// high), or kNoByteForm.
quint32 convertOne(char16_t ch)
{
    for (const auto &[b, windowsChar] : kWindowsSingleBytes) {
        if (windowsChar == ch)
            return b;
    }
    char16_t unit = storedForm(ch);
    // One descriptor, which keeps state, for every thread.
    static std::mutex converting;
    const std::lock_guard lock(converting);
    Converter &c = encoder();
    c.reset();
    char *in = reinterpret_cast<char *>(&unit);
    size_t inLeft = 2;
    unsigned char buf[8];
    char *o = reinterpret_cast<char *>(buf);
    size_t outLeft = sizeof buf;
    if (iconv(c.handle(), &in, &inLeft, &o, &outLeft) == static_cast<size_t>(-1) || inLeft != 0)
        return kNoByteForm;
    const auto length = reinterpret_cast<unsigned char *>(o) - buf;
    if (length == 1)
        return buf[0];
    if (length == 2)
        return (quint32(buf[0]) << 8) | buf[1];
    return kNoByteForm;
}

// Each character is converted by iconv once and remembered: a document uses a few
// hundred distinct characters, and the backup is encoded on every keystroke. The entries
// are atomic: the command line's file is recognised on another thread while the
// settings are read (two threads that miss the same character both convert it, to the
// same form).
std::atomic<quint32> *encodeTable()
{
    static const std::unique_ptr<std::atomic<quint32>[]> table = [] {
        auto entries = std::make_unique<std::atomic<quint32>[]>(0x10000);
        for (int i = 0; i < 0x10000; ++i)
            entries[i].store(kUnknown, std::memory_order_relaxed);
        return entries;
    }();
    return table.get();
}

inline quint32 encodedForm(std::atomic<quint32> *table, char16_t ch)
{
    quint32 entry = table[ch].load(std::memory_order_relaxed);
    if (entry == kUnknown) {
        entry = convertOne(ch);
        table[ch].store(entry, std::memory_order_relaxed);
    }
    return entry;
}

} // namespace

char16_t storedForm(char16_t ch)
{
    switch (ch) {
    case 0x301C: // 〜 wave dash
        return 0xFF5E;
    case 0x2212: // − minus sign
        return 0xFF0D;
    case 0x2016: // ‖ double vertical line
        return 0x2225;
    case 0x2014: // — em dash
        return 0x2015;
    case 0x00A2: // ¢
        return 0xFFE0;
    case 0x00A3: // £
        return 0xFFE1;
    case 0x00AC: // ¬
        return 0xFFE2;
    case 0x00A6: // ¦ broken bar
        return 0xFFE4;
    default:
        return ch;
    }
}

QString storedForms(const QString &text)
{
    QString out = text;
    for (QChar &ch : out)
        ch = QChar(storedForm(ch.unicode()));
    return out;
}

bool isAnsiLeadByte(unsigned char b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

QByteArray encodeAnsi(QStringView text, qsizetype *firstUnrepresentable)
{
    // One pass over a table lookup per character: the backup is encoded on every
    // keystroke.
    qsizetype first = -1;
    QByteArray out(text.size() * 2, Qt::Uninitialized);
    char *o = out.data();
    const char16_t *data = text.utf16();
    const qsizetype n = text.size();
    std::atomic<quint32> *const table = encodeTable();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = data[i];
        if (c < 0x80) {
            *o++ = static_cast<char>(c);
            continue;
        }
        const qsizetype at = i;
        quint32 code = kNoByteForm;
        if (QChar::isSurrogate(c)) {
            if (QChar::isLowSurrogate(c) && isByteEscape(text, i)) {
                *o++ = static_cast<char>(c - 0xDC00);
                continue;
            }
            // Code page 932 has nothing outside the BMP: a pair is one "?".
            if (QChar::isHighSurrogate(c) && i + 1 < n && QChar::isLowSurrogate(data[i + 1]))
                ++i;
        } else if (c != kYen && c != kOverline) {
            code = encodedForm(table, c);
        }
        if (code == kNoByteForm) {
            if (first < 0)
                first = at;
            *o++ = '?';
        } else if (code > 0xFF) {
            *o++ = static_cast<char>(code >> 8);
            *o++ = static_cast<char>(code & 0xFF);
        } else {
            *o++ = static_cast<char>(code);
        }
    }
    out.truncate(o - out.data());
    if (firstUnrepresentable)
        *firstUnrepresentable = first;
    return out;
}

QByteArray toAnsi(const QString &text)
{
    // The settings file stores ¥ and ‾ as the bytes of \ and ~, as the profile functions
    // of the platform the file comes from do.
    QString bestFit = text;
    bestFit.replace(QChar(kYen), u'\\').replace(QChar(kOverline), u'~');
    return encode(bestFit, Charset::ShiftJis);
}

QString fromAnsi(const QByteArray &bytes)
{
    QString text = decode(bytes, Charset::ShiftJis);
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (isByteEscape(text, i))
            text[i] = QChar(kReplacement);
    }
    return text;
}

char16_t windowsSingleByte(unsigned char byte)
{
    for (const auto &[b, ch] : kWindowsSingleBytes) {
        if (b == byte)
            return ch;
    }
    return 0;
}

int ansiCode(char16_t ch)
{
    const quint32 code = encodedForm(encodeTable(), ch);
    return code == kNoByteForm ? -1 : int(code);
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
