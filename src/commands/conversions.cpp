// Case mapping and width conversion through ICU (the Japanese locale's case rules, the
// Fullwidth-Halfwidth transforms restricted to what Shift-JIS can hold); the kana
// conversions are a plain code-point shift, since ICU's transform rewrites ー and
// small or rare kana.
#include "commands/conversions.h"

#include <unicode/locid.h>
#include <unicode/translit.h>
#include <unicode/unistr.h>

#include <memory>

namespace conversions {
namespace {

icu::UnicodeString toIcu(const QString &text)
{
    return icu::UnicodeString(reinterpret_cast<const UChar *>(text.utf16()),
                              static_cast<int32_t>(text.size()));
}

QString fromIcu(const icu::UnicodeString &text)
{
    return QString(reinterpret_cast<const QChar *>(text.getBuffer()), text.length());
}

const icu::Locale &japanese()
{
    static const icu::Locale locale("ja", "JP");
    return locale;
}

std::unique_ptr<icu::Transliterator> makeTransliterator(const char *id)
{
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::Transliterator> t(icu::Transliterator::createInstance(
        icu::UnicodeString::fromUTF8(id), UTRANS_FORWARD, status));
    return U_SUCCESS(status) ? std::move(t) : nullptr;
}

QString transliterate(icu::Transliterator *t, const QString &text)
{
    if (!t)
        return text;
    icu::UnicodeString s = toIcu(text);
    t->transliterate(s);
    return fromIcu(s);
}

bool isWordSeparator(char16_t c)
{
    switch (c) {
    case u' ':
    case u'\t':
    case u'\n':
    case 0x0B:
    case 0x0C:
    case u'\r':
    case 0x00:
    case 0x3000:
        return true;
    default:
        return false;
    }
}

// The full-width kana that a voiced or semi-voiced mark composes with, and the result.
char16_t composedKana(char16_t base, char16_t mark)
{
    const bool voiced = mark == 0x3099;
    if ((base >= 0x30AB && base <= 0x30C2 && base % 2 == 1) ||
        (base >= 0x30C4 && base <= 0x30C8 && base % 2 == 0))
        return voiced ? base + 1 : 0; // カ…チ, ツ…ト
    if (base >= 0x30CF && base <= 0x30DB && (base - 0x30CF) % 3 == 0)
        return voiced ? base + 1 : base + 2; // ハ ヒ フ ヘ ホ
    if (voiced) {
        switch (base) {
        case 0x30A6:
            return 0x30F4; // ウ → ヴ
        case 0x30EF:
            return 0x30F7; // ワ → ヷ
        case 0x30F0:
            return 0x30F8;
        case 0x30F1:
            return 0x30F9;
        case 0x30F2:
            return 0x30FA; // ヲ → ヺ
        case 0x30FD:
            return 0x30FE; // ヽ → ヾ
        default:
            break;
        }
    }
    return 0;
}

// ICU gives a combining mark for ﾞ and ﾟ: joined with the kana before it where a
// composed letter exists, else the spacing forms ゛ and ゜.
QString composeMarks(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar ch : text) {
        const char16_t c = ch.unicode();
        if (c != 0x3099 && c != 0x309A) {
            out.append(ch);
            continue;
        }
        const char16_t composed = out.isEmpty() ? 0 : composedKana(out.back().unicode(), c);
        if (composed)
            out.back() = QChar(composed);
        else
            out.append(QChar(c == 0x3099 ? 0x309B : 0x309C));
    }
    return out;
}

} // namespace

QString lower(const QString &text)
{
    icu::UnicodeString s = toIcu(text);
    return fromIcu(s.toLower(japanese()));
}

QString upper(const QString &text)
{
    icu::UnicodeString s = toIcu(text);
    return fromIcu(s.toUpper(japanese()));
}

QString properCase(const QString &text)
{
    const QString lowered = lower(text);
    QString out;
    out.reserve(lowered.size());
    bool wordStart = true;
    for (qsizetype i = 0; i < lowered.size(); ++i) {
        const char16_t c = lowered.at(i).unicode();
        if (isWordSeparator(c)) {
            out.append(QChar(c));
            wordStart = true;
            continue;
        }
        if (wordStart) {
            const bool pair = QChar::isHighSurrogate(c) && i + 1 < lowered.size();
            out.append(upper(lowered.mid(i, pair ? 2 : 1)));
            i += pair ? 1 : 0;
            wordStart = false;
        } else {
            out.append(QChar(c));
        }
    }
    return out;
}

QString toHiragana(const QString &text)
{
    QString out = text;
    for (QChar &ch : out) {
        const char16_t c = ch.unicode();
        if ((c >= 0x30A1 && c <= 0x30F4) || c == 0x30FD || c == 0x30FE)
            ch = QChar(c - 0x60);
    }
    return out;
}

QString toKatakana(const QString &text)
{
    QString out = text;
    for (QChar &ch : out) {
        const char16_t c = ch.unicode();
        if ((c >= 0x3041 && c <= 0x3096) || c == 0x309D || c == 0x309E)
            ch = QChar(c + 0x60);
    }
    return out;
}

QString toNarrow(const QString &text)
{
    static const auto t = makeTransliterator(
        "[\\uFF01-\\uFF5E\\u3000\\u30A1-\\u30FA\\u3001\\u3002\\u300C\\u300D\\u30FB\\u30FC] "
        "Fullwidth-Halfwidth");
    return transliterate(t.get(), text);
}

QString toWide(const QString &text)
{
    static const auto t =
        makeTransliterator("[\\u0020-\\u007E\\uFF61-\\uFF9F] Halfwidth-Fullwidth");
    return composeMarks(transliterate(t.get(), text));
}

} // namespace conversions
