// The text area's scroll bars are drawn again only when they would look different: a
// keystroke on a long line sets their ranges and page steps again without moving a
// slider by a pixel.
#include "app/steadyscrollbar.h"
#include "app/textarea.h"

#include <QApplication>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTest>

#include <algorithm>

namespace {

// Counts the paint events a widget receives.
class PaintCount : public QObject
{
public:
    explicit PaintCount(QWidget *w) { w->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == QEvent::Paint)
            ++count;
        return false;
    }
};

// Everything the window was asked to draw is drawn: updates are posted events.
void drawPending()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

// Draws until a round draws nothing: one change can queue another (the area laid out
// again, a scroll).
void settle(QWidget *window)
{
    QList<PaintCount *> counts;
    for (QWidget *w : window->findChildren<QWidget *>())
        counts.append(new PaintCount(w));
    for (int round = 0; round < 10; ++round) {
        for (PaintCount *c : counts)
            c->count = 0;
        drawPending();
        if (std::all_of(counts.cbegin(), counts.cend(), [](auto *c) { return c->count == 0; }))
            break;
    }
    qDeleteAll(counts);
}

void type(QWidget *w, const QString &text)
{
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &press);
    }
}

} // namespace

class TestSteadyScrollBar : public QObject
{
    Q_OBJECT
private slots:
    void typingOnALongLineLeavesTheBarsAlone();
    void aBarIsDrawnWhenItsLookChanges();
    void theVerticalBarFollowsTheLines();
};

void TestSteadyScrollBar::typingOnALongLineLeavesTheBarsAlone()
{
    TextArea area;
    area.resize(480, 200);
    area.show();
    QVERIFY(QTest::qWaitForWindowExposed(&area));
    QString text;
    for (int i = 0; i < 200; ++i)
        text += QStringLiteral("line %1\r\n").arg(i);
    text += QString(6000, u'x');
    area.setText(text);
    area.setSelStart(int(text.size()) - 3000);
    settle(&area);
    PaintCount vertical(area.verticalScrollBar());
    PaintCount horizontal(area.horizontalScrollBar());
    PaintCount view(area.viewport());
    type(&area, QStringLiteral("abc"));
    drawPending();
    QVERIFY(view.count > 0);
    QCOMPARE(vertical.count, 0);
    QCOMPARE(horizontal.count, 0);
}

void TestSteadyScrollBar::aBarIsDrawnWhenItsLookChanges()
{
    SteadyScrollBar bar(Qt::Horizontal);
    bar.resize(400, 16);
    bar.setRange(0, 100000);
    bar.setPageStep(100);
    bar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bar));
    settle(&bar);
    PaintCount painted(&bar);
    // A longer range, a page step set again: the slider stays as it was.
    bar.setRange(0, 100010);
    bar.setPageStep(100);
    drawPending();
    QCOMPARE(painted.count, 0);
    // A range as long as a page: the slider fills half the bar.
    bar.setRange(0, 100);
    drawPending();
    QCOMPARE(painted.count, 1);
    bar.setPageStep(300);
    drawPending();
    QCOMPARE(painted.count, 2);
    bar.setValue(50);
    drawPending();
    QCOMPARE(painted.count, 3);
    // Back at the start, the arrow there is greyed out though the slider moved less
    // than a pixel.
    bar.setRange(0, 100000);
    bar.setValue(1);
    drawPending();
    const int drawn = painted.count;
    bar.setRange(1, 100000);
    drawPending();
    QCOMPARE(painted.count, drawn + 1);
}

void TestSteadyScrollBar::theVerticalBarFollowsTheLines()
{
    // Its range still reaches the bar though the area is no longer laid out again.
    TextArea area;
    area.resize(480, 200);
    area.show();
    QVERIFY(QTest::qWaitForWindowExposed(&area));
    area.setText(QStringLiteral("x"));
    settle(&area);
    PaintCount vertical(area.verticalScrollBar());
    area.setSelText(QString(QStringLiteral("\r\n")).repeated(200));
    drawPending();
    QCOMPARE(vertical.count, 1);
    QVERIFY(area.verticalScrollBar()->maximum() > 150);
}

QTEST_MAIN(TestSteadyScrollBar)
#include "tst_steadyscrollbar.moc"
