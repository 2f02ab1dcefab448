// Recognising a file's encoding from its bytes.
#include "document/charsetguess.h"

#include "platform/codepage.h"

#include <algorithm>
#include <span>

namespace charsetguess {
namespace {

using platform::Charset;

// Weights of what a decoding reads, in half points.
constexpr int kUndecodable = -12;
constexpr int kImplausible = -6; // controls, C1 controls, private use, unassigned
constexpr int kJapanese = 6;     // kana and the common (level 1) kanji
constexpr int kLetterInWord = 4; // a letter of any script beside a letter of its own
constexpr int kLetterAlone = -2;
constexpr int kHalfWidthKana = 3;
constexpr int kSymbol = 2;

// A valid UTF-8 text is taken as UTF-8 unless another decoding reads clearly better
// Japanese: by more than this for each character beyond ASCII that UTF-8 reads (each is
// a valid sequence of two to four bytes, which other encodings' text rarely spells).
constexpr int kUtf8Margin = 6;

bool isVoiceable(char16_t c)
{
    return c == 0xFF73 || (c >= 0xFF76 && c <= 0xFF84) || (c >= 0xFF8A && c <= 0xFF8E);
}

bool isHalfWidthKana(const QString &text, qsizetype i)
{
    return i >= 0 && i < text.size() && text.at(i).unicode() >= 0xFF66 &&
           text.at(i).unicode() <= 0xFF9F;
}

// Half-width katakana: letters count beside another, a sound mark after a kana that
// takes it counts more, one after anything else counts against, and so does a letter
// alone, as EUC-JP's bytes spell between the half-width punctuation ｡｢｣､･ that its kana
// and symbol rows read as in Shift-JIS; that punctuation counts nothing.
int halfWidthWeight(const QString &text, qsizetype i)
{
    if (!isHalfWidthKana(text, i)) // the punctuation
        return 0;
    const char16_t c = text.at(i).unicode();
    if (c == 0xFF9E || c == 0xFF9F) {
        const char16_t before = i > 0 ? text.at(i - 1).unicode() : 0;
        const bool takes =
            c == 0xFF9E ? isVoiceable(before) : (before >= 0xFF8A && before <= 0xFF8E);
        return takes ? kLetterInWord : kLetterAlone;
    }
    return isHalfWidthKana(text, i - 1) || isHalfWidthKana(text, i + 1) ? kHalfWidthKana
                                                                        : kLetterAlone;
}

// How a character reads by where code page 932 has it: kana and the common kanji count
// most, symbols a little, the rare kanji nothing, the user-defined area against.
int codePageWeight(const QString &text, qsizetype i)
{
    const char16_t c = text.at(i).unicode();
    const int code = platform::ansiCode(c);
    if (code >= 0xA1 && code <= 0xDF)
        return halfWidthWeight(text, i);
    // Kana, the common kanji, and the marks that belong to them: ー ヽヾゝゞ 々.
    if ((code >= 0x829F && code <= 0x82F1) || (code >= 0x8340 && code <= 0x8396) ||
        (code >= 0x889F && code <= 0x9872) || code == 0x815B ||
        (code >= 0x8152 && code <= 0x8155) || code == 0x8158)
        return kJapanese;
    if (code >= 0x8140 && code <= 0x84BE)
        return kSymbol;
    if (code >= 0xF040 && code <= 0xF9FC)
        return kImplausible;
    return 0;
}

bool isCjk(char16_t c)
{
    return (c >= 0x3000 && c <= 0x9FFF) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0xFF00 && c <= 0xFFEF);
}

// A letter (or mark) of an alphabetic script is plausible beside a letter of its own
// script, not on its own: that tells a word of Korean, Thai, Hebrew or accented Latin
// from a letter that another encoding's bytes happen to spell.
int letterWeight(const QString &text, qsizetype i)
{
    const QChar c = text.at(i);
    const QChar::Script script = c.script();
    const auto sameScript = [&](qsizetype j) {
        if (j < 0 || j >= text.size())
            return false;
        const QChar n = text.at(j);
        if (!n.isLetterOrNumber() && !n.isMark())
            return false;
        return n.script() == script || n.script() == QChar::Script_Inherited ||
               (script == QChar::Script_Latin && n.unicode() < 0x80) || c.isMark();
    };
    return sameScript(i - 1) || sameScript(i + 1) ? kLetterInWord : kLetterAlone;
}

int weight(const QString &text, qsizetype i)
{
    const QChar c = text.at(i);
    const char16_t u = c.unicode();
    if (u < 0x80) {
        const bool control =
            u < 0x20 && u != u'\t' && u != u'\n' && u != u'\r' && u != u'\f' && u != 0x1B;
        return control ? kImplausible : 0;
    }
    if (u < 0xA0 || (u >= 0xE000 && u <= 0xF8FF))
        return kImplausible;
    if (c.isHighSurrogate())
        return i + 1 < text.size() && text.at(i + 1).isLowSurrogate() ? kSymbol : kUndecodable;
    if (c.isLowSurrogate())
        return platform::isByteEscape(text, i) ? kUndecodable : 0;
    if (isCjk(u))
        return codePageWeight(text, i);
    if (c.category() == QChar::Other_NotAssigned)
        return kImplausible;
    if (c.isLetter() || c.isMark())
        return letterWeight(text, i);
    // Symbols and punctuation: ©, °, ±, €, “ ” and the like.
    return kSymbol;
}

struct Iso2022Form
{
    const char *designation;
    Charset charset;
};

// ISO-2022-JP's designations; JIS X 0213's mark the 2004 form.
constexpr Iso2022Form kIso2022Forms[] = {
    {"\x1B$(O", Charset::Iso2022Jp2004}, {"\x1B$(Q", Charset::Iso2022Jp2004},
    {"\x1B$(P", Charset::Iso2022Jp2004}, {"\x1B$B", Charset::Iso2022Jp},
    {"\x1B$@", Charset::Iso2022Jp},      {"\x1B(J", Charset::Iso2022Jp},
    {"\x1B(I", Charset::Iso2022Jp},      {"\x1B$(D", Charset::Iso2022Jp}};

std::optional<Charset> iso2022FormOf(const QByteArray &bytes)
{
    for (const Iso2022Form &form : kIso2022Forms) {
        if (bytes.contains(form.designation))
            return form.charset;
    }
    return std::nullopt;
}

bool isAscii(const QByteArray &bytes)
{
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char b) { return static_cast<unsigned char>(b) < 0x80; });
}

