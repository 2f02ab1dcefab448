// The document file format both ways, byte for byte.
#include "document/backupformat.h"
#include "document/documentformat.h"
#include "document/messages.h"
#include "platform/codepage.h"

#include <QTest>

class TestDocumentFormat : public QObject
{
    Q_OBJECT
private slots:
    void reading_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("empty file") << QByteArray() << QString();
        QTest::newRow("only crlf") << QByteArray("\r\n") << QString();
        QTest::newRow("no final line end") << QByteArray("abc") << QStringLiteral("abc");
        QTest::newRow("final crlf dropped") << QByteArray("abc\r\n") << QStringLiteral("abc");
        QTest::newRow("two final crlf") << QByteArray("abc\r\n\r\n") << QStringLiteral("abc\r\n");
        QTest::newRow("lone cr ends a line") << QByteArray("a\rb\r") << QStringLiteral("a\r\nb");
        // With a CR in the file, a lone LF is a character of its line.
        QTest::newRow("lone lf stays") << QByteArray("a\nb\n\r\n") << QStringLiteral("a\nb\n");
        QTest::newRow("lf after crlf") << QByteArray("a\r\n\nb") << QStringLiteral("a\r\n\nb");
        QTest::newRow("shift-jis")
            << platform::toAnsi(QStringLiteral("日本語\r\nｶﾅ")) << QStringLiteral("日本語\r\nｶﾅ");
        // Bytes that are not Shift-JIS are kept as they are, each as a byte escape.
        QTest::newRow("invalid bytes") << QByteArray("a\x85\x81\r\n")
                                       << QStringLiteral("a") + QChar(platform::byteEscape(0x85)) +
                                              QChar(platform::byteEscape(0x81));
    }

    void reading()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(documentformat::read(bytes, platform::Charset::ShiftJis).text, text);
    }

    void writing()
    {
        QCOMPARE(documentformat::write(QString()), QByteArray("\r\n"));
        QCOMPARE(documentformat::write(QStringLiteral("a\r\nb")), QByteArray("a\r\nb\r\n"));
        QCOMPARE(documentformat::write(QStringLiteral("あ")), QByteArray("\x82\xa0\r\n"));
    }

    void crlfTextsRoundTrip()
    {
        for (const QString &text : {QString(), QStringLiteral("x"), QStringLiteral("\r\n"),
                                    QStringLiteral("a\r\n\r\nb\r\n"), QStringLiteral("漢字\tｶﾅ")})
            QCOMPARE(
                documentformat::read(documentformat::write(text), platform::Charset::ShiftJis).text,
                text);
    }

    void recoveryKeepsEveryLineEnd()
    {
        QCOMPARE(backupformat::read(QByteArray()).text, QString());
        QCOMPARE(backupformat::read("\r\n").text, QStringLiteral("\r\n"));
        QCOMPARE(backupformat::read("abc\r\n").text, QStringLiteral("abc\r\n"));
        QCOMPARE(backupformat::read("a\r\nb").text, QStringLiteral("a\r\nb\r\n"));
    }

    void dangerousExtensionWarning()
    {
        QCOMPARE(
            messages::dangerousExtension("/x/setup.Exe"),
            QStringLiteral(
                "拡張子が\"Exe\"の物を開こうとしています。\r\n"
                "これらを無理に編集して保存するとプログラムが正常に動かなくなる場合があります。"));
        QVERIFY(!messages::dangerousExtension("/x/a.dll").isEmpty());
        QVERIFY(!messages::dangerousExtension("/x/a.SYS").isEmpty());
        QVERIFY(!messages::dangerousExtension("/x/a.ocx").isEmpty());
        QVERIFY(messages::dangerousExtension("/x/a.txt").isEmpty());
        QVERIFY(messages::dangerousExtension("/x/aexe").isEmpty());
    }

    void unrepresentableNamesCharacterAndLine()
    {
        const QString text = QStringLiteral("ok\r\nline 2 😀 here");
        documentformat::WriteCheck check;
        documentformat::write(text, documentformat::Form(), &check);
        const QString m =
            messages::unrepresentable(text, check.offset, QStringLiteral("Shift_JIS"));
        QVERIFY(m.contains(QStringLiteral("2行目")));
        QVERIFY(m.contains(QStringLiteral("「😀」")));
    }
};

QTEST_APPLESS_MAIN(TestDocumentFormat)
#include "tst_documentformat.moc"
