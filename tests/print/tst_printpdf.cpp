// A real print run to a PDF file (A4), read back with pdftotext -bbox: the header, the
// page numbers, "Vellit" and the body lines are where the printing rules put them.
#include "support/fixture.h"

#include "settings/module1.h"

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
    double xMin, yMin, xMax; // millimetres from the page's top-left
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
        R"re(<page |<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="[\d.]+">([^<]*)</word>)re");
    constexpr double mmPerPoint = 25.4 / 72;
    for (auto it = tag.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        if (m.captured(0).startsWith("<page")) {
            ++page;
            continue;
        }
        words.append({page, m.captured(1).toDouble() * mmPerPoint,
                      m.captured(2).toDouble() * mmPerPoint, m.captured(3).toDouble() * mmPerPoint,
                      m.captured(4)});
    }
    return words;
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
        w.Text1->setFontName(QStringLiteral("IPAGothic"));
        w.Text1->setFontSize(12);
        QStringList lines;
        for (int i = 1; i <= 60; ++i)
            lines.append(QStringLiteral("日本語の行%1").arg(i));
        w.Text1->setText(lines.join("\r\n"));
        w.CommonDialog1.FileName = QStringLiteral("/home/user/見出し.txt");
        QPrinter &printer = w.CommonDialog1.printer();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(f.path("out.pdf"));
        printer.setPageSize(QPageSize(QPageSize::A4));
        QVERIFY(Module1::PrintDocument(w));

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
};

QTEST_MAIN(TestPrintPdf)
#include "tst_printpdf.moc"
