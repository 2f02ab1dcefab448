// Texts built by the editing commands: quoted paste, the line, the count message, the
// random number, the date and time; and the clipboard's line-end translation.
#include "commands/textcommands.h"
#include "platform/clipboard.h"

#include <QRandomGenerator>
#include <QTest>

using namespace textcommands;

class TestTextCommands : public QObject
{
    Q_OBJECT
private slots:
    void quotedPaste_data()
    {
        QTest::addColumn<QString>("clip");
        QTest::addColumn<QString>("result");
        QTest::newRow("two lines") << "one\r\ntwo"
                                   << "> one\r\n> two";
        QTest::newRow("trailing break") << "one\r\n"
                                        << "> one\r\n> ";
        QTest::newRow("one character") << "x"
                                       << "> x";
        QTest::newRow("empty line inside") << "a\r\n\r\nb"
                                           << "> a\r\n> \r\n> b";
        QTest::newRow("ends in lone cr") << "x\r"
                                         << "> x\r\n> ";
        QTest::newRow("lone cr keeps next character") << "a\rb"
                                                      << "> a\r\n> b";
        QTest::newRow("lone lf stays inside") << "a\nb"
                                              << "> a\nb";
    }

    void quotedPaste()
    {
        QFETCH(QString, clip);
        QFETCH(QString, result);
        QCOMPARE(quoted(clip), result);
    }

    void quotedPasteYieldsOncePerLine()
    {
        int yields = 0;
        quoted(QStringLiteral("a\r\nb\r\nc"), [&] { ++yields; });
        QCOMPARE(yields, 2);
    }

    void lineCount_data()
    {
        QTest::addColumn<QString>("reply");
        QTest::addColumn<int>("count");
        QTest::newRow("empty or cancel") << "" << 0;
        QTest::newRow("zero") << "0" << 0;
        QTest::newRow("not a number") << "abc" << 0;
        QTest::newRow("too large") << "40000" << 0;
        QTest::newRow("too small") << "-40000" << 0;
        QTest::newRow("half to even down") << "2.5" << 2;
        QTest::newRow("half to even up") << "3.5" << 4;
        QTest::newRow("blanks") << "  5 " << 5;
        QTest::newRow("negative") << "-3" << -3;
        QTest::newRow("largest") << "32767" << 32767;
        QTest::newRow("rounds out of range") << "32767.5" << 0;
    }

    void lineCount()
    {
        QFETCH(QString, reply);
        QFETCH(int, count);
        QCOMPARE(lineRepeatCount(reply), count);
    }

    void lines()
    {
        QCOMPARE(drawnLine(QString(), 0), QString(72, u'*'));
        QCOMPARE(drawnLine(QStringLiteral("-="), 3), QStringLiteral("-=-=-="));
        QCOMPARE(drawnLine(QStringLiteral("x"), -2), QString());
    }

    void countMessage_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("lines");
        QTest::addColumn<QString>("numbers");
        QTest::newRow("empty") << "" << 1 << "0 1 0";
        QTest::newRow("two lines") << "ab\r\ncd" << 2 << "4 2 0";
        QTest::newRow("10 lines") << QString("\r\n").repeated(9) << 10 << "0 10 0";
        QTest::newRow("30 lines") << QString("\r\n").repeated(29) << 30 << "0 30 2";
        QTest::newRow("50 lines") << QString("\r\n").repeated(49) << 50 << "0 50 2";
        QTest::newRow("70 lines") << QString("\r\n").repeated(69) << 70 << "0 70 4";
        QTest::newRow("beyond 16 bits") << QString(40000, u'字') + QString("\r\n").repeated(19999)
                                        << 20000 << "40000 20000 1000";
    }

    void countMessage()
    {
        QFETCH(QString, text);
        QFETCH(int, lines);
        QFETCH(QString, numbers);
        const QStringList n = numbers.split(u' ');
        QCOMPARE(textcommands::countMessage(text, lines),
                 QStringLiteral("現在の総文字数は\u3000") + n[0] +
                     QStringLiteral("\u3000文字で、\u3000") + n[1] +
                     QStringLiteral(
                         "\u3000行です。\r\n\r\nこれを、400字詰めの原稿用紙にすると、約\u3000") +
                     n[2] + QStringLiteral("\u3000枚です。"));
    }

    void randomBounds()
    {
        QCOMPARE(randomNumber(0.0), QStringLiteral("1"));
        QCOMPARE(randomNumber(std::nextafter(1.0, 0.0)), QStringLiteral("10000"));
        QRandomGenerator random(1);
        for (int i = 0; i < 100000; ++i) {
            const int n = randomNumber(random.generateDouble()).toInt();
            QVERIFY(n >= 1 && n <= 10000);
        }
    }

    void timeAndDateIsJapaneseWhateverTheLocale()
    {
        QLocale::setDefault(QLocale::c());
        const QDateTime at(QDate(2026, 12, 7), QTime(9, 5, 30));
        QCOMPARE(timeAndDate(at), QStringLiteral("09:05 2026/12/07"));
        QCOMPARE(timeAndDate(QDateTime(QDate(2026, 1, 2), QTime(23, 59))),
                 QStringLiteral("23:59 2026/01/02"));
        QLocale::setDefault(QLocale::system());
    }

    void clipboardLineEnds()
    {
        QCOMPARE(platform::clipboardToEditor("a\nb\r\nc\n"), QStringLiteral("a\r\nb\r\nc\r\n"));
        QCOMPARE(platform::editorToClipboard("a\r\nb\rc"), QStringLiteral("a\nb\rc"));
    }
};

QTEST_APPLESS_MAIN(TestTextCommands)
#include "tst_textcommands.moc"
