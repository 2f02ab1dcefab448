// Find and Replace All against their obvious versions: the comparison written again from
// the rule's words on Qt's own Unicode data (not the search code's tables), find as the
// first position where the run as long as the search text is equal to it, and Replace All
// ending exactly where pressing Replace again and again ends.
#include "fuzzinput.h"
#include "platform/codepage.h"
#include "search/matching.h"
#include "search/replaceall.h"

namespace {

// A character as Shift-JIS gives it back: characters it stores alike are alike.
QChar stored(QChar c)
{
    const QString back = platform::fromAnsi(platform::toAnsi(QString(c)));
    return back.size() == 1 && back != QStringLiteral("?") ? back.at(0) : c;
}

// The rule: ignoring letter case, full and half width, hiragana and katakana. Width by
// the character's own compatibility mapping (<wide>, <narrow>), with the half-width sound
// marks as the spacing marks ゛゜, case by Unicode's case folding, then katakana as the
// hiragana 0x60 below it.
QChar loose(QChar c)
{
    c = stored(c);
    if (c.decompositionTag() == QChar::Wide || c.decompositionTag() == QChar::Narrow) {
        const QString plain = c.decomposition();
        if (plain.size() == 1)
            c = plain.at(0);
    }
    if (c == QChar(0x3099))
        c = QChar(0x309B);
    else if (c == QChar(0x309A))
        c = QChar(0x309C);
    c = c.toCaseFolded();
    if ((c.unicode() >= 0x30A1 && c.unicode() <= 0x30F6) || c == QChar(0x30FD) ||
        c == QChar(0x30FE))
        c = QChar(c.unicode() - 0x60);
    return c;
}

bool ruleEqual(QStringView a, QStringView b, bool exact)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (exact ? stored(a[i]) != stored(b[i]) : loose(a[i]) != loose(b[i]))
            return false;
    }
    return true;
}

// Pairs that compare alike under one rule or the other: Shift-JIS's stored-alike
// characters, case, width and kana.
const QString kAlphabet = QStringLiteral("aA ａＡ〜～−－‖∥あアｱがガｶﾞﾞ\r\n");

qsizetype slowFind(const QString &text, const QString &needle, qsizetype start, bool exact)
{
    if (needle.isEmpty() || start < 0)
        return -1;
    for (qsizetype p = start; p + needle.size() <= text.size(); ++p) {
        if (ruleEqual(QStringView(text).mid(p, needle.size()), needle, exact))
            return p;
    }
    return -1;
}

struct Stepwise
{
    QString text;
    qsizetype selStart;
    qsizetype selLength;
    int changes = 0;
};

// One press of Replace: the selection replaced when it is an occurrence, then the next
// occurrence from the caret selected.
bool pressReplace(Stepwise &s, const QString &search, const QString &replacement, bool exact)
{
    if (!search.isEmpty() &&
        ruleEqual(QStringView(s.text).mid(s.selStart, s.selLength), search, exact)) {
        if (s.text.mid(s.selStart, s.selLength) != replacement)
            ++s.changes;
        s.text.replace(s.selStart, s.selLength, replacement);
        s.selStart += replacement.size();
        s.selLength = 0;
    }
    const qsizetype p = slowFind(s.text, search, s.selStart, exact);
    if (p < 0)
        return false;
    s.selStart = p;
    s.selLength = search.size();
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput in(data, size);
    const bool exact = in.byte() % 2;
    const QString search = in.from(kAlphabet, 3);
    const QString replacement = in.from(kAlphabet, 3);
    const QString text = in.from(kAlphabet, 24);
    const int selStart = in.below(int(text.size()) + 1);
    const int selLength = in.below(int(text.size()) - selStart + 1);

    CHECK(matching::equal(search, replacement, exact) == ruleEqual(search, replacement, exact));
    for (qsizetype start = 0; start <= text.size(); ++start)
        CHECK(matching::find(text, search, start, exact) == slowFind(text, search, start, exact));

    const replaceall::Outcome planned =
        replaceall::plan(text, selStart, selLength, search, replacement, exact);
    Stepwise s{text, selStart, selLength};
    while (pressReplace(s, search, replacement, exact)) {
    }
    CHECK_SAME(planned.finalText, s.text);
    CHECK(planned.changes == s.changes);
    CHECK(planned.selStart == s.selStart);
    CHECK(planned.selLength == s.selLength);
    return 0;
}
