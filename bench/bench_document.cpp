// The change handler on its own, one typed character through the whole of it, and
// opening a 64000-byte Shift-JIS file, in a 64000-character document of 2000 lines and in
// one of one line.
#include "support/fixture.h"

#include "keystroke.h"

#include "platform/codepage.h"

#include <QInputMethodEvent>
#include <QTest>

class BenchDocument : public QObject
{
    Q_OBJECT
    QString m_text;

private slots:
    void initTestCase()
    {
        for (int i = 0; i < 2000; ++i)
            m_text += QString(15, u'あ') + QString(15, u'a') + QStringLiteral("\r\n");
    }

    // Typed and rubbed out again in the middle of the document, painting included. A file
    // without line breaks is one 64000-character line that is laid out again on every
    // keystroke (lines are never wrapped).
    void typedCharacter_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("2000 lines") << m_text;
        QTest::newRow("one 64000-character line") << QString(64000, u'あ');
    }

    void typedCharacter()
    {
        QFETCH(QString, text);
        Fixture f;
        Form1 &w = f.start();
        w.show();
        w.Text1->setText(text);
        w.Text1->setSelStart(32000);
        w.Text1->setFocus();
        int keystrokes = 0;
        QBENCHMARK
        {
            typeOrErase(w.Text1, keystrokes);
        }
        QVERIFY(w.state.isModified);
    }

    // The change handler alone, as every keystroke runs it: modified flag, undo
    // snapshot, and the 64000-character backup written through the recovery session.
    void changeHandler()
    {
        Fixture f;
        Form1 &w = f.start();
        w.Text1->setText(m_text.left(64000));
        QBENCHMARK
        {
            w.Text1_Change();
        }
        QCOMPARE(f.read("backup.txt").size(), platform::toAnsi(m_text.left(64000)).size() + 2);
    }

    void typedJapaneseCharacter()
    {
        Fixture f;
        Form1 &w = f.start();
        w.Text1->setText(m_text);
        w.Text1->setSelStart(32000);
        QBENCHMARK
        {
            QInputMethodEvent commit;
            commit.setCommitString(QStringLiteral("漢"));
            QApplication::sendEvent(w.Text1, &commit);
        }
        QVERIFY(w.state.isModified);
    }

    void openShiftJisFile()
    {
        Fixture f;
        QByteArray bytes;
        for (int i = 0; i < 1000; ++i)
            bytes += platform::toAnsi(QString(15, u'あ') + QString(29, u'a')) + "\r\n";
        bytes.truncate(64000);
        f.write("big.txt", bytes);
        Form1 &w = f.start();
        QBENCHMARK
        {
            w.OpenDocument(f.path("big.txt"));
        }
        QVERIFY(!w.Text1->text().isEmpty());
    }

    void openUtf8File()
    {
        Fixture f;
        QByteArray bytes;
        while (bytes.size() + 61 <= 64000)
            bytes += (QString(10, u'あ') + QString(30, u'a')).toUtf8() + "\n";
        bytes += QByteArray(64000 - bytes.size(), 'a');
        f.write("big.txt", bytes);
        Form1 &w = f.start();
        QBENCHMARK
        {
            w.OpenDocument(f.path("big.txt"));
        }
        QCOMPARE(w.state.documentForm.encoding, platform::Charset::Utf8);
    }

    void typedCharacterWithUtf16Backup()
    {
        // An emoji anywhere makes the backup UTF-16 (Shift-JIS cannot hold it).
        Fixture f;
        Form1 &w = f.start();
        w.show();
        w.Text1->setText(QStringLiteral("😀") + m_text);
        w.Text1->setSelStart(32000);
        w.Text1->setFocus();
        int keystrokes = 0;
        QBENCHMARK
        {
            typeOrErase(w.Text1, keystrokes);
        }
        QVERIFY(f.read("backup.txt").startsWith("\xFF\xFE"));
    }
};

QTEST_MAIN(BenchDocument)
#include "bench_document.moc"
