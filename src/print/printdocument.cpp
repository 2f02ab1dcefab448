// Printing: the printer's measures go into the page layout, and the layout is drawn on
// the printer page by page, letting the window handle its events once per body line.
#include "print/printdocument.h"

#include "app/form1.h"
#include "app/textarea.h"
#include "print/printlayout.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>

namespace Module1 {
namespace {

// The print state of one run.
struct PrintRun
{
    QPrinter *printer = nullptr;
    QPainter painter;
    QFont font;
    double dotsPerMm = 1;
    double ascent = 0;
    printlayout::Layout layout;
    qint16 pageNumber = 0;
};

void draw(PrintRun &run, const printlayout::Placed &placed)
{
    run.painter.drawText(QPointF(placed.x * run.dotsPerMm, placed.y * run.dotsPerMm + run.ascent),
                         placed.text);
}

// Measures the page and lays the text out, before anything is sent to the printer.
void SetUpPrintPage(Form1 &form, PrintRun &run)
{
    // The text area's face and size; bold and italic are not copied.
    run.font = QFont(form.Text1->fontName());
    run.font.setPointSizeF(form.Text1->fontSize());
    run.dotsPerMm = run.printer->resolution() / 25.4;
    const QFontMetricsF metrics(run.font, run.printer);
    run.ascent = metrics.ascent();
    printlayout::Measures measures;
    const QRectF printable = run.printer->pageRect(QPrinter::Millimeter);
    measures.printableWidth = printable.width();
    measures.printableHeight = printable.height();
    measures.textHeight = metrics.height() / run.dotsPerMm;
    measures.width = [&metrics, &run](QStringView s) {
        return metrics.horizontalAdvance(s.toString()) / run.dotsPerMm;
    };
    run.layout = printlayout::layOut(form.Text1->text(), form.CommonDialog1.FileName, measures);
}

void PrintPageFrame(PrintRun &run)
{
    for (const printlayout::Placed &placed : run.layout.frames) {
        if (placed.page == run.pageNumber)
            draw(run, placed);
    }
}

bool PrintBody(PrintRun &run)
{
    run.pageNumber = 1;
    PrintPageFrame(run);
    for (const printlayout::Placed &line : run.layout.body) {
        QCoreApplication::processEvents();
        if (line.page != run.pageNumber) {
            if (!run.printer->newPage())
                return false;
            run.pageNumber = qint16(line.page);
            PrintPageFrame(run);
        }
        draw(run, line);
    }
    return true;
}

// A printer that cannot make copies itself (a PDF file) is given the document as many
// times as copies were asked for.
int copiesToDraw(const QPrinter &printer)
{
    return printer.supportsMultipleCopies() ? 1 : std::max(1, printer.copyCount());
}

} // namespace

PrintOutcome PrintDocument(Form1 &form)
{
    PrintRun run;
    run.printer = &form.CommonDialog1.printer();
    SetUpPrintPage(form, run);
    switch (run.layout.fit) {
    case printlayout::Fit::FontTooSmall:
        return PrintOutcome::FontTooSmall;
    case printlayout::Fit::FontTooLarge:
        return PrintOutcome::FontTooLarge;
    case printlayout::Fit::Fits:
        break;
    }
    const int copies = copiesToDraw(*run.printer);
    if (!run.painter.begin(run.printer))
        return PrintOutcome::Failed;
    run.painter.setFont(run.font);
    for (int copy = 0; copy < copies; ++copy) {
        if ((copy > 0 && !run.printer->newPage()) || !PrintBody(run)) {
            // Pages already drawn are discarded, not sent half.
            run.printer->abort();
            run.painter.end();
            return PrintOutcome::Failed;
        }
    }
    return run.painter.end() ? PrintOutcome::Printed : PrintOutcome::Failed;
}

} // namespace Module1
