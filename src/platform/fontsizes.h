// The sizes the font dialog offers and how it reads a typed size.
#pragma once

#include <QList>
#include <QString>
#include <optional>

namespace fontsizes {

/// The text's size when nothing says otherwise: no setting stored, or an unusable one.
inline constexpr double kDefaultSize = 11;

/// The sizes listed, in points; 10.5 is the usual Japanese body size.
QList<double> listed();

/// The smallest and largest size the dialog accepts.
constexpr double kSmallest = 1;
constexpr double kLargest = 1638;

/// A size typed by the user, in points, rounded to one decimal: half-width or
/// full-width digits, "." or "," as the decimal mark, blanks around it ignored.
/// Nothing for anything else or a size outside kSmallest..kLargest.
std::optional<double> parse(const QString &typed);

/// A size as the dialog shows it: "10", "10.5".
QString shown(double points);

} // namespace fontsizes
