// Case mapping and width conversion through ICU (the Japanese locale's case rules, the
// Fullwidth-Halfwidth transforms restricted to what Shift-JIS can hold); the kana
// conversions are a plain code-point shift, since ICU's transform rewrites ー and
// small or rare kana.
#include "commands/conversions.h"

#include "platform/textcodec.h"

#include <unicode/locid.h>
#include <unicode/translit.h>
#include <unicode/unistr.h>

#include <array>
#include <memory>
#include <vector>

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

// A per-character mapping taken from an ICU transform once, for the characters of a
// set: each maps to at most two UTF-16 units (ガ → ｶﾞ). Converting through the table is
// far faster than running the transform over a whole text.
class CharacterTable
{
public:
    CharacterTable(const char *transform, const char *characters) : m_map(0x10000)
    {
        const auto t = makeTransliterator(transform);
        const QString set = QString::fromUtf8(characters);
        for (qsizetype i = 0; t && i < set.size(); ++i) {
            const char16_t from = set.at(i).unicode();
            const char16_t to =
                i + 2 < set.size() && set.at(i + 1) == u'-' ? set.at(i + 2).unicode() : from;
            for (char32_t c = from; c <= to; ++c) {
                icu::UnicodeString one(static_cast<UChar>(c));
                t->transliterate(one);
                if (one.length() >= 1 && one.length() <= 2 &&
                    one != icu::UnicodeString(static_cast<UChar>(c)))
                    m_map[c] = {one.charAt(0), one.length() == 2 ? one.charAt(1) : char16_t(0)};
            }
            if (to != from)
                i += 2;
        }
    }

    /// Gives alias the conversion of original: both are stored as the same bytes.
    void alias(char16_t alias, char16_t original) { m_map[alias] = m_map[original]; }

    QString apply(const QString &text) const
    {
        QString out(text.size() * 2, Qt::Uninitialized);
        char16_t *o = reinterpret_cast<char16_t *>(out.data());
        for (const QChar ch : text) {
            const auto &m = m_map[ch.unicode()];
            if (m[0] == 0) {
                *o++ = ch.unicode();
            } else {
                *o++ = m[0];
                if (m[1])
                    *o++ = m[1];
            }
        }
        out.truncate(o - reinterpret_cast<char16_t *>(out.data()));
        return out;
    }

private:
    std::vector<std::array<char16_t, 2>> m_map;
};

enum class Case { Lower, Upper, Title };

// Case mapping one character at a time, so that no rule looks at the characters around
// it: Σ at the end of a word becomes σ, which Shift-JIS can hold, not ς. Each mapping
// is taken from ICU once. Title case, the form of a word's first letter, maps one letter
// to one (ǆ gives ǅ; ß stays ß rather than becoming SS), so that a word converted twice
// stays as it was converted once.
class CaseTable
{
public:
    explicit CaseTable(Case mapping) : m_case(mapping), m_map(0x10000) {}

    QString apply(const QString &text)
    {
        QString out;
        out.reserve(text.size());
        const qsizetype n = text.size();
        for (qsizetype i = 0; i < n; ++i) {
            const char16_t c = text.at(i).unicode();
            if (QChar::isHighSurrogate(c) && i + 1 < n && text.at(i + 1).isLowSurrogate()) {
                out.append(map(text.mid(i, 2)));
                ++i;
            } else if (c < 0x80 && m_case == Case::Lower) {
                out.append(QChar(c >= u'A' && c <= u'Z' ? c + 0x20 : c));
            } else if (c < 0x80) {
                out.append(QChar(c >= u'a' && c <= u'z' ? c - 0x20 : c));
            } else {
                QString &mapped = m_map[c];
                if (mapped.isNull())
                    mapped = map(QString(QChar(c)));
                out.append(mapped);
            }
        }
        return out;
    }

private:
    // A character Shift-JIS holds keeps its case when its partner is one Shift-JIS does
    // not hold (Å, the angstrom sign, would become å).
    QString map(const QString &one) const
    {
        icu::UnicodeString s = toIcu(one);
        switch (m_case) {
        case Case::Lower:
            s.toLower(japanese());
            break;
        case Case::Upper:
            s.toUpper(japanese());
            break;
        case Case::Title:
            // The one-to-one title case: ß and ŉ have no capital of one letter and stay.
            s = icu::UnicodeString(UChar32(u_totitle(s.char32At(0))));
            break;
        }
        const QString mapped = fromIcu(s);
        return holdsInShiftJis(one) && !holdsInShiftJis(mapped) ? one : mapped;
    }

    static bool holdsInShiftJis(const QString &text)
    {
        qsizetype unrepresentable = -1;
        platform::encode(text, platform::Charset::ShiftJis, &unrepresentable);
        return unrepresentable < 0;
    }

    Case m_case;
    std::vector<QString> m_map;
};

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
        // ヷ ヸ ヹ ヺ are not composed: Shift-JIS has none of them.
        case 0x30A6:
            return 0x30F4; // ウ → ヴ
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
    static CaseTable table(Case::Lower);
    return table.apply(text);
}

QString upper(const QString &text)
{
    static CaseTable table(Case::Upper);
    return table.apply(text);
}

QString properCase(const QString &text)
{
    static CaseTable title(Case::Title);
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
            out.append(title.apply(lowered.mid(i, pair ? 2 : 1)));
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
        // Up to ン: Shift-JIS has no ゔ.
        if ((c >= 0x30A1 && c <= 0x30F3) || c == 0x30FD || c == 0x30FE)
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
    // Only what the half-width forms of Shift-JIS hold: full-width ASCII, the
    // ideographic space, katakana and six punctuation marks.
    static const CharacterTable table = [] {
        CharacterTable t("Fullwidth-Halfwidth", "！-～\u3000ァ-ヺ、。「」・ー");
        // The forms Linux input methods type for ～ and － narrow alike.
        t.alias(0x301C, 0xFF5E);
        t.alias(0x2212, 0xFF0D);
        return t;
    }();
    return table.apply(text);
}

QString toWide(const QString &text)
{
    static const CharacterTable table("Halfwidth-Fullwidth", " -~｡-ﾟ");
    return composeMarks(table.apply(text));
}

} // namespace conversions
