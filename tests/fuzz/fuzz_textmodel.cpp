// Any model text: its document form (blocks and marked stand-ins) gives the very same
// model text back, and no plain run holds a character the widget would take for a line
// break or that must be shown as a stand-in.
#include "app/textmodel.h"
#include "fuzzinput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput in(data, size);
    // Line breaks, NUL, Qt's own separators, a byte escape (a lone low surrogate).
    static const QString alphabet =
        QStringLiteral("a\r\n\r\n\x1c\u2028\u2029あ\uFFFD") + QChar(0) + QChar(0xDC80);
    const QString model = in.byte() % 2 ? in.units(64) : in.from(alphabet, 64);
    QString back;
    for (const textmodel::Segment &segment : textmodel::documentSegments(model)) {
        if (segment.isStandIn) {
            CHECK(!segment.text.isEmpty());
            for (QChar glyph : segment.text)
                CHECK(glyph == textmodel::standInGlyph(segment.standInFor));
            back += QString(segment.text.size(), QChar(segment.standInFor));
            continue;
        }
        QString plain = segment.text;
        for (qsizetype i = 0; i < plain.size(); ++i)
            CHECK(plain.at(i) == u'\n' || !textmodel::needsStandIn(plain, i));
        back += plain.replace(u'\n', QStringLiteral("\r\n"));
    }
    CHECK(back == model);
    return 0;
}
