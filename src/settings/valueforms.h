// How settings values are written to Conf.ini and read back.
#pragma once

#include <QList>
#include <QRect>
#include <QSize>
#include <QString>

namespace valueforms {

/// "True" or "False".
QString fromBool(bool value);
/// "True"/"False" ignoring letter case, or a decimal number (0 False, else True);
/// anything else reads as False.
bool toBool(const QString &text);
/// A number as decimal text; a whole number has no decimal point (10.5 → "10.5").
QString fromNumber(double value);
/// A stored font size: a decimal such as 10.5 as it stands, otherwise the leading whole
/// number as other programs' values have always read; fallback when that is not positive.
double toFontSize(const QString &stored, double fallback);
/// A check-box value: 0 or 1; any other stored value reads as 0.
int toCheckValue(int stored);

/// What Conf.ini (Shift-JIS) gives back for a text: ¥ and ‾ as \ and ~, a character
/// the code page lacks as "?".
QString asStored(const QString &text);
/// The message that registered text n will come back as stored, not as typed; empty
/// when it comes back as typed.
QString storedDifferently(int n, const QString &typed);

/// A restored window frame kept usable: at least minimum in size, and moved onto the
/// first screen when it touches none of them; otherwise unchanged.
QRect usableFrame(const QRect &frame, const QList<QRect> &screens, const QSize &minimum);

} // namespace valueforms
