// Replace all, planned on the text alone: the outcome of running Replace again and again
// until nothing more is found, without going through the text area for every step.
#pragma once

#include <QString>

namespace replaceall {

struct Outcome
{
    QString finalText;
    /// The text before the last replacement that changed it (valid when changes > 0).
    QString beforeLast;
    /// How many replacements changed the text (replacing a run by an identical text
    /// changes nothing).
    int changes = 0;
    /// Whether any replacement was made at all.
    bool replaced = false;
    /// The selection when the run ends.
    int selStart = 0;
    int selLength = 0;
};

Outcome plan(const QString &text, int selStart, int selLength, const QString &search,
             const QString &replacement, bool exact);

} // namespace replaceall
