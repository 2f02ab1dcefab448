// Any text through the seven conversions: a text Shift-JIS can hold stays one it can
// hold (no conversion makes the next save drop characters the user never typed), and
// converting twice gives what converting once gave.
#include "commands/conversions.h"
#include "fuzzinput.h"
#include "platform/codepage.h"

namespace {

bool shiftJisHolds(const QString &text)
{
    qsizetype first = -1;
    platform::encodeAnsi(text, &first);
    return first < 0;
}

// Kana of both kinds and widths, voiced marks, Latin letters with case, the Angstrom
// sign and its letter, Greek and Cyrillic, blanks and line breaks.
const QString kAlphabet = QStringLiteral(
    "aZß ÅÅåΣσςДд\r\n\t　あゔかがゝゞアヴカガヵヶヽヾｱｶﾞﾜｦﾞﾟ゛゜ー－-ＡＺａｚ０9、。「」・ｰ｡､");

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput in(data, size);
    const QString text = in.byte() % 2 ? in.from(kAlphabet, 40) : in.units(40);
    using Conversion = QString (*)(const QString &);
    for (Conversion convert :
         {conversions::lower, conversions::upper, conversions::properCase, conversions::toHiragana,
          conversions::toKatakana, conversions::toNarrow, conversions::toWide}) {
        const QString once = convert(text);
        if (shiftJisHolds(text))
            CHECK(shiftJisHolds(once));
        CHECK_SAME(convert(once), once);
    }
    return 0;
}
