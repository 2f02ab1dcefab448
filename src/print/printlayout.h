// The page layout of a printed document as a pure function: the text, the header and
// the printer's measures in, every string to print with its page and position out.
#pragma once

#include <QList>
#include <QString>
#include <functional>

namespace printlayout {

/// What the printer reports, in millimetres.
struct Measures
{
    double printableWidth = 0;
    double printableHeight = 0;
    /// The height of one text line ("A") in the printer font; printing a line moves the
    /// current position down by it.
    double textHeight = 0;
    /// The width of a string in the printer font.
    std::function<double(QStringView)> width;
};

/// One string to print: its top-left corner in millimetres from the top-left of the
/// printable area, on a page counted from 1.
struct Placed
{
    int page;
    double x;
    double y;
    QString text;
};

/// Whether a page can hold its header, one body line and its footer, each clear of the
/// others.
enum class Fit { Fits, FontTooSmall, FontTooLarge };

struct Layout
{
    int lineHeight = 0;
    int linesPerPage = 0;
    int rightEdge = 0;
    int pages = 0;
    /// Headers and footers, page by page.
    QList<Placed> frames;
    /// The body lines in print order.
    QList<Placed> body;
    /// Anything but Fits (a line height that rounds to 0, a body line that would reach
    /// the footer): nothing is laid out and nothing may be printed.
    Fit fit = Fit::FontTooSmall;
};

/// The layout of text: a header line with header ("無題" when empty), the body from
/// 4 line heights down with a quarter line height before each line, wrapped per
/// character at the right margin and broken at every CR LF (a lone CR or LF is an
/// ordinary character), a new page once the body passes its last line, and a footer
/// with "Nページ" at the left margin and "Vellit" ending at the right margin.
Layout layOut(const QString &text, const QString &header, const Measures &measures);

} // namespace printlayout
