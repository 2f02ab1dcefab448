// Find and Replace All against their obvious versions: find is the first position where
// the run as long as the search text is equal to it under the rule, and Replace All ends
// exactly where pressing Replace again and again ends.
#include "fuzzinput.h"
#include "search/matching.h"
#include "search/replaceall.h"

namespace {

// Pairs that compare alike under one rule or the other: Shift-JIS's stored-alike
// characters, case, width and kana.
const QString kAlphabet = QStringLiteral("aA ａＡ〜～−－‖∥あアｱがガｶﾞﾞ\r\n");

qsizetype slowFind(const QString &text, const QString &needle, qsizetype start, bool exact)
{
    if (needle.isEmpty() || start < 0)
        return -1;
    for (qsizetype p = start; p + needle.size() <= text.size(); ++p) {
        if (matching::equal(text.mid(p, needle.size()), needle, exact))
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
    if (!search.isEmpty() && matching::equal(s.text.mid(s.selStart, s.selLength), search, exact)) {
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
