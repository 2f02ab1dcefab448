// The font dialog's sizes: the list offered, and a typed size read.
#include "platform/fontsizes.h"

#include <cmath>

namespace fontsizes {

QList<double> listed()
{
    return {8, 9, 10, 10.5, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72};
}

std::optional<double> parse(const QString &typed)
{
    // Full-width digits and marks, as an input method in full-width mode types them.
    QString text = typed.normalized(QString::NormalizationForm_KC).trimmed();
    text.replace(u',', u'.');
    if (text.isEmpty() || text.startsWith(u'.') || text.endsWith(u'.'))
        return std::nullopt;
    int marks = 0;
    for (QChar c : text) {
        if (c == u'.')
            ++marks;
        else if (c < u'0' || c > u'9')
            return std::nullopt;
    }
    if (marks > 1)
        return std::nullopt;
    const double value = std::round(text.toDouble() * 10) / 10;
    if (value < kSmallest || value > kLargest)
        return std::nullopt;
    return value;
}

QString shown(double points)
{
    return QString::number(std::round(points * 10) / 10, 'g', 6);
}

} // namespace fontsizes
