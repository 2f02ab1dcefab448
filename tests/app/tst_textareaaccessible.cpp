// The text area through its accessibility interface: where its characters stand on the
// screen, which character is under a point, its lines read, and edits by assistive
// technology made as typing makes them.
#include "app/textarea.h"

#include <QAccessible>
#include <QInputMethodEvent>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>

namespace {

// Short lines of ASCII, kana and kanji, one with a tab and a lone CR, one long line.
QString sampleText()
{
    QStringList lines;
    for (int i = 0; i < 40; ++i)
        lines << QStringLiteral("%1 行目 abc かなカナ漢字").arg(i);
    lines[12] = QStringLiteral("tab\there\rlone CR");
    lines[20] = QString(QStringLiteral("あいうabc")).repeated(300);
    return lines.join(QStringLiteral("\r\n"));
}

QAccessibleTextInterface *textOf(TextArea &area)
{
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(&area);
    return iface ? iface->textInterface() : nullptr;
}

// The caret's rectangle at a document position, on the screen: how the widget itself
// places the caret, against which the character's place is checked.
QRect caretAt(const TextArea &area, int position)
{
    QTextCursor cursor(area.document());
    cursor.setPosition(position);
    const QRect r = area.cursorRect(cursor);
    return {area.viewport()->mapToGlobal(r.topLeft()), r.size()};
}

struct Shown
{
    TextArea area;
    Shown()
    {
        area.setText(sampleText());
        area.resize(420, 240);
        area.show();
        QVERIFY(QTest::qWaitForWindowExposed(&area));
    }
};

} // namespace

class TestTextAreaAccessible : public QObject
{
    Q_OBJECT
private slots:
    void charactersStandWhereTheCaretDoes_data()
    {
        QTest::addColumn<int>("line");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("topLine");
        QTest::addColumn<int>("scrolledRight");
        QTest::newRow("first line") << 0 << 3 << 0 << 0;
        QTest::newRow("a line below") << 6 << 5 << 0 << 0;
        QTest::newRow("scrolled down") << 14 << 8 << 10 << 0;
        QTest::newRow("after a tab and a stand-in") << 12 << 10 << 8 << 0;
        QTest::newRow("scrolled down and right") << 13 << 10 << 9 << 40;
        QTest::newRow("far into a long line") << 20 << 700 << 16 << 0;
    }

    void charactersStandWhereTheCaretDoes()
    {
        QFETCH(int, line);
        QFETCH(int, column);
        QFETCH(int, topLine);
        QFETCH(int, scrolledRight);
        Shown shown;
        TextArea &area = shown.area;
        const int position = area.document()->findBlockByNumber(line).position() + column;
        area.verticalScrollBar()->setValue(topLine);
        // A far column is scrolled to through the caret, as a user would reach it.
        if (column > 100) {
            QTextCursor cursor(area.document());
            cursor.setPosition(position);
            area.setTextCursor(cursor);
        }
        area.horizontalScrollBar()->setValue(area.horizontalScrollBar()->value() + scrolledRight);
        QAccessibleTextInterface *text = textOf(area);
        QVERIFY(text);
        const QRect box = text->characterRect(position);
        const QRect caret = caretAt(area, position);
        const QRect next = caretAt(area, position + 1);
        QVERIFY2(area.viewport()->rect().contains(area.viewport()->mapFromGlobal(caret.center())),
                 "the character is in view");
        QVERIFY(qAbs(box.left() - caret.left()) <= 1);
        QCOMPARE(box.top(), caret.top());
        QCOMPARE(box.height(), caret.height());
        QVERIFY(qAbs(box.right() + 1 - next.left()) <= 1);
        // The character under the box's middle is this one.
        QCOMPARE(text->offsetAtPoint(box.center()), position);
    }

