// The text model of a 64000-character, 2000-line text: building the whole text in model
// form, and mapping caret offsets.
#include "app/textarea.h"

#include <QTest>
#include <QTextDocument>

class BenchTextModel : public QObject
{
    Q_OBJECT
    QString m_text;

private slots:
    void initTestCase()
    {
        // 2000 lines of 30 characters plus CR LF: 64000 characters.
        for (int i = 0; i < 2000; ++i)
            m_text += QString(15, u'あ') + QString(15, u'a') + QStringLiteral("\r\n");
        QCOMPARE(m_text.size(), 64000);
    }

    void wholeTextInModelForm()
    {
        TextArea area;
        area.setText(m_text);
        const StandInDocument document(area.document());
        QString out;
        QBENCHMARK
        {
            out = document.modelOf(document.rawText(), 0, area.document()->characterCount() - 1);
        }
        QCOMPARE(out, m_text);
    }

    void caretOffsetMapping()
    {
        TextArea area;
        area.setText(m_text);
        int offset = 0;
        int sum = 0;
        QBENCHMARK
        {
            offset = (offset + 31999) % 64000;
            area.setSelStart(offset);
            sum += area.selStart();
        }
        QVERIFY(sum >= 0);
    }
};

QTEST_MAIN(BenchTextModel)
#include "bench_textmodel.moc"
