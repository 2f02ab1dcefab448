// Recognising and reading a 64000-byte file in each encoding, and one typed character
// in a 64000-character EUC-JP document through the whole change handler (its backup is
// the UTF-16 form).
#include "support/fixture.h"

#include "keystroke.h"

#include "document/documentformat.h"

#include <QTest>

using platform::Charset;

class BenchEncodings : public QObject
{
    Q_OBJECT
    QString m_text; // 2000 lines of Japanese and ASCII

private slots:
    void initTestCase()
    {
        for (int i = 0; i < 2000; ++i)
            m_text += QStringLiteral("日本語の文章とｶﾀｶﾅ、abc 123。") + QStringLiteral("\r\n");
    }

    void recogniseAndRead_data()
    {
        QTest::addColumn<int>("charset");
        for (const Charset c : platform::kCharsets)
            QTest::newRow(qPrintable(platform::charsetName(c))) << int(c);
    }

    void recogniseAndRead()
    {
        QFETCH(int, charset);
        documentformat::Form form;
        form.encoding = Charset(charset);
        form.byteOrderMark = platform::unitSize(form.encoding) == 2;
        // The JIS X 0213 forms are told from their base by a character only they hold.
        const bool jisX0213 = form.encoding == Charset::ShiftJis2004 ||
                              form.encoding == Charset::EucJis2004 ||
                              form.encoding == Charset::Iso2022Jp2004;
        QString text = m_text;
        if (jisX0213)
            text.replace(QStringLiteral("とｶ"), QStringLiteral("か゚ｶ"));
        // Windows' EUC-JP by NEC row 13; ISO-2022-JP has no half-width katakana.
        if (form.encoding == Charset::EucJpMs)
            text.replace(QStringLiteral("と"), QStringLiteral("①"));
        if (platform::isStateful(form.encoding))
            text.replace(QStringLiteral("ｶﾀｶﾅ"), QStringLiteral("カタカナ"));
        QByteArray bytes = documentformat::write(text, form);
        bytes.truncate(64000);
        documentformat::Reading reading;
        QBENCHMARK
        {
            reading = documentformat::read(bytes);
        }
        QCOMPARE(int(reading.form.encoding), charset);
    }

    void typedCharacterInEucJp()
    {
        Fixture f;
        Form1 &w = f.start();
        documentformat::Form form;
        form.encoding = Charset::EucJp;
        f.write("euc.txt", documentformat::write(m_text.left(64000 - 2000), form).left(64000));
        w.OpenDocument(f.path("euc.txt"));
        QCOMPARE(w.state.documentForm.encoding, Charset::EucJp);
        w.show();
        w.Text1->setSelStart(30000);
        w.Text1->setFocus();
        int keystrokes = 0;
        QBENCHMARK
        {
            typeOrErase(w.Text1, keystrokes);
        }
        QVERIFY(f.read("backup.txt").startsWith("\xFF\xFE"));
    }
};

QTEST_MAIN(BenchEncodings)
#include "bench_encodings.moc"
