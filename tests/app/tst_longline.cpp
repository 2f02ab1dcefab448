// A long line: the text area draws only its part in view, and drops shaping while no
// character needs it. What it draws must be what the widget draws with every line whole.
#include "app/longline.h"
#include "app/textarea.h"

#include <QApplication>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QStyleHints>
#include <QTest>

namespace {

// The widget's own painting, every line drawn whole.
class WholeLines : public TextArea
{
protected:
    void paintEvent(QPaintEvent *e) override { QPlainTextEdit::paintEvent(e); }
};

struct Scene
{
    QString text;
    int caret = 0;
    int selected = 0;
    double scroll = 0; // part of the horizontal range
    QString preedit;
    bool marked = true; // a text marked apart from the selection, across the caret
};

void setScroll(TextArea &area, double scroll)
{
    QScrollBar *bar = area.horizontalScrollBar();
    bar->setValue(int(bar->maximum() * scroll));
}

void setUp(TextArea &area, const Scene &scene)
{
    area.resize(480, 160);
    area.show();
    area.setText(scene.text);
    area.setSelStart(scene.caret);
    area.setSelLength(scene.selected);
    if (!scene.preedit.isEmpty()) {
        QTextCharFormat underline;
        underline.setFontUnderline(true);
        const int length = int(scene.preedit.size());
        QInputMethodEvent compose(scene.preedit,
                                  {{QInputMethodEvent::TextFormat, 0, length, underline},
                                   {QInputMethodEvent::Cursor, length - 1, 1, {}}});
        QApplication::sendEvent(&area, &compose);
    }
    if (!scene.marked)
        return setScroll(area, scene.scroll);
    // A text marked apart from the selection, across the caret, as the text area marks a
    // selection that the input method composes over.
    QTextEdit::ExtraSelection marked;
    marked.cursor = area.textCursor();
    marked.cursor.setPosition(qMax(0, area.textCursor().position() - 5));
    marked.cursor.setPosition(area.textCursor().position() + 9, QTextCursor::KeepAnchor);
    marked.format.setBackground(Qt::yellow);
    area.setExtraSelections({marked});
    setScroll(area, scene.scroll);
}

// With the caret shown: the area is told it has the focus just before it is drawn, as
// the other window may have taken it.
QImage drawn(TextArea &area)
{
    QFocusEvent focus(QEvent::FocusIn);
    QApplication::sendEvent(&area, &focus);
    return area.viewport()->grab().toImage();
}

QString firstDifference(const QImage &a, const QImage &b)
{
    if (a.size() != b.size())
        return QStringLiteral("sizes differ");
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (a.pixel(x, y) != b.pixel(x, y))
                return QStringLiteral("first difference at %1,%2").arg(x).arg(y);
        }
    }
    return {};
}

QString longLine(const QString &piece, int characters)
{
    QString line;
    while (line.size() < characters)
        line += piece;
    return line;
}

} // namespace

Q_DECLARE_METATYPE(Scene)

