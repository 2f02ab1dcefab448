// Strict reading of numbers written by the program itself.
#pragma once

#include <QStringView>
#include <algorithm>

namespace platform {

/// Whether text is one or more ASCII digits and nothing else: no sign, no blank, no
/// full-width or other script's digit.
inline bool isAsciiDigits(QStringView text)
{
    return !text.isEmpty() &&
           std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

} // namespace platform
