// Shift-JIS conversion: the code page's repertoire both ways, what it cannot hold, and
// bytes that are not valid Shift-JIS.
#include "platform/codepage.h"
#include "platform/textcodec.h"

#include <QTest>

#include <thread>
#include <vector>

using namespace platform;

namespace {

qsizetype firstUnrepresentable(const QString &text)
{
    qsizetype first = -1;
    encode(text, Charset::ShiftJis, &first);
    return first;
}

} // namespace

class TestCodePage : public QObject
{
    Q_OBJECT
private slots:
    // First, while no character has been converted yet: the command line's file is
    // recognised on one thread while the settings are encoded on another.
    void threadsConvertingAtOnceAgree()
    {
        constexpr int kThreads = 4;
        std::vector<std::vector<int>> codes(kThreads, std::vector<int>(0x10000));
        std::vector<std::thread> threads;
        for (int t = 0; t < kThreads; ++t)
            threads.emplace_back([&codes, t] {
                for (int c = 0; c < 0x10000; ++c)
                    codes[t][c] = ansiCode(char16_t(c));
            });
        for (std::thread &thread : threads)
            thread.join();
        for (int c = 0; c < 0x10000; ++c) {
            const int once = ansiCode(char16_t(c));
            for (int t = 0; t < kThreads; ++t) {
                if (codes[t][c] != once)
                    QFAIL(qPrintable(QStringLiteral("U+%1: %2 on one thread, %3 after")
                                         .arg(c, 4, 16, QLatin1Char('0'))
                                         .arg(codes[t][c])
                                         .arg(once)));
            }
        }
        QCOMPARE(ansiCode(u'あ'), 0x82A0);
    }

    void everyValidPairRoundTrips()
    {
        // Every double-byte code the table defines decodes to one character that encodes
        // back to a double-byte code decoding to the same character (NEC and IBM
        // duplicates encode to one of their codes).
        int defined = 0;
        for (int lead = 0x81; lead <= 0xFC; ++lead) {
            if (!isAnsiLeadByte(lead))
                continue;
            for (int trail = 0x40; trail <= 0xFC; ++trail) {
                const QByteArray bytes = QByteArray(1, char(lead)) + char(trail);
                const QString text = fromAnsi(bytes);
                if (text.contains(QChar(0xFFFD)))
                    continue;
                ++defined;
                QCOMPARE(text.size(), 1);
                const QByteArray back = toAnsi(text);
                QCOMPARE(back.size(), 2);
                QCOMPARE(fromAnsi(back), text);
            }
        }
        QVERIFY2(defined > 7000, qPrintable(QString::number(defined)));
    }

    void singleBytesRoundTrip()
    {
        for (int b = 0x00; b <= 0xDF; ++b) {
            if (b == 0x80 || b == 0xA0 || isAnsiLeadByte(b))
                continue;
            const QByteArray bytes(1, char(b));
            QCOMPARE(toAnsi(fromAnsi(bytes)), bytes);
        }
    }

    void windowsMappings_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("backslash stays 5C") << QStringLiteral("\\") << QByteArray("\x5c");
        QTest::newRow("tilde stays 7E") << QStringLiteral("~") << QByteArray("\x7e");
        QTest::newRow("fullwidth tilde") << QStringLiteral("～") << QByteArray("\x81\x60");
        QTest::newRow("wave dash typed on Linux") << QStringLiteral("〜") << QByteArray("\x81\x60");
        QTest::newRow("minus sign") << QStringLiteral("−") << QByteArray("\x81\x7c");
        QTest::newRow("double vertical line") << QStringLiteral("‖") << QByteArray("\x81\x61");
        QTest::newRow("cent") << QStringLiteral("¢") << QByteArray("\x81\x91");
        QTest::newRow("pound") << QStringLiteral("£") << QByteArray("\x81\x92");
        QTest::newRow("not") << QStringLiteral("¬") << QByteArray("\x81\xca");
        QTest::newRow("em dash") << QStringLiteral("—") << QByteArray("\x81\x5c");
        QTest::newRow("broken bar") << QStringLiteral("¦") << QByteArray("\xfa\x55");
        QTest::newRow("NEC circled one") << QStringLiteral("①") << QByteArray("\x87\x40");
        QTest::newRow("IBM extension") << QStringLiteral("纊") << QByteArray("\xfa\x5c");
        QTest::newRow("half-width katakana") << QStringLiteral("ｶﾞ") << QByteArray("\xb6\xde");
        QTest::newRow("user-defined area") << QString(QChar(0xE000)) << QByteArray("\xf0\x40");
        QTest::newRow("kanji") << QStringLiteral("漢字") << QByteArray("\x8a\xbf\x8e\x9a");
    }

    void windowsMappings()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QCOMPARE(toAnsi(text), bytes);
        QCOMPARE(firstUnrepresentable(text), qsizetype(-1));
    }

    void unrepresentableBecomesQuestionMark()
    {
        const QString text = QStringLiteral("a😀b한c");
        QCOMPARE(toAnsi(text), QByteArray("a?b?c"));
        QCOMPARE(firstUnrepresentable(text), qsizetype(1));
        QCOMPARE(firstUnrepresentable(QStringLiteral("あいう한")), qsizetype(3));
        QCOMPARE(firstUnrepresentable(QString()), qsizetype(-1));
        // A lone surrogate has no byte form either.
        QCOMPARE(toAnsi(QString(QChar(0xD800)) + u'x'), QByteArray("?x"));
    }

    void singleBytesWindowsReadsRoundTrip()
    {
        const QByteArray bytes("\x80\xA0\xFD\xFE\xFF", 5);
        const QString text = QStringLiteral("\u0080\uF8F0\uF8F1\uF8F2\uF8F3");
        QCOMPARE(fromAnsi(bytes), text);
        QCOMPARE(toAnsi(text), bytes);
        QCOMPARE(firstUnrepresentable(text), qsizetype(-1));
        // After a lead byte they are no trail: the lead byte alone is invalid.
        QCOMPARE(fromAnsi(QByteArray("\x81\xFD", 2)), QStringLiteral("\uFFFD\uF8F1"));
    }

    void invalidBytesReadAsReplacement()
    {
        const QChar r(0xFFFD);
        QCOMPARE(fromAnsi(QByteArray("a\x85\x20z")),
                 QStringLiteral("a") + r + QStringLiteral(" z"));
        // A lead byte without a valid trail: the following CR LF survives.
        QCOMPARE(fromAnsi(QByteArray("\x81\r\nx")), QString(r) + QStringLiteral("\r\nx"));
        // A lead byte at the very end.
        QCOMPARE(fromAnsi(QByteArray("ab\x82")), QStringLiteral("ab") + r);
        QCOMPARE(fromAnsi(QByteArray()), QString());
    }

    void longTextsConvertWhole()
    {
        QString text;
        for (int i = 0; i < 20000; ++i)
            text += QStringLiteral("日本語abc\r\n");
        QCOMPARE(fromAnsi(toAnsi(text)), text);
    }

    void truncationNeverSplitsDoubleByte()
    {
        const QByteArray kanji = toAnsi(QStringLiteral("あいう"));
        QCOMPARE(truncateAnsi(kanji, 5), kanji.left(4));
        QCOMPARE(truncateAnsi(kanji, 4), kanji.left(4));
        QCOMPARE(truncateAnsi("a" + kanji, 2), QByteArray("a"));
        QCOMPARE(truncateAnsi("abc", 10), QByteArray("abc"));
    }
};

QTEST_APPLESS_MAIN(TestCodePage)
#include "tst_codepage.moc"
