// The seven text conversions of the edit menu, as pure functions over text.
#pragma once

#include <QString>

namespace conversions {

QString lower(const QString &text);
QString upper(const QString &text);
/// Lower case, then the first character of every word upper case; words are separated
/// by blank, tab, LF, VT, FF, CR, NUL and the ideographic space.
QString properCase(const QString &text);
/// Full-width katakana to hiragana (ヴ, ヵ, ヶ and ヷ–ヺ, which have no hiragana in
/// Shift-JIS, stay katakana).
QString toHiragana(const QString &text);
QString toKatakana(const QString &text);
/// Full-width ASCII, the ideographic space, katakana and 、。「」・ー to half width.
QString toNarrow(const QString &text);
/// ASCII and half-width katakana and punctuation to full width; CR, LF and TAB stay;
/// ﾜﾞ and ｦﾞ become ワ゛ and ヲ゛ (Shift-JIS has no ヷ or ヺ).
QString toWide(const QString &text);

} // namespace conversions