// Whether a UTF-16 unit reads as ordinary text: ASCII, the Latin, Greek and Cyrillic
// letters, Japanese (kana, kanji, full-width forms, CJK punctuation), general
// punctuation, Hangul.
bool isOrdinaryUnit(char16_t u)
{
    if (u == 0)
        return false;
    if (u < 0x80)
        return u >= 0x20 || u == u'\t' || u == u'\n' || u == u'\r' || u == u'\f';
    return (u >= 0xA0 && u <= 0x052F) || (u >= 0x2000 && u <= 0x2BFF) || isCjk(u) ||
           (u >= 0xAC00 && u <= 0xD7A3);
}

// UTF-16 without a byte-order mark, where the bytes leave no doubt: the whole decodes
// with no unpaired surrogate, nine units in ten are ordinary text (an 8-bit file read
// two bytes at a time gives mostly CJK and Hangul, which count as ordinary, but never a
// zero byte beside an ASCII one), and there is either a line break unit (a zero byte
// beside CR or LF, which no 8-bit text has) or a quarter of the units are ASCII.
bool isUtf16Without(const QByteArray &bytes, Charset encoding)
{
    if (bytes.size() < 4 || bytes.size() % 2 != 0)
        return false;
    const bool bigEndian = encoding == Charset::Utf16Be;
    const qsizetype units = bytes.size() / 2;
    qsizetype ordinary = 0;
    qsizetype ascii = 0;
    bool lineBreak = false;
    for (qsizetype i = 0; i < units; ++i) {
        const auto lo = static_cast<unsigned char>(bytes[2 * i + (bigEndian ? 1 : 0)]);
        const auto hi = static_cast<unsigned char>(bytes[2 * i + (bigEndian ? 0 : 1)]);
        const char16_t u = char16_t(hi << 8 | lo);
        ordinary += isOrdinaryUnit(u) || (u >= 0xD800 && u <= 0xDFFF);
        ascii += hi == 0 && lo >= 0x20 && lo < 0x80;
        lineBreak = lineBreak || u == u'\n' || u == u'\r';
    }
    if (ordinary * 10 < units * 9 || !(lineBreak || ascii * 4 >= units))
        return false;
    int undecodable = 0;
    platform::decode(bytes, encoding, &undecodable);
    return undecodable == 0;
}

// What the decodings are weighed on: at most 8 KB, from the start of the line that holds
// the first non-ASCII byte, ending at a line end when cut, so that no decoding meets a
// character cut in two; a file says what it is long before its end.
QByteArray sampleOf(const QByteArray &bytes)
{
    constexpr qsizetype kSampleBytes = 8 * 1024;
    const auto firstHigh = std::find_if(
        bytes.begin(), bytes.end(), [](char b) { return static_cast<unsigned char>(b) >= 0x80; });
    const qsizetype high = firstHigh - bytes.begin();
    const qsizetype lineStart = high == 0 ? 0 : bytes.lastIndexOf('\n', high - 1) + 1;
    QByteArray sample = bytes.mid(lineStart, kSampleBytes);
    if (lineStart + sample.size() < bytes.size()) {
        const qsizetype lastLineEnd = sample.lastIndexOf('\n');
        if (lastLineEnd > 0)
            sample.truncate(lastLineEnd + 1);
    }
    return sample;
}

