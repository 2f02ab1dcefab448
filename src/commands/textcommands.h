// The texts the editing commands build: quoted paste, the line, the date and time, the
// random number and the character-count message.
#pragma once

#include <QDateTime>
#include <QString>
#include <functional>

namespace textcommands {

/// "> " before every line of text, CR LF between lines, no line break after the last.
/// A CR ends a line; an LF right after it belongs to that line end. afterEachLine runs
/// once per line ended (to let pending window events run).
QString quoted(const QString &text, const std::function<void()> &afterEachLine = {});

/// The repeat count of the line command from the user's reply: blanks allowed, halves
/// to even; anything unconvertible or outside −32768…32767 is 0.
int lineRepeatCount(const QString &reply);
/// The line itself: text ("*" when empty) repeated count times (72 when 0).
QString drawnLine(const QString &text, int count);

/// "hh:nn " (24-hour, colon) followed by the Japanese short date (yyyy/MM/dd).
QString timeAndDate(const QDateTime &now);

/// The random number 1–10000 for r in [0, 1), as decimal digits.
QString randomNumber(double r);

/// The character-count message for a text of the given number of lines.
QString countMessage(const QString &text, int lines);

} // namespace textcommands
