// One-line text boxes keep only the first line of what is pasted or dropped into them.
#include "app/onelineedit.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>

class TestOneLineEdit : public QObject
{
    Q_OBJECT
private slots:
    void keepFirstLine_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::addColumn<int>("cursor");
        QTest::addColumn<QString>("kept");
        QTest::addColumn<int>("keptCursor");
        QTest::newRow("no line break") << "ab"
                                       << "aXb" << 2 << "aXb" << 2;
        QTest::newRow("into empty box") << ""
                                        << "one\r\ntwo" << 8 << "one" << 3;
        QTest::newRow("in the middle") << "ab"
                                       << "aX\nYb" << 4 << "aXb" << 2;
        QTest::newRow("lone CR") << ""
                                 << "x\ry" << 3 << "x" << 1;
        QTest::newRow("starts with a break") << "ab"
                                             << "a\r\nYb" << 4 << "ab" << 1;
        QTest::newRow("inserted ends like the old text") << "ab"
                                                         << "aa\nbb" << 4 << "aab" << 2;
        QTest::newRow("over a selection") << "abcd"
                                          << "aX\nYd" << 4 << "aXd" << 2;
        // The run is the one before the cursor, not what differs from the old text.
        QTest::newRow("pasted run starts like the old text") << "abc"
                                                             << "ab\nxyzabc" << 6 << "ababc" << 2;
        QTest::newRow("after a lone surrogate")
            << "x" << QString(QChar(0xD800)) + QStringLiteral("\nYx") << 3
            << QString(QChar(0xD800)) + QStringLiteral("x") << 1;
    }

    void keepFirstLine()
    {
        QFETCH(QString, before);
        QFETCH(QString, after);
        QFETCH(int, cursor);
        QFETCH(QString, kept);
        QFETCH(int, keptCursor);
        const oneline::Edit e = oneline::keepFirstLine(before, after, cursor);
        QCOMPARE(e.text, kept);
        QCOMPARE(e.cursor, keptCursor);
    }

    void pasteIntoTheBox()
    {
        OneLineEdit box;
        box.show();
        box.setText(QStringLiteral("前後"));
        box.setCursorPosition(1);
        QApplication::clipboard()->setText(QStringLiteral("貼り\n付け"));
        QTest::keyClick(&box, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(box.text(), QStringLiteral("前貼り後"));
        QCOMPARE(box.cursorPosition(), 3);
    }
};

QTEST_MAIN(TestOneLineEdit)
#include "tst_onelineedit.moc"
