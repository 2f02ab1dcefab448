// Characters that Shift-JIS stores alike compare alike under both rules. The fold:
// width (full-width ASCII to ASCII, the ideographic space to a blank,
// half-width katakana and punctuation to full width, one unit each), then simple case
// folding (ICU), then katakana to hiragana.
#include "search/matching.h"

#include "platform/codepage.h"

#include <unicode/uchar.h>

#include <vector>

namespace matching {
namespace {

// Half-width forms U+FF61–U+FF9F and their full-width counterparts, one to one; the
// voiced marks fold to the spacing marks, so ｶﾞ stays two units and never equals ガ.
constexpr char16_t kHalfwidthToFull[] = {
    u'。', u'「', u'」', u'、', u'・', u'ヲ', u'ァ', u'ィ', u'ゥ', u'ェ', u'ォ', u'ャ', u'ュ',
    u'ョ', u'ッ', u'ー', u'ア', u'イ', u'ウ', u'エ', u'オ', u'カ', u'キ', u'ク', u'ケ', u'コ',
    u'サ', u'シ', u'ス', u'セ', u'ソ', u'タ', u'チ', u'ツ', u'テ', u'ト', u'ナ', u'ニ', u'ヌ',
    u'ネ', u'ノ', u'ハ', u'ヒ', u'フ', u'ヘ', u'ホ', u'マ', u'ミ', u'ム', u'メ', u'モ', u'ヤ',
    u'ユ', u'ヨ', u'ラ', u'リ', u'ル', u'レ', u'ロ', u'ワ', u'ン', u'゛', u'゜'};

char16_t foldOne(char16_t c)
{
    c = platform::storedForm(c);
    if (c >= 0xFF01 && c <= 0xFF5E)
        c = c - 0xFF01 + 0x21;
    else if (c == 0x3000)
        c = u' ';
    else if (c >= 0xFF61 && c <= 0xFF9F)
        c = kHalfwidthToFull[c - 0xFF61];
    if (!QChar::isSurrogate(c))
        c = static_cast<char16_t>(u_foldCase(c, U_FOLD_CASE_DEFAULT));
    if ((c >= 0x30A1 && c <= 0x30F6) || c == 0x30FD || c == 0x30FE)
        c -= 0x60;
    return c;
}

const std::vector<char16_t> &foldTable()
{
    static const std::vector<char16_t> table = [] {
        std::vector<char16_t> t(0x10000);
        for (char32_t c = 0; c < 0x10000; ++c)
            t[c] = foldOne(static_cast<char16_t>(c));
        return t;
    }();
    return table;
}

} // namespace

QString fold(const QString &text)
{
    const std::vector<char16_t> &table = foldTable();
    QString out(text.size(), Qt::Uninitialized);
    char16_t *o = reinterpret_cast<char16_t *>(out.data());
    for (const QChar ch : text)
        *o++ = table[ch.unicode()];
    return out;
}

QString comparable(const QString &text, bool exact)
{
    return exact ? platform::storedForms(text) : fold(text);
}

qsizetype find(const QString &text, const QString &needle, qsizetype start, bool exact)
{
    if (needle.isEmpty() || start < 0 || start >= text.size())
        return -1;
    // Only the part from start on needs converting.
    const qsizetype p = comparable(text.mid(start), exact).indexOf(comparable(needle, exact));
    return p < 0 ? -1 : p + start;
}

bool equal(const QString &a, const QString &b, bool exact)
{
    return a.size() == b.size() && comparable(a, exact) == comparable(b, exact);
}

} // namespace matching
