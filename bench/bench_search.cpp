// One find ignoring case, width and kana in a 64000-character document, the match near
// the end; replace all of 10000 occurrences, against the step-by-step procedure.
#include "support/fixture.h"

#include "search/form3.h"
#include "search/matching.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QTest>

namespace {

// 2000 lines, 64000 characters, holding 10000 occurrences of "ab" (when occurrences is
// true).
QString document(bool occurrences)
{
    const QString line = occurrences ? QStringLiteral("ab....ab....ab....ab....ab....\r\n")
                                     : QStringLiteral("かなカナ漢字 text かなカナ漢字 text\r\n");
    return line.repeated(2000).left(64000);
}

Form3 &replaceDialog(Form1 &w)
{
    w.mnuOki_Click();
    Form3 &r = *w.findChild<Form3 *>();
    r.Text1->setText(QStringLiteral("AB"));
    r.Text2->setText(QStringLiteral("XYZ"));
    return r;
}

} // namespace

class BenchSearch : public QObject
{
    Q_OBJECT
private slots:
    void findNearTheEnd()
    {
        const QString text = document(false) + QStringLiteral("ＦＩＮＤめ");
        qsizetype p = -1;
        QBENCHMARK
        {
            p = matching::find(text, QStringLiteral("findメ"), 0, false);
        }
        QCOMPARE(p, text.size() - 5);
    }

    void replaceAllFast()
    {
        Fixture f;
        Form1 &w = f.start();
        Form3 &r = replaceDialog(w);
        QBENCHMARK
        {
            w.Text1->setText(document(true));
            w.Text1->setSelStart(0);
            r.Command3_Click();
        }
        QVERIFY(!w.Text1->text().contains(QStringLiteral("ab")));
    }

    void replaceAllStepByStep()
    {
        Fixture f;
        Form1 &w = f.start();
        Form3 &r = replaceDialog(w);
        QBENCHMARK_ONCE
        {
            w.Text1->setText(document(true));
            w.Text1->setSelStart(0);
            // Pressed until it says that nothing more is found.
            const qsizetype told = f.boxes.shown.size();
            while (f.boxes.shown.size() == told)
                r.Command2_Click();
        }
        QVERIFY(!w.Text1->text().contains(QStringLiteral("ab")));
    }
};

QTEST_MAIN(BenchSearch)
#include "bench_search.moc"
