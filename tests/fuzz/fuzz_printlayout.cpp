// Any text on any page: the layout always ends, every body line starts below the header
// and ends above the footer, a line is wider than the margins only when it is a single
// character, no line ends inside a character (a surrogate pair, a base character and its
// marks), and the body lines are the text itself without its CR LF pairs.
#include "fuzzinput.h"
#include "print/printlayout.h"

#include <QStringList>
#include <QTextBoundaryFinder>

#include <cmath>

namespace {

// Whether the text is one character as a reader sees it.
bool isOneCharacter(const QString &text)
{
    QTextBoundaryFinder boundaries(QTextBoundaryFinder::Grapheme, text);
    return boundaries.toNextBoundary() == text.size();
}

bool beginsCharacter(const QString &text)
{
    return !text.isEmpty() && !text.front().isLowSurrogate() &&
           text.front().category() != QChar::Mark_NonSpacing;
}

} // namespace

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
    // Words of single units, surrogate pairs (𠮷 as in 𠮷野家) and marks that combine with
    // the character before them (が as か and a sound mark, é as e and an accent).
    const QStringList pieces = {QStringLiteral("a"),        QStringLiteral("b"),
                                QStringLiteral(" "),        QStringLiteral("\r\n"),
                                QStringLiteral("日本語"),   QStringLiteral("𠮷"),
                                QStringLiteral("か\u3099"), QStringLiteral("e\u0301")};
    QString text;
    for (int i = in.below(120); i > 0 && !in.empty(); --i)
        text += pieces.at(in.below(int(pieces.size())));
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
        CHECK(10 + m.width(line.text) <= layout.rightEdge || isOneCharacter(line.text));
        // An empty line is a line break of the text's own.
        CHECK(line.text.isEmpty() ||
              (beginsCharacter(line.text) && !line.text.back().isHighSurrogate()));
        joined += line.text;
    }
    CHECK(joined == QString(text).remove(QStringLiteral("\r\n")));
    return 0;
}