class TestLongLine : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        // The caret is drawn steadily, so that both areas show it.
        QGuiApplication::styleHints()->setCursorFlashTime(0);
    }

    void drawsWhatTheWholeLineDraws_data()
    {
        QTest::addColumn<Scene>("scene");
        // Kana, kanji and ASCII in runs of different scripts, a tab, and a lone CR shown
        // as a coloured stand-in.
        const QString simple = longLine(QStringLiteral("abcあいう漢字\tx\ry "), 3000);
        // Combining marks and a variation sequence: this line is shaped.
        const QString marks = longLine(QStringLiteral("か\u3099e\u0301葛\U000E0100 w "), 3000);
        QTest::newRow("start") << Scene{simple, 3, 0, 0, {}};
        QTest::newRow("middle, selection past both edges") << Scene{simple, 1200, 600, 0.4, {}};
        QTest::newRow("end, caret at the end") << Scene{simple, int(simple.size()), 0, 1, {}};
        QTest::newRow("pre-edit in view")
            << Scene{simple, 1500, 0, 0.5, QStringLiteral("にほんご")};
        QTest::newRow("shaped marks") << Scene{marks, 1700, 40, 0.55, {}};
        QTest::newRow("caret at the line's start") << Scene{simple, 0, 0, 0, {}};
        QTest::newRow("a little scrolled") << Scene{simple, 120, 30, 0.03, {}};
        // An enclosing circle that the text area's face lacks, far out of view: the
        // fallback face makes the whole line taller than the part in view. The caret takes
        // the height of the character before it, and at the line's start the line's own; a
        // selection is marked over the whole line's height.
        const QString taller = simple + QStringLiteral("a\u20DD");
        QTest::newRow("taller line, caret at its start") << Scene{taller, 0, 0, 0, {}, false};
        QTest::newRow("taller line, caret after a character") << Scene{taller, 3, 0, 0, {}, false};
        QTest::newRow("taller line, selection and marked text") << Scene{taller, 1200, 40, 0.4, {}};
        // Ordered across the whole line: drawn whole. The Phoenician letter lies beyond
        // the Basic Multilingual Plane.
        const QString rightToLeft = longLine(QStringLiteral("abc \u05D0\u05D1\u05D2 123 "), 3000);
        const QString phoenician = longLine(QStringLiteral("abc \U00010900\U00010901 "), 3000);
        QTest::newRow("right to left") << Scene{rightToLeft, 1500, 30, 0.5, {}};
        QTest::newRow("right to left beyond the BMP") << Scene{phoenician, 1500, 30, 0.5, {}};
        // Selected from near the end of the long line into the next: the selection is
        // drawn past the line's end as far as the widget marks a line break.
        const QString around =
            QStringLiteral("first\r\n") + simple + QStringLiteral("\r\nlast\r\nmore");
        QTest::newRow("selection past the line's end")
            << Scene{around, int(7 + simple.size() - 20), 30, 1, {}};
        QTest::newRow("short lines around")
            << Scene{QStringLiteral("first\r\n") + simple + QStringLiteral("\r\nlast\r\nmore"),
                     900,
                     0,
                     0.3,
                     {}};
        // Scenes drawn at random from pieces that meet at the edges of the view in every
        // way: runs of scripts, wide and narrow, tabs, stand-ins, combining marks (which
        // keep the line shaped) and spaces; a fixed seed, so that a failure comes back.
        const QStringList pieces = {
            QStringLiteral("a"),        QStringLiteral("Wj"),     QStringLiteral("あ"),
            QStringLiteral("漢字"),     QStringLiteral("\t"),     QStringLiteral("\r"),
            QStringLiteral(" "),        QStringLiteral("ｱｲ"),     QStringLiteral("ー"),
            QStringLiteral("か\u3099"), QStringLiteral("e\u0301")};
        const QStringList preedits = {QString(), QStringLiteral("にほん"), QStringLiteral("x")};
        QRandomGenerator random(20261209);
        for (int n = 0; n < 16; ++n) {
            QString line;
            const int length = random.bounded(1200, 4000);
            // Half the scenes have no marks: they are laid out unshaped.
            const int kinds = int(pieces.size()) - (n % 2 ? 0 : 2);
            while (line.size() < length)
                line += pieces.at(random.bounded(kinds));
            const int caret = random.bounded(int(line.size()));
            const int selected = random.bounded(200);
            QTest::addRow("random %d", n)
                << Scene{line, caret, selected, random.bounded(1.0),
                         preedits.at(random.bounded(int(preedits.size())))};
        }
    }

    void drawsWhatTheWholeLineDraws()
    {
        QFETCH(Scene, scene);
        TextArea inView;
        WholeLines whole;
        setUp(inView, scene);
        setUp(whole, scene);
        QVERIFY(QTest::qWaitForWindowExposed(&inView));
        QVERIFY(QTest::qWaitForWindowExposed(&whole));
        QVERIFY(inView.horizontalScrollBar()->maximum() > 0);
        const QImage expected = drawn(whole);
        const QImage actual = drawn(inView);
        const QString difference = firstDifference(actual, expected);
        if (!difference.isEmpty()) {
            actual.save(QDir::temp().filePath(QStringLiteral("longline-actual-%1.png")
                                                  .arg(QTest::currentDataTag())
                                                  .replace(u' ', u'-')));
            expected.save(QDir::temp().filePath(QStringLiteral("longline-expected-%1.png")
                                                    .arg(QTest::currentDataTag())
                                                    .replace(u' ', u'-')));
        }
        QVERIFY2(difference.isEmpty(), qPrintable(difference));
    }

    void shapingIsDroppedOnlyForTextThatNeedsNone_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("needs");
        QTest::newRow("ASCII, tab, CR LF") << QStringLiteral("abc\tdef\r\n") << false;
        QTest::newRow("kana, kanji, punctuation")
            << QStringLiteral("ひらがなカタカナ漢字、。「」ー") << false;
        QTest::newRow("full and half width") << QStringLiteral("ＡＢＣ１２３ｱｲｳﾞ") << false;
        QTest::newRow("Greek and Cyrillic") << QStringLiteral("αβγ абв") << false;
        QTest::newRow("combining sound mark") << QStringLiteral("か\u3099") << true;
        QTest::newRow("combining accent") << QStringLiteral("e\u0301") << true;
        QTest::newRow("variation selector") << QStringLiteral("葛\U000E0100") << true;
        QTest::newRow("emoji") << QStringLiteral("\U0001F600") << true;
        QTest::newRow("zero width joiner") << QStringLiteral("a\u200Db") << true;
        QTest::newRow("Arabic") << QStringLiteral("\u0627\u0644") << true;
        QTest::newRow("Arabic semicolon, of no one script") << QStringLiteral("a\u061B") << true;
        QTest::newRow("Devanagari") << QStringLiteral("\u0915\u093F") << true;
        QTest::newRow("Hangul jamo") << QStringLiteral("\u1100\u1161") << true;
    }

    void shapingIsDroppedOnlyForTextThatNeedsNone()
    {
        QFETCH(QString, text);
        QFETCH(bool, needs);
        QCOMPARE(longline::needsShaping(text), needs);
    }

    void everyRightToLeftCharacterNeedsShaping()
    {
        // A line drawn unshaped is then known to hold none, and is not looked through for
        // them on every keystroke.
        int rightToLeft = 0;
        for (char32_t u = 0; u <= QChar::LastValidCodePoint; ++u) {
            if (QChar::isSurrogate(u))
                continue;
            const QString character = QString::fromUcs4(&u, 1);
            if (longline::hasRightToLeft(character)) {
                ++rightToLeft;
                QVERIFY2(longline::needsShaping(character), qPrintable(QString::number(u, 16)));
            }
        }
        QVERIFY(longline::hasRightToLeft(QStringLiteral("abc \u05D0")));
        QVERIFY(longline::hasRightToLeft(QStringLiteral("\u202Eabc")));
        QVERIFY(!longline::hasRightToLeft(QStringLiteral("abc あいう 123")));
        QVERIFY(rightToLeft > 1000);
    }

    void longLinesAreFoundBetweenLineBreaks()
    {
        const QString almost(longline::kLongLine - 1, u'x');
        QVERIFY(!longline::hasLongLine(almost));
        QVERIFY(longline::hasLongLine(almost + u'x'));
        QVERIFY(!longline::hasLongLine(almost + QStringLiteral("\r\n") + almost));
        QVERIFY(longline::hasLongLine(almost + QStringLiteral("\r\nab\r\n") + almost + u'y'));
        // A lone CR or LF is inside the line.
        QVERIFY(longline::hasLongLine(almost + QStringLiteral("\n")));
    }

    void shapingFollowsWhatIsTyped()
    {
        TextArea area;
        area.show();
        const auto unshaped = [&area] {
            return bool(area.font().styleStrategy() & QFont::PreferNoShaping);
        };
        const QString line = longLine(QStringLiteral("abcあいう"), longline::kLongLine);
        area.setText(line);
        QVERIFY(unshaped());
        // A combining mark typed brings shaping back.
        area.setSelStart(10);
        area.setSelText(QStringLiteral("\u3099"));
        QVERIFY(!unshaped());
        area.setText(QStringLiteral("short"));
        QVERIFY(!unshaped());
        // A short line that grows long drops it.
        area.setSelStart(5);
        area.setSelText(line);
        QVERIFY(unshaped());
        // So does a pre-edit that needs it.
        QInputMethodEvent compose(QStringLiteral("e\u0301"), {});
        QApplication::sendEvent(&area, &compose);
        QVERIFY(!unshaped());
        // Text that needs shaping, opened with a long line, keeps it.
        area.setText(line + QStringLiteral("\U0001F600"));
        QVERIFY(!unshaped());
    }
};

QTEST_MAIN(TestLongLine)
#include "tst_longline.moc"
