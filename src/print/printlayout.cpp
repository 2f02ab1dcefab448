// The line-breaking of a printed page. The literal scan measures every prefix of the
// rest of the text; here the first overflowing prefix of a line is found by doubling
// and halving, which gives the same break since a longer prefix is never narrower, in
// time that grows with the printed line, not with the length of the rest.
#include "print/printlayout.h"

#include "app/caption.h"

#include <QTextBoundaryFinder>

#include <cmath>

namespace printlayout {
namespace {

constexpr double kMargin = 10;
constexpr double kLineHeightFactor = 1.25;
constexpr double kBodyTopLines = 4;
constexpr double kGapLines = 0.25;
// A body line is begun only above the page's last four lines, which keeps the last one
// clear of the footer on the last line.
constexpr int kLinesKeptFreeAtFoot = 4;

int roundHalfEven(double value)
{
    return static_cast<int>(std::nearbyint(value));
}

// The length of the line that starts rest: the first prefix length i (1-based) whose
// width overflows gives a line of i - 1 characters; up to limit characters are tried.
qsizetype fittingLength(QStringView rest, qsizetype limit, const Measures &m, int rightEdge)
{
    auto overflows = [&](qsizetype length) {
        return kMargin + m.width(rest.left(length)) > rightEdge;
    };
    // Doubling from one character: the widest prefix measured is at most twice the
    // printed line, however long the rest is.
    qsizetype fits = 0;
    qsizetype over = 0;
    for (qsizetype probe = 1; over == 0; probe *= 2) {
        probe = qMin(probe, limit);
        if (probe == 0)
            return 0;
        if (overflows(probe)) {
            over = probe;
        } else {
            fits = probe;
            if (probe == limit)
                return limit;
        }
    }
    while (over - fits > 1) {
        const qsizetype mid = fits + (over - fits) / 2;
        if (overflows(mid))
            over = mid;
        else
            fits = mid;
    }
    return fits;
}

// A line never ends inside a character: a surrogate pair, or a base character and the
// marks that follow it. The break moves back to the last boundary before it; a first
// character too wide for the line still prints whole. Boundaries depend only on the
// characters near them, so a few characters past the break are enough to find one.
qsizetype wholeCharacters(QStringView rest, qsizetype length, qsizetype limit)
{
    constexpr qsizetype kContext = 32;
    const QStringView near = rest.left(qMin(limit, length + kContext));
    QTextBoundaryFinder boundaries(QTextBoundaryFinder::Grapheme, near.data(), near.size());
    boundaries.setPosition(length);
    if (boundaries.isAtBoundary() && length > 0)
        return length;
    qsizetype whole = length > 0 ? boundaries.toPreviousBoundary() : 0;
    if (whole <= 0) {
        boundaries.setPosition(0);
        whole = boundaries.toNextBoundary();
    }
    return whole < 0 ? near.size() : whole;
}

// The footer is on the page's last line.
double footerTop(const Layout &layout)
{
    return (layout.linesPerPage - 1) * double(layout.lineHeight);
}

void addFrame(Layout &layout, int page, const QString &header, const Measures &m)
{
    const double footerY = footerTop(layout);
    layout.frames.append({page, kMargin, double(layout.lineHeight), header});
    layout.frames.append(
        {page, kMargin, footerY, QString::number(page) + QStringLiteral("ページ")});
    const QString product = QStringLiteral("Vellit");
    layout.frames.append({page, layout.rightEdge - m.width(product), footerY, product});
}

} // namespace

Layout layOut(const QString &text, const QString &headerText, const Measures &m)
{
    Layout layout;
    layout.lineHeight = roundHalfEven(m.textHeight * kLineHeightFactor);
    if (layout.lineHeight <= 0)
        return layout;
    layout.linesPerPage = static_cast<int>(std::floor(m.printableHeight / layout.lineHeight));
    layout.rightEdge = roundHalfEven(m.printableWidth - kMargin);
    // A page full after its first body line gives every line a page of its own, which
    // must still end above the footer.
    const double bodyTop = kBodyTopLines * layout.lineHeight;
    if (bodyTop + kGapLines * layout.lineHeight + m.textHeight > footerTop(layout)) {
        layout.fit = Fit::FontTooLarge;
        return layout;
    }
    layout.fit = Fit::Fits;

    const QString header = headerText.isEmpty() ? caption::kUntitled.toString() : headerText;
    const double pageFull = double(layout.linesPerPage - kLinesKeptFreeAtFoot) * layout.lineHeight;
    int page = 1;
    addFrame(layout, page, header, m);
    double y = bodyTop;
    QStringView rest(text);
    while (!rest.isEmpty()) {
        if (y > pageFull) {
            addFrame(layout, ++page, header, m);
            y = bodyTop;
        }
        const qsizetype lineBreak = rest.indexOf(QStringLiteral("\r\n"));
        const qsizetype limit = lineBreak < 0 ? rest.size() : lineBreak;
        qsizetype length = fittingLength(rest, limit, m, layout.rightEdge);
        // A character wider than the space between the margins prints alone on its line,
        // past the margin, so that the text always gets shorter.
        if (limit > 0 && length < limit)
            length = wholeCharacters(rest, length, limit);
        // A piece that reaches the end of its line takes the line break with it.
        const qsizetype consumed = length == limit && lineBreak >= 0 ? length + 2 : length;
        y += kGapLines * layout.lineHeight;
        layout.body.append({page, kMargin, y, rest.left(length).toString()});
        y += m.textHeight;
        rest = rest.mid(consumed);
    }
    layout.pages = page;
    return layout;
}

} // namespace printlayout
