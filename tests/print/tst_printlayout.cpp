// The page layout against the printing rules, with fixed-width measures, and against a
// literal transcription of the character-by-character scan on random texts.
#include "print/printlayout.h"

#include <QRandomGenerator>
#include <QTest>

#include <cmath>

using namespace printlayout;

namespace {

// 2 mm a character, 4 mm a text line: line height 5, 55 lines on 277 mm, right edge
// 180, so 85 characters fit between the margins.
Measures fixedMeasures(double height = 277, double textHeight = 4)
{
    Measures m;
    m.printableWidth = 190;
    m.printableHeight = height;
    m.textHeight = textHeight;
    m.width = [](QStringView s) { return 2.0 * s.size(); };
    return m;
}

QStringList bodyTexts(const Layout &l)
{
    QStringList out;
    for (const Placed &p : l.body)
        out.append(p.text);
    return out;
}

// The rules as written: every prefix measured, the first CR LF looked for afresh.
QList<Placed> literalBody(const QString &text, const Measures &m, int lineHeight, int linesPerPage,
                          int rightEdge)
{
    QList<Placed> out;
    QString rest = text;
    double y = 4.0 * lineHeight;
    int page = 1;
    auto print = [&](const QString &line) {
        y += 0.25 * lineHeight;
        out.append({page, 10, y, line});
        y += m.textHeight;
    };
    while (!rest.isEmpty()) {
        if (y > double(linesPerPage - 4) * lineHeight) {
            ++page;
            y = 4.0 * lineHeight;
        }
        bool printed = false;
        for (qsizetype i = 1; i <= rest.size() && !printed; ++i) {
            if (rest.indexOf(QStringLiteral("\r\n")) == i - 1) {
                print(rest.left(i - 1));
                rest.remove(0, i + 1);
                printed = true;
            } else if (10 + m.width(rest.left(i)) > rightEdge) {
                print(rest.left(i - 1));
                rest.remove(0, i - 1);
                printed = true;
            }
        }
        if (!printed) {
            print(rest);
            rest.clear();
        }
    }
    return out;
}

} // namespace

class TestPrintLayout : public QObject
{
    Q_OBJECT
private slots:
    void emptyDocumentIsOnePageWithItsFrame()
    {
        const Layout l = layOut(QString(), QString(), fixedMeasures());
        QCOMPARE(l.fit, Fit::Fits);
        QCOMPARE(l.lineHeight, 5);
        QCOMPARE(l.linesPerPage, 55);
        QCOMPARE(l.rightEdge, 180);
        QCOMPARE(l.pages, 1);
        QVERIFY(l.body.isEmpty());
        QCOMPARE(l.frames.size(), 3);
        QCOMPARE(l.frames.at(0).text, QStringLiteral("無題"));
        QCOMPARE(l.frames.at(0).y, 5.0);
        QCOMPARE(l.frames.at(1).text, QStringLiteral("1ページ"));
        QCOMPARE(l.frames.at(1).y, 270.0);
        QCOMPARE(l.frames.at(2).text, QStringLiteral("Vellit"));
        QCOMPARE(l.frames.at(2).x, 168.0); // ends at the right margin
    }

    void lineBreaks()
    {
        QCOMPARE(bodyTexts(layOut("abc\r\n", "h", fixedMeasures())), QStringList({"abc"}));
        const Layout l = layOut("a\r\n\r\nb", "h", fixedMeasures());
        QCOMPARE(bodyTexts(l), QStringList({"a", "", "b"}));
        // Each line is a text line plus a quarter line height below the last.
        QCOMPARE(l.body.at(0).y, 21.25);
        QCOMPARE(l.body.at(1).y, 21.25 + 5.25);
        QCOMPARE(l.body.at(2).y, 21.25 + 10.5);
        // A lone CR or LF is an ordinary character.
        QCOMPARE(bodyTexts(layOut("a\rb\nc", "h", fixedMeasures())), QStringList({"a\rb\nc"}));
    }

    void wrapAtTheRightMargin()
    {
        const QString full(85, u'x');
        QCOMPARE(bodyTexts(layOut(full, "h", fixedMeasures())), QStringList({full}));
        QCOMPARE(bodyTexts(layOut(full + u'y', "h", fixedMeasures())),
                 QStringList({full, QStringLiteral("y")}));
        // Short lines after a long one all start at the left margin.
        const Layout l = layOut(QString(200, u'x') + "\r\na\r\nb", "h", fixedMeasures());
        QCOMPARE(bodyTexts(l), QStringList({full, full, QString(30, u'x'), "a", "b"}));
        for (const Placed &p : l.body)
            QCOMPARE(p.x, 10.0);
    }

    void noLineEndsInsideACharacter()
    {
        // 85 code units fit: the 85th would be the first half of 𠮷, or か without its
        // sound mark; the whole character goes to the next line.
        const QString full(84, u'x');
        QCOMPARE(bodyTexts(layOut(full + QStringLiteral("𠮷野家"), "h", fixedMeasures())),
                 QStringList({full, QStringLiteral("𠮷野家")}));
        QCOMPARE(bodyTexts(layOut(full + QStringLiteral("か\u3099き"), "h", fixedMeasures())),
                 QStringList({full, QStringLiteral("か\u3099き")}));
    }

