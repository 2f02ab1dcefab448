// Printing to PDF: a 64000-character, 2000-line Japanese document, and a document that
// is one single line of 64000 characters.
#include "support/fixture.h"

#include "print/printdocument.h"

#include <QPrinter>
#include <QTest>

class BenchPrint : public QObject
{
    Q_OBJECT
private slots:
    void printToPdf_data()
    {
        QTest::addColumn<QString>("text");
        QString lines;
        for (int i = 0; i < 2000; ++i)
            lines += QString(15, u'あ') + QString(15, u'a') + QStringLiteral("\r\n");
        QTest::newRow("2000 lines") << lines;
        QTest::newRow("one line") << QString(32000, u'あ') + QString(32000, u'a');
    }

    void printToPdf()
    {
        QFETCH(QString, text);
        QCOMPARE(text.size(), 64000);
        Fixture f;
        Form1 &w = f.start();
        w.Text1->setText(text);
        QPrinter &printer = w.CommonDialog1.printer();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(f.path("out.pdf"));
        printer.setPageSize(QPageSize(QPageSize::A4));
        Module1::PrintOutcome outcome = Module1::PrintOutcome::Failed;
        QBENCHMARK
        {
            outcome = Module1::PrintDocument(w);
        }
        QCOMPARE(outcome, Module1::PrintOutcome::Printed);
    }
};

QTEST_MAIN(BenchPrint)
#include "bench_print.moc"