    void charactersStandAfterAPreedit()
    {
        Shown shown;
        TextArea &area = shown.area;
        area.setFocus();
        const QTextBlock block = area.document()->findBlockByNumber(3);
        const int position = block.position() + 4;
        QTextCursor cursor(area.document());
        cursor.setPosition(position);
        area.setTextCursor(cursor);
        QInputMethodEvent preedit(QStringLiteral("にほんご"), {});
        QCoreApplication::sendEvent(&area, &preedit);
        QCOMPARE(block.layout()->preeditAreaText(), QStringLiteral("にほんご"));
        QAccessibleTextInterface *text = textOf(area);
        QVERIFY(text);
        // The character at the pre-edit's place is drawn after the pre-edit's four.
        // The line holds the pre-edit from column 4 on; the caret placed before it is
        // where the widget draws column 3.
        const QTextLine line = block.layout()->lineAt(0);
        const int afterPreedit =
            caretAt(area, position - 1).left() + qRound(line.cursorToX(8) - line.cursorToX(3));
        QVERIFY(qAbs(text->characterRect(position).left() - afterPreedit) <= 1);
        QVERIFY(qAbs(text->characterRect(position - 1).left() -
                     caretAt(area, position - 1).left()) <= 1);
    }

    void noCharacterBesideALineEndOrBelowTheText()
    {
        Shown shown;
        TextArea &area = shown.area;
        QAccessibleTextInterface *text = textOf(area);
        QVERIFY(text);
        const QTextBlock block = area.document()->findBlockByNumber(2);
        const QRect lineEnd = text->characterRect(block.position() + block.length() - 1);
        QVERIFY(!lineEnd.isEmpty());
        QCOMPARE(text->offsetAtPoint(lineEnd.center()), block.position() + block.length() - 1);
        QCOMPARE(text->offsetAtPoint(lineEnd.center() + QPoint(lineEnd.width() * 3, 0)), -1);
        area.verticalScrollBar()->setValue(area.verticalScrollBar()->maximum());
        const QPoint belowText =
            area.viewport()->mapToGlobal(area.viewport()->rect().bottomLeft() - QPoint(-4, 2));
        QCOMPARE(text->offsetAtPoint(belowText), -1);
        QVERIFY(text->characterRect(area.document()->characterCount() + 5).isEmpty());
    }

    void scrollingToATextBringsItIntoView()
    {
        Shown shown;
        TextArea &area = shown.area;
        QAccessibleTextInterface *text = textOf(area);
        QVERIFY(text);
        const int position = area.document()->findBlockByNumber(20).position() + 900;
        QVERIFY(!area.viewport()->rect().contains(area.characterRect(position)));
        text->scrollToSubstring(position, position + 3);
        QVERIFY(area.viewport()->rect().contains(area.characterRect(position)));
        QCOMPARE(area.textCursor().position(), 0);
    }

    void linesAreReadAroundAnOffset()
    {
        Shown shown;
        TextArea &area = shown.area;
        QAccessibleTextInterface *text = textOf(area);
        QVERIFY(text);
        const int third = area.document()->findBlockByNumber(2).position();
        int start = -1;
        int end = -1;
        QCOMPARE(text->textAtOffset(third + 4, QAccessible::LineBoundary, &start, &end),
                 QStringLiteral("2 行目 abc かなカナ漢字"));
        QCOMPARE(start, third);
        QCOMPARE(text->textBeforeOffset(third + 4, QAccessible::LineBoundary, &start, &end),
                 QStringLiteral("1 行目 abc かなカナ漢字"));
        QCOMPARE(text->textAfterOffset(third + 4, QAccessible::LineBoundary, &start, &end),
                 QStringLiteral("3 行目 abc かなカナ漢字"));
        QCOMPARE(text->textBeforeOffset(2, QAccessible::LineBoundary, &start, &end), QString());
        QCOMPARE(text->text(third, third + 1), QStringLiteral("2"));
    }

