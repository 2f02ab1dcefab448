// Printing: the printer's measures go into the page layout, and the layout is drawn on
// the printer page by page, letting the window handle its events once per body line.
#include "settings/module1.h"

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

void SetUpPrintPage(Form1 &form, PrintRun &run)
{
    // The text area's face and size; bold and italic are not copied.
    run.font = QFont(form.Text1->fontName());
    run.font.setPointSizeF(form.Text1->fontSize());
    run.painter.setFont(run.font);
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

} // namespace

bool PrintDocument(Form1 &form)
{
    PrintRun run;
    run.printer = &form.CommonDialog1.printer();
    if (!run.painter.begin(run.printer))
        return false;
    SetUpPrintPage(form, run);
    if (!run.layout.printable) {
        run.printer->abort();
        run.painter.end();
        return false;
    }
    run.pageNumber = 1;
    PrintPageFrame(run);
    if (!PrintBody(run)) {
        // Pages already drawn are discarded, not sent half.
        run.printer->abort();
        run.painter.end();
        return false;
    }
    return run.painter.end();
}

} // namespace Module1
