// The About dialog, the help command and the break window.
#include "support/fixture.h"

#include "app/appicon.h"
#include "dialogs/breakmotion.h"
#include "dialogs/form5.h"
#include "dialogs/form6.h"
#include "platform/clipboard.h"
#include "platform/helpviewer.h"

#include <QClipboard>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

#include <limits>

namespace {

struct RecordingViewer : platform::HelpViewer
{
    RecordingViewer() { platform::setHelpViewer(this); }
    ~RecordingViewer() override { platform::setHelpViewer(nullptr); }
    void show(QWidget *o, const QString &file, int c) override
    {
        owner = o;
        helpFile = file;
        context = c;
    }
    QWidget *owner = nullptr;
    QString helpFile;
    int context = 0;
};

// Heights from a list, and how many were drawn.
struct ScriptedHeights
{
    QList<int> heights;
    int drawn = 0;
    breakmotion::HeightDraw draw()
    {
        return [this] { return heights.at(drawn++ % heights.size()); };
    }
};

} // namespace

class TestAccessories : public QObject
{
    Q_OBJECT
private slots:
    void iconIsDrawnAtTheScreensPixelRatio()
    {
        // On a screen scaled 2× the 32-pixel icon has 64 real pixels, not 32 blown up.
        for (const qreal ratio : {1.0, 1.5, 2.0}) {
            const QPixmap icon = appicon::pixmap(32, ratio);
            QCOMPARE(icon.size(), QSize(qRound(32 * ratio), qRound(32 * ratio)));
            QCOMPARE(icon.devicePixelRatio(), ratio);
            QCOMPARE(icon.deviceIndependentSize(), QSizeF(32, 32));
            QVERIFY(icon.toImage().pixelColor(qRound(16 * ratio), qRound(16 * ratio)).alpha() > 0);
        }
        QVERIFY(appicon::icon().availableSizes().contains(QSize(48, 48)));
    }

    void aboutDialogLayoutAndTexts()
    {
        Fixture f;
        Form1 &w = f.start();
        w.show();
        for (int opening = 0; opening < 2; ++opening) {
            QString caption;
            QFont font;
            QString product;
            QSize size;
            QTimer::singleShot(0, [&] {
                auto *dialog = qobject_cast<Form5 *>(QApplication::activeModalWidget());
                QVERIFY(dialog);
                caption = dialog->windowTitle();
                font = dialog->Label1->font();
                product = dialog->Label1->text();
                size = dialog->size();
                QVERIFY(!dialog->Command1->isDefault() && !dialog->Command2->isDefault());
                QVERIFY(!dialog->Picture1->pixmap().isNull());
                QCOMPARE(dialog->Picture1->pixmap().size(), QSize(32, 32));
                dialog->Command2->click();
            });
            w.mnuBazyon_Click();
            QCOMPARE(caption, QStringLiteral("Vellit\u3000のバージョン情報"));
            QCOMPARE(product, QStringLiteral("Vellit\u3000ver2.0"));
            QVERIFY(font.bold());
            QCOMPARE(font.pointSize(), 15);
            QCOMPARE(size, QSize(463, 256)); // 6945 × 3840 twips
        }
    }

    void addressCopyAsksFirst()
    {
        Fixture f;
        Form5 dialog(nullptr);
        platform::setClipboardText(QStringLiteral("keep"));
        f.boxes.answers.enqueue(platform::IdNo);
        dialog.Command1->click();
        QCOMPARE(f.boxes.shown.at(0).text, QStringLiteral("アドレスをコピーしますか？"));
        QCOMPARE(f.boxes.shown.at(0).buttons, platform::Buttons::YesNo);
        QCOMPARE(f.boxes.shown.at(0).icon, platform::Icon::Question);
        QCOMPARE(platform::getClipboardText(), QStringLiteral("keep"));
        f.boxes.answers.enqueue(platform::IdYes);
        dialog.Command1->click();
        QCOMPARE(platform::getClipboardText(),
                 QStringLiteral("https://vellit.example.org/\r\nvellit@example.org"));
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 QStringLiteral("https://vellit.example.org/\nvellit@example.org"));
    }

    void helpOpensTheFileBesideTheProgramAtTopicOne()
    {
        Fixture f;
        RecordingViewer viewer;
        Form1 &w = f.start();
        w.mnuHelp2_Click();
        QCOMPARE(viewer.helpFile, f.dir.path() + QStringLiteral("/QUILLA.HLP"));
        QVERIFY(!viewer.helpFile.contains(QStringLiteral("//")));
        QCOMPARE(viewer.context, 1);
        QCOMPARE(viewer.owner, static_cast<QWidget *>(&w));
    }

    void realViewerShowsTheManualOrSaysItIsMissing()
    {
        Fixture f;
        Form1 &w = f.start();
        w.mnuHelp2_Click(); // no help file beside the program
        auto *browser = w.findChild<QTextBrowser *>(QStringLiteral("HelpBrowser"));
        QVERIFY(browser);
        QVERIFY(browser->toPlainText().contains(QStringLiteral("を開けませんでした")));
        QVERIFY(QFile::copy(HELP_FILE, f.path("QUILLA.HLP")));
        w.mnuHelp2_Click();
        QCOMPARE(w.findChildren<QTextBrowser *>().size(), 1); // the same window again
        QVERIFY(browser->toPlainText().contains(QStringLiteral("異常終了からの復元")));
        QCOMPARE(browser->window()->windowTitle(), QStringLiteral("Vellit ヘルプ"));
    }

    void breakMotion()
    {
        ScriptedHeights heights{{6899, 0, 3450}};
        breakmotion::Position p = breakmotion::start(heights.draw());
        QCOMPARE(p.left, -500);
        QCOMPARE(p.top, 6899);
        int ticks = 0;
        int lowest = std::numeric_limits<int>::max();
        int highest = std::numeric_limits<int>::min();
        // One pass: from -500 until the tick that finds 9655 and re-enters.
        do {
            p = breakmotion::tick(p, heights.draw());
            ++ticks;
            lowest = qMin(lowest, p.left);
            highest = qMax(highest, p.left);
            QVERIFY(p.left != -500);
        } while (p.left != -485 || ticks == 1);
        QCOMPARE(ticks, 677 + 1);
        QCOMPARE(lowest, -485);
        QCOMPARE(highest, 9655);
        QCOMPARE(p.top, 0);
        QCOMPARE(heights.drawn, 2);
    }

    void breakWindow()
    {
        Fixture f;
        Form6 window(nullptr);
        QCOMPARE(window.windowTitle(), QStringLiteral("息抜き・・・"));
        QCOMPARE(window.size(), QSize(636, 472));
        QCOMPARE(window.Timer1->interval(), 100);
        QVERIFY(window.Timer1->isActive());
        QCOMPARE(window.position().left, -500);
        QVERIFY(window.position().top >= 0 && window.position().top < 6900);
        window.Timer1_Timer();
        QCOMPARE(window.position().left, -485);
        QCOMPARE(window.Image1->x(), -485 / 15);
        // A larger window does not move the exit limit.
        window.resize(2000, 1200);
        for (int i = 0; i < 677; ++i)
            window.Timer1_Timer();
        QCOMPARE(window.position().left, -485);
        QVERIFY(!window.findChild<QLabel *>("Image1")->pixmap().isNull());
    }
};

QTEST_MAIN(TestAccessories)
#include "tst_accessories.moc"
