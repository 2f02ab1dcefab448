// Any text on any page: the layout always ends, every body line starts below the header
// and ends above the footer, a line is wider than the margins only when it is a single
// character, and the body lines are the text itself without its CR LF pairs.
#include "fuzzinput.h"
#include "print/printlayout.h"

#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput in(data, size);
    printlayout::Measures m;
    m.printableWidth = 20 + in.below(300);
    m.printableHeight = 20 + in.below(400);
    m.textHeight = 0.1 * (1 + in.below(400));
    const double narrow = 0.5 + in.below(20);
    const double wide = 0.5 + in.below(200);
    // Wide characters are the kana and kanji; everything else is narrow.
    m.width = [narrow, wide](QStringView s) {
        double w = 0;
        for (QChar c : s)
            w += c.unicode() >= 0x3000 ? wide : narrow;
        return w;
    };
    const QString text = in.from(QStringLiteral("ab \r\n\r\n日本語"), 200);
    const printlayout::Layout layout = printlayout::layOut(text, QStringLiteral("h"), m);
    if (layout.fit != printlayout::Fit::Fits) {
        CHECK(layout.body.isEmpty() && layout.frames.isEmpty());
        return 0;
    }
    const double footer = (layout.linesPerPage - 1) * double(layout.lineHeight);
    QString joined;
    for (const printlayout::Placed &line : layout.body) {
        CHECK(line.page >= 1 && line.page <= layout.pages);
        CHECK(line.y >= 4.0 * layout.lineHeight);
        CHECK(line.y + m.textHeight <= footer);
        CHECK(10 + m.width(line.text) <= layout.rightEdge || line.text.size() == 1);
        joined += line.text;
    }
    CHECK(joined == QString(text).remove(QStringLiteral("\r\n")));
    return 0;
}