    void pagesAndTheirNumbers()
    {
        // The body from y = 20 at a pitch of 5.25 until y passes 51 × 5: 45 lines a page.
        QStringList lines;
        for (int i = 0; i < 45 * 11 + 1; ++i)
            lines.append(QString::number(i));
        const Layout l = layOut(lines.join("\r\n"), QString(100, u'H'), fixedMeasures());
        QCOMPARE(l.pages, 12);
        QCOMPARE(l.body.at(44).page, 1);
        QCOMPARE(l.body.at(45).page, 2);
        QCOMPARE(l.body.at(45).y, 21.25);
        QCOMPARE(l.frames.at(3 * 11 + 1).text, QStringLiteral("12ページ"));
        // The header is neither wrapped nor cut.
        QCOMPARE(l.frames.at(3 * 11).text, QString(100, u'H'));
    }

    void largeFontsPutEachLineOnAPageOfItsOwn()
    {
        // 7 lines a page: page 1 has only its frame; 8: page 1 holds the first line.
        const Layout seven = layOut("a\r\nb", "h", fixedMeasures(35));
        QCOMPARE(seven.linesPerPage, 7);
        QCOMPARE(seven.body.at(0).page, 2);
        QCOMPARE(seven.body.at(1).page, 3);
        const Layout eight = layOut("a\r\nb\r\nc", "h", fixedMeasures(40));
        QCOMPARE(eight.linesPerPage, 8);
        QCOMPARE(eight.body.at(0).page, 1);
        QCOMPARE(eight.body.at(1).page, 2);
        QCOMPARE(eight.body.at(2).page, 3);
    }

    void unprintableMeasuresPrintNothing()
    {
        QCOMPARE(layOut("a", "h", fixedMeasures(277, 0.3)).fit, Fit::FontTooSmall); // height 0
        QCOMPARE(layOut("a", "h", fixedMeasures(25)).fit, Fit::FontTooLarge); // 5 lines a page
        // 6 lines a page: a body line at 4.25 line heights would reach the footer at 5.
        const Layout six = layOut("a", "h", fixedMeasures(30));
        QCOMPARE(six.fit, Fit::FontTooLarge);
        QVERIFY(six.body.isEmpty() && six.frames.isEmpty());
        // 7: every line on a page of its own, ending above the footer.
        const Layout seven = layOut("a\r\nb", "h", fixedMeasures(35));
        QCOMPARE(seven.fit, Fit::Fits);
        for (const Placed &line : seven.body)
            QVERIFY(line.y + 4 <= 6 * seven.lineHeight);
    }

    void aCharacterWiderThanTheMarginsPrintsAlone()
    {
        Measures m = fixedMeasures();
        m.width = [](QStringView s) {
            double w = 0;
            for (QChar c : s)
                w += c == u'W' ? 500 : 2;
            return w;
        };
        QCOMPARE(bodyTexts(layOut("abWcd", "h", m)), QStringList({"ab", "W", "cd"}));
        // Ending its line, it takes the line break along: no empty line after it.
        QCOMPARE(bodyTexts(layOut("abW\r\ncd", "h", m)), QStringList({"ab", "W", "cd"}));
        m.width = [](QStringView s) { return 500.0 * s.size(); };
        QCOMPARE(bodyTexts(layOut("ab\r\nc", "h", m)), QStringList({"a", "b", "c"}));
        QCOMPARE(bodyTexts(layOut("a\r\n\r\nb", "h", m)), QStringList({"a", "", "b"}));
    }

    void sameLinesAsTheLiteralScan()
    {
        Measures m = fixedMeasures(120);
        m.width = [](QStringView s) {
            double w = 0;
            for (QChar c : s)
                w += c == u'i' ? 1 : c.unicode() >= 0x3000 ? 4 : 2.5;
            return w;
        };
        QRandomGenerator random(11);
        const QStringList pieces = {"i", "a", "漢", "\r\n", "\r", "\n", " "};
        for (int round = 0; round < 60; ++round) {
            QString text;
            const int n = random.bounded(400);
            for (int i = 0; i < n; ++i)
                text += pieces.at(random.bounded(pieces.size()));
            const Layout l = layOut(text, "h", m);
            const QList<Placed> literal =
                literalBody(text, m, l.lineHeight, l.linesPerPage, l.rightEdge);
            QCOMPARE(l.body.size(), literal.size());
            for (qsizetype i = 0; i < literal.size(); ++i) {
                QCOMPARE(l.body.at(i).text, literal.at(i).text);
                QCOMPARE(l.body.at(i).page, literal.at(i).page);
                QCOMPARE(l.body.at(i).y, literal.at(i).y);
            }
        }
    }
};

QTEST_APPLESS_MAIN(TestPrintLayout)
#include "tst_printlayout.moc"
