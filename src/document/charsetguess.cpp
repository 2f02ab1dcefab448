// Recognising a file's encoding from its bytes.
#include "document/charsetguess.h"

#include "platform/codepage.h"

#include <algorithm>
#include <span>

namespace charsetguess {
namespace {

using platform::Charset;

constexpr int kUndecodable = -6;

bool isAsciiLetter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

// Accented Latin, Greek and Cyrillic letters.
bool isAlphabeticLetter(QChar c)
{
    return c.unicode() >= 0xC0 && c.unicode() <= 0x52F && c.unicode() != 0xD7 &&
           c.unicode() != 0xF7 && c.isLetter();
}

// Such a letter is plausible inside a word, not on its own.
int alphabeticWeight(const QString &text, qsizetype i)
{
    const auto wordy = [&text](qsizetype j) {
        return j >= 0 && j < text.size() &&
               (isAsciiLetter(text.at(j)) || isAlphabeticLetter(text.at(j)));
    };
    return wordy(i - 1) || wordy(i + 1) ? 2 : -1;
}

// How a character reads by where code page 932 has it: kana and the common (level 1)
// kanji count most, symbols a little, the rare kanji and extensions nothing, the
// user-defined area against.
int codePageWeight(char16_t c)
{
    const int code = platform::ansiCode(c);
    if (code < 0)
        return (c >= 0x3400 && c <= 0x9FFF) || (c >= 0xF900 && c <= 0xFAFF) ? 0 : -1;
    if (code >= 0xA6 && code <= 0xDF)
        return 1; // half-width katakana
    if (code < 0x100)
        return 0;
    if ((code >= 0x829F && code <= 0x82F1) || (code >= 0x8340 && code <= 0x8396) ||
        (code >= 0x889F && code <= 0x9872))
        return 3;
    if (code >= 0x8140 && code <= 0x84BE)
        return 1;
    if (code >= 0xF040 && code <= 0xF9FC)
        return -3;
    return 0;
}

int weight(const QString &text, qsizetype i)
{
    const QChar c = text.at(i);
    const char16_t u = c.unicode();
    if (u < 0x80) {
        const bool control =
            u < 0x20 && u != u'\t' && u != u'\n' && u != u'\r' && u != u'\f' && u != 0x1B;
        return control ? -3 : 0;
    }
    if (u < 0xA0 || (u >= 0xE000 && u <= 0xF8FF))
        return -3;
    if (c.isHighSurrogate())
        return i + 1 < text.size() && text.at(i + 1).isLowSurrogate() ? 2 : kUndecodable;
    if (c.isLowSurrogate())
        return platform::isByteEscape(text, i) ? kUndecodable : 0;
    if (isAlphabeticLetter(c))
        return alphabeticWeight(text, i);
    if (u < 0x100)
        return 0;
    return codePageWeight(u);
}

bool hasIso2022Escapes(const QByteArray &bytes)
{
    static const char *const kDesignations[] = {"\x1B$B",  "\x1B$@",  "\x1B(J", "\x1B(I",
                                                "\x1B$(D", "\x1B$(O", "\x1B$(Q"};
    return std::any_of(std::begin(kDesignations), std::end(kDesignations),
                       [&bytes](const char *d) { return bytes.contains(d); });
}

bool isAscii(const QByteArray &bytes)
{
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char b) { return static_cast<unsigned char>(b) < 0x80; });
}

// UTF-16 without a byte-order mark, where the bytes leave no doubt: at least a quarter
// of the units have a zero high byte on one side, none on the other, and the whole
// decodes cleanly with no NUL or control character.
bool isUtf16Without(const QByteArray &bytes, Charset encoding)
{
    if (bytes.size() < 2 || bytes.size() % 2 != 0)
        return false;
    const int highOffset = encoding == Charset::Utf16Le ? 1 : 0;
    qsizetype highZeros = 0;
    for (qsizetype i = 0; i < bytes.size(); i += 2) {
        if (bytes[i + 1 - highOffset] == 0)
            return false;
        highZeros += bytes[i + highOffset] == 0;
    }
    if (highZeros * 4 < bytes.size() / 2)
        return false;
    int undecodable = 0;
    const QString text = platform::decode(bytes, encoding, &undecodable);
    return undecodable == 0 && std::none_of(text.begin(), text.end(), [](QChar c) {
               return c.unicode() < 0x20 && c != u'\t' && c != u'\n' && c != u'\r' && c != u'\f';
           });
}

