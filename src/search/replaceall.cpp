// Each step of Replace replaces a selected occurrence and searches on from just after the
// inserted text, so everything from there on is still the original text: the whole run
// is one forward scan over the original.
#include "search/replaceall.h"

#include "search/matching.h"

namespace replaceall {

Outcome plan(const QString &text, int selStart, int selLength, const QString &search,
             const QString &replacement, bool exact)
{
    Outcome out;
    out.finalText = text;
    out.selStart = selStart;
    out.selLength = selLength;
    if (search.isEmpty())
        return out;

    QString result;
    qsizetype next = selStart; // where the original text continues
    qsizetype lastChangeAt = -1;
    QString lastChangeRun;

    auto replaceAt = [&](qsizetype at) {
        result += QStringView(text).mid(next, at - next);
        const QString run = text.mid(at, search.size());
        if (run != replacement) {
            ++out.changes;
            lastChangeAt = result.size();
            lastChangeRun = run;
        }
        result += replacement;
        next = at + search.size();
        out.replaced = true;
    };

    result = text.left(selStart);
    // The first step replaces the selection only when it is an occurrence itself.
    if (matching::equal(text.mid(selStart, selLength), search, exact))
        replaceAt(selStart);
    // Compared as find compares, in a form whose offsets are the text's.
    const QString haystack = matching::comparable(text, exact);
    const QString needle = matching::comparable(search, exact);
    qsizetype p;
    while (next < haystack.size() && (p = haystack.indexOf(needle, next)) >= 0)
        replaceAt(p);
    if (!out.replaced)
        return out;
    out.selStart = static_cast<int>(result.size());
    out.selLength = 0;
    result += QStringView(text).mid(next);
    out.finalText = result;
    if (out.changes > 0) {
        out.beforeLast = result;
        out.beforeLast.replace(lastChangeAt, replacement.size(), lastChangeRun);
    }
    return out;
}

} // namespace replaceall