    void attributesGiveTheRunOfAnOffset()
    {
        TextArea area;
        area.setFontFace(QStringLiteral("DejaVu Sans"), 12, true, false);
        area.setText(QStringLiteral("ab\r\rcd"));
        QAccessibleTextInterface *text = textOf(area);
        QVERIFY(text);
        int start = -1;
        int end = -1;
        const QString plain = text->attributes(0, &start, &end);
        QVERIFY2(plain.contains(QStringLiteral("font-family:\"DejaVu Sans\";")), qPrintable(plain));
        QVERIFY2(plain.contains(QStringLiteral("font-size:12pt;")), qPrintable(plain));
        QVERIFY2(plain.contains(QStringLiteral("font-weight:bold;")), qPrintable(plain));
        QCOMPARE(start, 0);
        QCOMPARE(end, 2);
        // The two lone CRs are one run of stand-ins, drawn in the placeholder colour.
        const QString standIn = text->attributes(3, &start, &end);
        QCOMPARE(start, 2);
        QCOMPARE(end, 4);
        const QColor placeholder = area.palette().color(QPalette::PlaceholderText);
        QVERIFY2(standIn.contains(QStringLiteral("color:rgb(%1,%2,%3);")
                                      .arg(placeholder.red())
                                      .arg(placeholder.green())
                                      .arg(placeholder.blue())),
                 qPrintable(standIn));
        // At the text's end, the last character answers; beyond it, nothing.
        text->attributes(-1, &start, &end);
        QCOMPARE(end, 6);
        QVERIFY(text->attributes(99, &start, &end).isEmpty());
        QCOMPARE(start, -1);
    }

    void editsAreMadeAsTyping()
    {
        TextArea area;
        area.setText(QStringLiteral("a\rb\r\nc"));
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(&area);
        QVERIFY(iface && iface->editableTextInterface());
        QSignalSpy changed(&area, &TextArea::changed);
        // After the lone CR's stand-in: the CR stays a CR, the line end is the text's.
        iface->editableTextInterface()->insertText(2, QStringLiteral("x\ny"));
        QCOMPARE(area.text(), QStringLiteral("a\rx\r\nyb\r\nc"));
        QVERIFY(changed.count() > 0);
        QCOMPARE(area.textCursor().position(), 5);
        iface->editableTextInterface()->replaceText(0, 1, QStringLiteral("A"));
        QCOMPARE(area.text(), QStringLiteral("A\rx\r\nyb\r\nc"));
        iface->editableTextInterface()->deleteText(3, 100);
        QCOMPARE(area.text(), QStringLiteral("A\rx"));
        // A line end sent as CR LF is one line end; a lone CR stays one, as in a paste.
        iface->editableTextInterface()->insertText(3, QStringLiteral("p\r\nq"));
        QCOMPARE(area.text(), QStringLiteral("A\rxp\r\nq"));
        iface->editableTextInterface()->insertText(3, QStringLiteral("r\rs"));
        QCOMPARE(area.text(), QStringLiteral("A\rxr\rsp\r\nq"));
        QVERIFY(iface->state().editable);
    }

    void viewingModeRefusesEdits()
    {
        TextArea area;
        area.setText(QStringLiteral("keep\r\nthis"));
        area.setLocked(true);
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(&area);
        QVERIFY(iface && iface->editableTextInterface());
        QSignalSpy changed(&area, &TextArea::changed);
        iface->editableTextInterface()->insertText(0, QStringLiteral("x"));
        iface->editableTextInterface()->deleteText(0, 4);
        iface->editableTextInterface()->replaceText(0, 4, QStringLiteral("y"));
        iface->setText(QAccessible::Value, QStringLiteral("z"));
        QCOMPARE(area.text(), QStringLiteral("keep\r\nthis"));
        QCOMPARE(changed.count(), 0);
        QVERIFY(iface->state().readOnly);
        QVERIFY(!iface->state().editable);
    }
};

QTEST_MAIN(TestTextAreaAccessible)
#include "tst_textareaaccessible.moc"
