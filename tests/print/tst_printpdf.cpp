// A real print run to a PDF file (A4), read back with pdftotext -bbox: the header, the
// page numbers, "Vellit" and the body lines are where the printing rules put them.
#include "support/fixture.h"

#include "print/printdocument.h"

#include <QAction>
#include <QFontMetricsF>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

#include <cmath>

namespace {

struct Word
{
    int page;
    double xMin, yMin, xMax, yMax; // millimetres from the page's top-left
    QString text;
};

QList<Word> wordsOf(const QString &pdf)
{
    QProcess p;
    p.start("pdftotext", {"-bbox", pdf, "-"});
    p.waitForFinished();
    const QString html = QString::fromUtf8(p.readAllStandardOutput());
    QList<Word> words;
    int page = 0;
    static const QRegularExpression tag(
        R"re(<page |<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re");
    constexpr double mmPerPoint = 25.4 / 72;
    for (auto it = tag.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        if (m.captured(0).startsWith("<page")) {
            ++page;
            continue;
        }
        words.append({page, m.captured(1).toDouble() * mmPerPoint,
                      m.captured(2).toDouble() * mmPerPoint, m.captured(3).toDouble() * mmPerPoint,
                      m.captured(4).toDouble() * mmPerPoint, m.captured(5)});
    }
    return words;
}

int pagesOf(const QString &pdf)
{
    QProcess p;
    p.start("pdfinfo", {pdf});
    p.waitForFinished();
    static const QRegularExpression pages(R"(Pages:\s+(\d+))");
    return pages.match(QString::fromUtf8(p.readAllStandardOutput())).captured(1).toInt();
}

// Prints to a PDF file on A4 in IPAGothic.
QPrinter &pdfPrinter(Fixture &f, Form1 &w, double points)
{
    w.Text1->setFontFace(QStringLiteral("IPAGothic"), points, false, false);
    QPrinter &printer = w.CommonDialog1.printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(f.path("out.pdf"));
    printer.setPageSize(QPageSize(QPageSize::A4));
    return printer;
}

// The rules' line height and lines a page for a font size on a printer.
std::pair<int, int> linesOf(QPrinter &printer, double points)
{
    QFont font(QStringLiteral("IPAGothic"));
    font.setPointSizeF(points);
    const double textHeight =
        QFontMetricsF(font, &printer).height() / (printer.resolution() / 25.4);
    const int lineHeight = int(std::nearbyint(textHeight * 1.25));
    return {lineHeight, int(printer.pageRect(QPrinter::Millimeter).height() / lineHeight)};
}

const Word *find(const QList<Word> &words, int page, const QString &text)
{
    for (const Word &w : words) {
        if (w.page == page && w.text == text)
            return &w;
    }
    return nullptr;
}

} // namespace

class TestPrintPdf : public QObject
{
    Q_OBJECT
private slots:
    void japaneseDocumentOnA4()
    {
        if (QProcess::execute("pdftotext", {"-v"}) < 0)
            QSKIP("pdftotext (poppler-utils) is not installed");
        Fixture f;
        Form1 &w = f.start();
        w.Text1->setFontFace(QStringLiteral("IPAGothic"), 12, false, false);
        QStringList lines;
        for (int i = 1; i <= 60; ++i)
            lines.append(QStringLiteral("日本語の行%1").arg(i));
        w.Text1->setText(lines.join("\r\n"));
        w.CommonDialog1.FileName = QStringLiteral("/home/user/見出し.txt");
        QPrinter &printer = w.CommonDialog1.printer();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(f.path("out.pdf"));
        printer.setPageSize(QPageSize(QPageSize::A4));
        QCOMPARE(Module1::PrintDocument(w), Module1::PrintOutcome::Printed);

        // The rules' numbers for this font and page.
        QFont font(QStringLiteral("IPAGothic"));
        font.setPointSizeF(12);
        const double dotsPerMm = printer.resolution() / 25.4;
        const double textHeight = QFontMetricsF(font, &printer).height() / dotsPerMm;
        const int lineHeight = int(std::nearbyint(textHeight * 1.25));
        const QRectF area = printer.pageRect(QPrinter::Millimeter);
        const int linesPerPage = int(area.height() / lineHeight);
        const int rightEdge = int(std::nearbyint(area.width() - 10));
        const double left = area.left() + 10;
        const double tolerance = 1.2;

        const QList<Word> words = wordsOf(f.path("out.pdf"));
        const Word *header = find(words, 1, "/home/user/見出し.txt");
        QVERIFY(header);
        QVERIFY(qAbs(header->xMin - left) < tolerance);
        QVERIFY(qAbs(header->yMin - (area.top() + lineHeight)) < tolerance);
        for (int page : {1, 2}) {
            const Word *number = find(words, page, QString::number(page) + "ページ");
            QVERIFY2(number, qPrintable(QString::number(page)));
            const double footerTop = area.top() + (linesPerPage - 1) * lineHeight;
            QVERIFY(qAbs(number->yMin - footerTop) < tolerance);
            const Word *product = find(words, page, "Vellit");
            QVERIFY(product);
            QVERIFY(qAbs(product->xMax - (area.left() + rightEdge)) < tolerance);
            QVERIFY(qAbs(product->yMin - footerTop) < tolerance);
        }
        const Word *first = find(words, 1, "日本語の行1");
        QVERIFY(first);
        QVERIFY(qAbs(first->xMin - left) < tolerance);
        QVERIFY(qAbs(first->yMin - (area.top() + 4.25 * lineHeight)) < tolerance);
        const Word *second = find(words, 1, "日本語の行2");
        QVERIFY(second);
        QVERIFY(qAbs(second->yMin - first->yMin - (textHeight + 0.25 * lineHeight)) < 0.3);
        // Every line came out, in order, as the same characters.
        int found = 0;
        for (const Word &word : words)
            found += word.text.startsWith(QStringLiteral("日本語の行")) ? 1 : 0;
        QCOMPARE(found, 60);
        QVERIFY(find(words, 2, QStringLiteral("日本語の行60")) ||
                find(words, 3, QStringLiteral("日本語の行60")));
    }