// What the decodings are weighed on: at most 8 KB, from the start of the line that holds
// the first non-ASCII byte; a file says what it is long before its end.
QByteArray sampleOf(const QByteArray &bytes)
{
    constexpr qsizetype kSampleBytes = 8 * 1024;
    const auto firstHigh = std::find_if(
        bytes.begin(), bytes.end(), [](char b) { return static_cast<unsigned char>(b) >= 0x80; });
    const qsizetype high = firstHigh - bytes.begin();
    const qsizetype lineStart = high == 0 ? 0 : bytes.lastIndexOf('\n', high - 1) + 1;
    return bytes.mid(lineStart, kSampleBytes);
}

} // namespace

int plausibility(const QString &text)
{
    int score = 0;
    for (qsizetype i = 0; i < text.size(); ++i)
        score += weight(text, i);
    return score;
}

Charset recognise(const QByteArray &bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return Charset::Utf8;
    if (bytes.startsWith("\xFF\xFE"))
        return Charset::Utf16Le;
    if (bytes.startsWith("\xFE\xFF"))
        return Charset::Utf16Be;
    for (const Charset utf16 : {Charset::Utf16Le, Charset::Utf16Be}) {
        if (isUtf16Without(bytes, utf16))
            return utf16;
    }
    if (isAscii(bytes))
        return hasIso2022Escapes(bytes) ? Charset::Iso2022Jp : Charset::ShiftJis;
    // Text whose only non-ASCII bytes are Shift-JIS's half-width katakana is what this
    // editor writes for such text; it is also valid EUC-JP, which real EUC-JP text almost
    // never is (its commonest kana, よりるれろわん, have trail bytes above DF). Only UTF-8,
    // whose accented letters take such bytes too, is weighed against it.
    const QByteArray sample = sampleOf(bytes);
    const bool halfWidthOnly = std::all_of(sample.begin(), sample.end(), [](char b) {
        const auto u = static_cast<unsigned char>(b);
        return u < 0x80 || (u >= 0xA1 && u <= 0xDF);
    });
    // In order of preference on a tie; a JIS X 0213 form stands in for its base only
    // where the base cannot read some bytes and the 2004 form reads the file better.
    struct Family
    {
        Charset base;
        Charset extended;
    };
    static constexpr Family kFamilies[] = {{Charset::Utf8, Charset::Utf8},
                                           {Charset::ShiftJis, Charset::ShiftJis2004},
                                           {Charset::EucJp, Charset::EucJis2004}};
    const auto families = halfWidthOnly ? std::span(kFamilies).first(2) : std::span(kFamilies);
    Charset best = Charset::ShiftJis;
    int bestScore = 0;
    bool first = true;
    for (const Family &family : families) {
        int undecodable = 0;
        Charset charset = family.base;
        int score = plausibility(platform::decode(sample, family.base, &undecodable));
        if (undecodable > 0 && family.extended != family.base) {
            const int extended = plausibility(platform::decode(sample, family.extended));
            if (extended > score) {
                charset = family.extended;
                score = extended;
            }
        }
        if (first || score > bestScore) {
            best = charset;
            bestScore = score;
            first = false;
        }
    }
    return best;
}

bool looksBinary(const QByteArray &bytes, Charset encoding)
{
    // A stray NUL in a text file is kept like any character; a binary file has many.
    return platform::unitSize(encoding) == 1 && bytes.count('\0') * 100 > bytes.size();
}

} // namespace charsetguess
