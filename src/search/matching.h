// The search comparison: exact, or ignoring letter case, full/half width and
// hiragana/katakana through a fold of both sides, one UTF-16 unit to one unit, so that
// every match is exactly as long as the search text.
#pragma once

#include <QString>

namespace matching {

/// The folded form of a text: one unit for each unit of the text.
QString fold(const QString &text);

/// The form in which texts are compared under the rule: each character in the form
/// Shift-JIS stores it (exact), or folded; one unit for each unit of the text, so an
/// offset in it is an offset in the text.
QString comparable(const QString &text, bool exact);

/// The first offset p >= start where the run of text as long as needle equals needle
/// under the rule; -1 when there is none or needle is empty. Forward only.
qsizetype find(const QString &text, const QString &needle, qsizetype start, bool exact);

/// Whether two texts are equal under the rule.
bool equal(const QString &a, const QString &b, bool exact);

} // namespace matching