    void printingToAFileProposesTheDocumentsName()
    {
        Fixture f;
        Form1 &w = f.start();
        QPrinter &printer = w.CommonDialog1.printer();
        if (!printer.printerName().isEmpty())
            QSKIP("a printer is set up here: printing does not go to a file");
        f.write("報告書.txt", "a\r\n");
        w.OpenDocument(f.path("報告書.txt"));
        w.mnuPrint_Click(); // cancelled
        QCOMPARE(printer.outputFileName(), f.path("報告書.pdf"));
        // Another document, the proposal kept: the proposal follows the document.
        f.write("memo.txt", "b\r\n");
        w.OpenDocument(f.path("memo.txt"));
        w.mnuPrint_Click();
        QCOMPARE(printer.outputFileName(), f.path("memo.pdf"));
        // A file the user chose stays.
        printer.setOutputFileName(f.path("chosen.pdf"));
        w.mnuPrint_Click();
        QCOMPARE(printer.outputFileName(), f.path("chosen.pdf"));
        // Untitled: the initial title, in the home folder.
        w.mnuNew_Click();
        printer.setOutputFileName(QString());
        w.mnuPrint_Click();
        QCOMPARE(printer.outputFileName(), QDir::homePath() + QStringLiteral("/無題.pdf"));
    }

    void fontTooLargeIsRefusedBeforeTheFileIsTouched()
    {
        Fixture f;
        Form1 &w = f.start();
        w.Text1->setText("a\r\nb");
        QPrinter &printer = pdfPrinter(f, w, 12);
        double points = 12;
        while (linesOf(printer, points).second > 6)
            points += 2;
        w.Text1->setFontFace(QStringLiteral("IPAGothic"), points, false, false);
        QFile old(f.path("out.pdf"));
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("the user's earlier PDF");
        old.close();
        f.dialogs.printerAccepts = true;
        w.mnuPrint_Click();
        QCOMPARE(f.boxes.shown.size(), 1);
        QVERIFY(f.boxes.shown.at(0).text.startsWith(QStringLiteral("フォントが大きすぎる")));
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), QByteArray("the user's earlier PDF"));
        QVERIFY(w.findChild<QAction *>("mnuPrint")->isEnabled());
    }

    void sevenLinesAPageGiveEveryLineItsOwnPageAboveTheFooter()
    {
        if (QProcess::execute("pdftotext", {"-v"}) < 0)
            QSKIP("pdftotext (poppler-utils) is not installed");
        Fixture f;
        Form1 &w = f.start();
        w.Text1->setText(QStringLiteral("一\r\n二"));
        QPrinter &printer = pdfPrinter(f, w, 12);
        double points = 12;
        while (linesOf(printer, points).second > 7)
            points += 1;
        QCOMPARE(linesOf(printer, points).second, 7);
        w.Text1->setFontFace(QStringLiteral("IPAGothic"), points, false, false);
        QCOMPARE(Module1::PrintDocument(w), Module1::PrintOutcome::Printed);
        const QList<Word> words = wordsOf(f.path("out.pdf"));
        QCOMPARE(pagesOf(f.path("out.pdf")), 3);
        QVERIFY(!find(words, 1, QStringLiteral("一")));
        for (int page : {2, 3}) {
            const Word *line = find(words, page, page == 2 ? QStringLiteral("一") : "二");
            const Word *footer = find(words, page, QString::number(page) + "ページ");
            QVERIFY(line && footer);
            QVERIFY(line->yMax < footer->yMin);
        }
    }

    void copiesToAPdfFileAreAllThere()
    {
        Fixture f;
        Form1 &w = f.start();
        w.Text1->setText(QStringLiteral("一ページ目"));
        QPrinter &printer = pdfPrinter(f, w, 12);
        printer.setCopyCount(3);
        QCOMPARE(Module1::PrintDocument(w), Module1::PrintOutcome::Printed);
        QCOMPARE(pagesOf(f.path("out.pdf")), 3);
    }
};

QTEST_MAIN(TestPrintPdf)
#include "tst_printpdf.moc"