// A decoding of the sample and how it reads.
struct Candidate
{
    Charset charset = Charset::ShiftJis;
    int score = 0;
    int undecodable = 0;
    int nonAscii = 0; // characters beyond ASCII read
};

Candidate weigh(const QByteArray &sample, Charset charset)
{
    Candidate c;
    c.charset = charset;
    const QString text = platform::decode(sample, charset, &c.undecodable);
    c.score = plausibility(text);
    c.nonAscii = int(std::count_if(text.begin(), text.end(), [](QChar ch) {
        return ch.unicode() >= 0x80 && !ch.isLowSurrogate();
    }));
    return c;
}

constexpr Charset kShiftJisExtensions[] = {Charset::ShiftJis2004};
// Windows' EUC-JP first: NEC row 13 is also in JIS X 0213, with the same characters.
constexpr Charset kEucJpExtensions[] = {Charset::EucJpMs, Charset::EucJis2004};

// A family's best reading: its base, or an extension where the base cannot read some
// bytes and the extension reads the text better (the first such on a tie).
Candidate bestOfFamily(const QByteArray &sample, Charset base, std::span<const Charset> extensions)
{
    const Candidate baseReading = weigh(sample, base);
    Candidate best = baseReading;
    if (best.undecodable == 0)
        return best;
    for (const Charset extension : extensions) {
        const Candidate c = weigh(sample, extension);
        if (c.undecodable < baseReading.undecodable && c.score > best.score)
            best = c;
    }
    return best;
}

// A base form that reads the sample may still fail on characters only its extension has
// further on (a JIS X 0213 kanji deep in a dictionary): the whole file decides then.
Charset beyondTheSample(const QByteArray &bytes, Charset chosen)
{
    std::span<const Charset> extensions;
    if (chosen == Charset::ShiftJis)
        extensions = kShiftJisExtensions;
    else if (chosen == Charset::EucJp)
        extensions = kEucJpExtensions;
    else
        return chosen;
    int undecodable = 0;
    platform::decode(bytes, chosen, &undecodable);
    for (const Charset extension : extensions) {
        if (undecodable == 0)
            break;
        int fewer = 0;
        platform::decode(bytes, extension, &fewer);
        if (fewer < undecodable) {
            chosen = extension;
            undecodable = fewer;
        }
    }
    return chosen;
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
    if (const std::optional<Charset> marked = platform::charsetMarkedIn(bytes))
        return *marked;
    for (const Charset utf16 : {Charset::Utf16Le, Charset::Utf16Be}) {
        if (isUtf16Without(bytes, utf16))
            return utf16;
    }
    if (isAscii(bytes))
        return iso2022FormOf(bytes).value_or(Charset::ShiftJis);

    const QByteArray sample = sampleOf(bytes);
    const Candidate utf8 = weigh(sample, Charset::Utf8);
    const Candidate others[] = {bestOfFamily(sample, Charset::ShiftJis, kShiftJisExtensions),
                                bestOfFamily(sample, Charset::EucJp, kEucJpExtensions)};

    // Valid UTF-8 beyond ASCII is almost never an accident: it wins unless another
    // reading, valid too, reads clearly better.
    if (utf8.undecodable == 0 && utf8.nonAscii > 0) {
        const Candidate *better = nullptr;
        for (const Candidate &c : others) {
            if (c.undecodable == 0 && c.score > utf8.score + kUtf8Margin * utf8.nonAscii &&
                (!better || c.score > better->score))
                better = &c;
        }
        return better ? beyondTheSample(bytes, better->charset) : Charset::Utf8;
    }
    // UTF-8 with a few bad bytes among many good characters stays UTF-8, whatever
    // scripts it holds, unless another reading has fewer bad bytes.
    constexpr int kGoodPerBad = 8;
    if (utf8.nonAscii >= kGoodPerBad * utf8.undecodable &&
        std::all_of(std::begin(others), std::end(others),
                    [&](const Candidate &c) { return c.undecodable > utf8.undecodable; }))
        return Charset::Utf8;

    // Otherwise the best reading; on a tie UTF-8, then Shift-JIS, then EUC-JP.
    Candidate best = utf8;
    for (const Candidate &c : others) {
        if (c.score > best.score)
            best = c;
    }
    return beyondTheSample(bytes, best.charset);
}

Charset recognise(const QByteArray &bytes, const QString &recorded)
{
    const std::optional<Charset> named = platform::charsetNamed(recorded);
    if (!named)
        return recognise(bytes);
    const std::optional<Charset> marked = platform::charsetMarkedIn(bytes);
    const bool otherMark = marked && *marked != *named;
    int undecodable = 0;
    platform::decode(bytes, *named, &undecodable);
    return undecodable == 0 && !otherMark ? *named : recognise(bytes);
}

bool looksBinary(const QByteArray &bytes, Charset encoding)
{
    // A stray NUL in a text file is kept like any character; a binary file has many.
    return platform::unitSize(encoding) == 1 && bytes.count('\0') * 100 > bytes.size();
}

} // namespace charsetguess
