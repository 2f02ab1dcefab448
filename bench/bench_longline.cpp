// A keystroke's layout in a line of 42 700 characters where ASCII and kana alternate every
// three characters (the one-line document of keytopixel.sh): the text area's own, as a
// keystroke runs it, against the same text laid out without a document, and against one
// piece of 256 characters, which is what a view laying out a long line in reused pieces
// would lay out again.
#include "app/textarea.h"

#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

namespace {

QString oneLine()
{
    QString text;
    while (text.size() < 42700)
        text += QStringLiteral("abcあいう");
    return text;
}

// What the text area's document does with a changed line: laid out whole, unshaped.
qreal layOut(const QString &text, const QFont &font)
{
    QTextLayout layout(text, font);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setLineWidth(INT_MAX);
    layout.endLayout();
    return line.naturalTextWidth();
}

} // namespace

class BenchLongLine : public QObject
{
    Q_OBJECT

private slots:
    void keystrokeInTheTextArea()
    {
        TextArea area;
        area.setText(oneLine());
        area.resize(800, 400);
        area.show();
        QVERIFY(QTest::qWaitForWindowExposed(&area));
        QTextCursor cursor(area.document());
        // Each round types a letter and takes it back, as keytopixel.sh does: two
        // layouts of the line, with the caret placed after each.
        QBENCHMARK
        {
            cursor.insertText(QStringLiteral("a"));
            area.cursorRect(cursor);
            cursor.deletePreviousChar();
            area.cursorRect(cursor);
        }
        QCOMPARE(area.document()->firstBlock().length() - 1, oneLine().size());
    }

    void sameLineWithoutADocument()
    {
        QFont font = TextArea().font();
        font.setStyleStrategy(QFont::PreferNoShaping);
        const QString text = oneLine();
        qreal width = 0;
        QBENCHMARK
        {
            width = layOut(text, font);
        }
        QVERIFY(width > 0);
    }

    void onePieceOfTheLine()
    {
        QFont font = TextArea().font();
        font.setStyleStrategy(QFont::PreferNoShaping);
        const QString piece = oneLine().left(256);
        qreal width = 0;
        QBENCHMARK
        {
            width = layOut(piece, font);
        }
        QVERIFY(width > 0);
    }
};

QTEST_MAIN(BenchLongLine)
#include "bench_longline.moc"
