// The four settings groups against real Conf.ini files, the dialogs that hold them, and
// the registered-text inserts.
#include "support/fixture.h"

#include "platform/codepage.h"
#include "platform/colors.h"
#include "settings/form4.h"
#include "settings/form7.h"
#include "settings/module1.h"

#include <QAccessible>
#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

// Presses a button of the modal dialog that opens next.
void pressInNextDialog(const QString &button, std::function<void(QWidget *)> edit = {})
{
    QTimer::singleShot(0, [button, edit] {
        QWidget *dialog = QApplication::activeModalWidget();
        QVERIFY(dialog);
        if (edit)
            edit(dialog);
        if (button == "close")
            dialog->close();
        else
            dialog->findChild<QPushButton *>(button)->click();
    });
}

} // namespace

class TestSettings : public QObject
{
    Q_OBJECT
private slots:
    void screenReadersHearWhatEachBoxHolds()
    {
        // Through Qt's accessibility interface, the tree AT-SPI hands to screen readers.
        Fixture f;
        Form1 &w = f.start();
        const auto nameOf = [](QWidget *widget) {
            QAccessibleInterface *a = QAccessible::queryAccessibleInterface(widget);
            return a ? a->text(QAccessible::Name) : QString();
        };
        QCOMPARE(nameOf(w.Text1), QStringLiteral("本文"));
        for (int n = 1; n <= 5; ++n)
            QCOMPARE(nameOf(w.form4()->textBox(n)), QStringLiteral("登録文字%1").arg(n));
        QCOMPARE(nameOf(w.form7()->Text1), QStringLiteral("初期題名"));
    }

    void firstRunDefaults()
    {
        Fixture f;
        Form1 &w = f.start();
        QCOMPARE(w.Text1->fontSize(), 11.0);
        QVERIFY(!w.Text1->fontBold());
        QVERIFY(!w.Text1->fontItalic());
        // The first face is a Japanese fixed-pitch one: a kana takes two Latin columns
        // (at a size where the em is a whole number of pixels, so nothing is rounded).
        QFont face = w.Text1->font();
        face.setPixelSize(32);
        const QFontMetrics metrics(face);
        QCOMPARE(metrics.horizontalAdvance(QStringLiteral("あ")),
                 2 * metrics.horizontalAdvance(QLatin1Char('a')));
        QCOMPARE(metrics.horizontalAdvance(QStringLiteral("漢字")),
                 4 * metrics.horizontalAdvance(QLatin1Char('W')));
        QCOMPARE(w.Text1->backColor(), platform::kSystemWindowBackground);
        QCOMPARE(w.Text1->foreColor(), platform::kSystemWindowText);
        QCOMPARE(w.windowTitle(), QStringLiteral("無題 - Vellit"));
        QCOMPARE(w.form7()->Text1->text(), QStringLiteral("無題"));
        QCOMPARE(w.CommonDialog1.FileName, QStringLiteral("無題"));
        QVERIFY(!f.exists("Conf.ini"));
    }

    void fontGroupBothWays()
    {
        Fixture f;
        f.write("Conf.ini", "[Font]\r\nFsize=10.5\r\nFbold=true\r\nFitalic=1\r\nFName=IPAGothic\r\n"
                            "bgcolor=0\r\ntextcolor=255\r\n");
        Form1 &w = f.start();
        QCOMPARE(w.Text1->fontSize(), 10.5);
        QVERIFY(w.Text1->fontBold());
        QVERIFY(w.Text1->fontItalic());
        QCOMPARE(w.Text1->fontName(), QStringLiteral("IPAGothic"));
        QCOMPARE(w.Text1->backColor(), 0);
        QCOMPARE(w.Text1->palette().color(QPalette::Base), QColor(Qt::black));
        QCOMPARE(w.Text1->palette().color(QPalette::Text), QColor(Qt::red));
        w.Text1->setFontFace(w.Text1->fontName(), 10.5, false, w.Text1->fontItalic());
        w.Text1->setBackColor(platform::kSystemWindowBackground);
        QFile::remove(f.path("Conf.ini"));
        Module1::SaveSettings(w, 1);
        QCOMPARE(f.read("Conf.ini"), QByteArray("[Font]\r\nFsize=10.5\r\nFbold=False\r\n"
                                                "Fitalic=True\r\nFName=IPAGothic\r\n"
                                                "bgcolor=-2147483643\r\ntextcolor=255\r\n"));
    }

    void fontSizeReadsAsWritten_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<double>("size");
        QTest::newRow("half size") << QByteArray("10.5") << 10.5;
        QTest::newRow("whole") << QByteArray("12") << 12.0;
        QTest::newRow("leading digits") << QByteArray("14pt") << 14.0;
        QTest::newRow("leading digits before a point") << QByteArray("9.5pt") << 9.0;
        QTest::newRow("negative") << QByteArray("-3") << 11.0;
        QTest::newRow("empty") << QByteArray("") << 11.0;
    }

    void fontSizeReadsAsWritten()
    {
        QFETCH(QByteArray, stored);
        QFETCH(double, size);
        Fixture f;
        f.write("Conf.ini", "[Font]\r\nFsize=" + stored + "\r\n");
        QCOMPARE(f.start().Text1->fontSize(), size);
    }

    void badValuesUseDefaults()
    {
        Fixture f;
        f.write("Conf.ini", "[Font]\r\nFsize=0\r\nFbold=maybe\r\n[Option]\r\nCheck1=2\r\n"
                            "Check2=-1\r\nFileName=\r\n");
        Form1 &w = f.start();
        QCOMPARE(w.Text1->fontSize(), 11.0);
        QVERIFY(!w.Text1->fontBold());
        QVERIFY(!w.form7()->Check1->isChecked());
        QVERIFY(!w.form7()->Check2->isChecked());
        // A stored empty title stays empty.
        QCOMPARE(w.windowTitle(), QStringLiteral(" - Vellit"));
    }

    void registeredTextsLoadIntoMenusAndDialog()
    {
        Fixture f;
        const QString longText = QString(128, QChar(u'字'));
        f.write("Conf.ini", "[Text]\r\nt1=  padded  \r\nt2=\"quoted\"\r\nt3=A&B\r\nt5=" +
                                platform::toAnsi(longText) + "\r\n");
        Form1 &w = f.start();
        QCOMPARE(w.item("mnuTouMozi1")->text(), QStringLiteral("padded"));
        QCOMPARE(w.item("mnupopTouMozi2")->text(), QStringLiteral("quoted"));
        QCOMPARE(w.item("mnuTouMozi3")->text(), QStringLiteral("A&B"));
        QCOMPARE(w.item("mnuTouMozi4")->text(), QString());
        QCOMPARE(w.item("mnuTouMozi5")->text(), QString(127, QChar(u'字')));
        // The dialog is made when it is opened, and then reads the texts itself.
        QVERIFY(!w.findChild<Form4 *>());
        QCOMPARE(w.form4()->Text3->text(), QStringLiteral("A&B"));
    }

    void registeredInsertReplacesSelection()
    {
        Fixture f;
        f.write("Conf.ini", "[Text]\r\nt1=A&B\r\nt2=\r\n");
        Form1 &w = f.start();
        w.Text1->setText(QStringLiteral("xyz"));
        w.Text1->setSelStart(1);
        w.Text1->setSelLength(1);
        w.item("mnuTouMozi1")->trigger();
        QCOMPARE(w.Text1->text(), QStringLiteral("xA&Bz"));
        QCOMPARE(w.Text1->selStart(), 4);
        // From the context menu, in viewing mode.
        w.Text1->setLocked(true);
        w.item("mnupopTouMozi1")->trigger();
        QCOMPARE(w.Text1->text(), QStringLiteral("xA&BA&Bz"));
        // An empty text deletes the selection.
        w.Text1->setSelStart(0);
        w.Text1->setSelLength(1);
        w.item("mnuTouMozi2")->trigger();
        QCOMPARE(w.Text1->text(), QStringLiteral("A&BA&Bz"));
        QVERIFY(w.state.isModified);
    }

    void registeredDialogOkSavesAllFive()
    {
        Fixture f;
        Form1 &w = f.start();
        w.show();
        pressInNextDialog("Command1", [](QWidget *d) {
            d->findChild<QLineEdit *>("Text2")->setText(QStringLiteral("こんにちは"));
        });
        w.mnuTouMoziConfing_Click();
        QVERIFY(!w.findChild<Form4 *>());
        QCOMPARE(f.read("Conf.ini"),
                 "[Text]\r\nt1=\r\nt2=" + platform::toAnsi(QStringLiteral("こんにちは")) +
                     "\r\nt3=\r\nt4=\r\nt5=\r\n");
        QCOMPARE(w.item("mnuTouMozi2")->text(), QStringLiteral("こんにちは"));
        QCOMPARE(w.item("mnupopTouMozi2")->text(), QStringLiteral("こんにちは"));
    }

    void registeredTextStoredOtherwiseIsAnnounced()
    {
        // Conf.ini is Shift-JIS: ¥1,000 comes back as \1,000, and the user is told so.
        Fixture f;
        Form1 &w = f.start();
        w.show();
        pressInNextDialog("Command1", [](QWidget *d) {
            d->findChild<QLineEdit *>("Text1")->setText(QStringLiteral("¥1,000"));
            d->findChild<QLineEdit *>("Text3")->setText(QStringLiteral("そのまま"));
        });
        w.mnuTouMoziConfing_Click();
        QCOMPARE(f.boxes.shown.size(), 1);
        QVERIFY(f.boxes.shown.at(0).text.contains(QStringLiteral("登録文字1")));
        QVERIFY(f.boxes.shown.at(0).text.contains(QStringLiteral("「\\1,000」")));
        QVERIFY(f.read("Conf.ini").contains("t1=\\1,000\r\n"));
    }

    void registeredDialogCancelAndCloseLoseEdits()
    {
        Fixture f;
        Form1 &w = f.start();
        w.show();
        for (const char *how : {"Command2", "close"}) {
            pressInNextDialog(how, [](QWidget *d) {
                d->findChild<QLineEdit *>("Text1")->setText(QStringLiteral("edit"));
            });
            w.mnuTouMoziConfing_Click();
            QVERIFY(!w.findChild<Form4 *>());
            QCOMPARE(w.item("mnuTouMozi1")->text(), QString());
            QVERIFY(!f.exists("Conf.ini"));
            QCOMPARE(w.form4()->Text1->text(), QString());
        }
    }

    void pastedPassagesKeepOneSectionOfEachName()
    {
        // A passage pasted into a one-line box keeps its first line only, so Conf.ini
        // never gets a line of the user's text as a section or a key.
        Fixture f;
        Form1 &w = f.start();
        w.show();
        QApplication::clipboard()->setText(
            QStringLiteral("一行目\r\n[Option]\r\nCheck2=1\n[Text]"));
        pressInNextDialog("Command1", [](QWidget *d) {
            auto *box = d->findChild<QLineEdit *>("Text1");
            box->setText(QStringLiteral("前後"));
            box->setCursorPosition(1);
            box->paste();
        });
        w.mnuTouMoziConfing_Click();
        QCOMPARE(w.item("mnuTouMozi1")->text(), QStringLiteral("前一行目後"));
        pressInNextDialog("Command1", [](QWidget *d) {
            auto *box = d->findChild<QLineEdit *>("Text1");
            box->clear();
            box->paste();
        });
        w.mnuOption_Click();
        QCOMPARE(w.form7()->Text1->text(), QStringLiteral("一行目"));

        f.window.reset();
        Form1 &again = f.start();
        const QString conf = platform::fromAnsi(f.read("Conf.ini"));
        QCOMPARE(conf.count(QStringLiteral("[Option]")), 1);
        QCOMPARE(conf.count(QStringLiteral("[Text]")), 1);
        QVERIFY(!again.form7()->Check2->isChecked());
        QCOMPARE(again.item("mnuTouMozi1")->text(), QStringLiteral("前一行目後"));
    }

    void enterPressesTheFocusedButtonOnly()
    {
        Fixture f;
        Form1 &w = f.start();
        w.show();
        bool stayedOpen = false;
        QTimer::singleShot(0, [&] {
            QWidget *dialog = QApplication::activeModalWidget();
            auto *box = dialog->findChild<QLineEdit *>("Text2");
            box->setFocus();
            box->setText(QStringLiteral("登録"));
            // Enter in a text box presses nothing: there is no default button.
            QTest::keyClick(box, Qt::Key_Return);
            stayedOpen = dialog->isVisible();
            auto *ok = dialog->findChild<QPushButton *>("Command1");
            ok->setFocus();
            QTest::keyClick(ok, Qt::Key_Return);
        });
        w.mnuTouMoziConfing_Click();
        QVERIFY(stayedOpen);
        QCOMPARE(w.item("mnuTouMozi2")->text(), QStringLiteral("登録"));
    }

    void labelsKeepTheirPlaceBesideTheirBoxes()
    {
        Fixture f;
        Form1 &w = f.start();
        w.show();
        QRect label;
        QRect box;
        QFont dialogFont;
        QTimer::singleShot(0, [&] {
            QWidget *dialog = QApplication::activeModalWidget();
            label = dialog->findChild<QLabel *>("Label1")->geometry();
            dialogFont = dialog->findChild<QLabel *>("Label1")->font();
            box = dialog->findChild<QLineEdit *>("Text1")->geometry();
            dialog->findChild<QPushButton *>("Command2")->click();
        });
        w.mnuOption_Click();
        // "初期題名：" is not widened into its text box.
        QVERIFY2(label.right() <= box.left(),
                 qPrintable(QStringLiteral("%1 %2").arg(label.right()).arg(box.left())));
    }

    void optionsDialogExistenceRule()
    {
        Fixture f;
        f.write("Conf.ini", platform::toAnsi(QStringLiteral(
                                "[Option]\r\nFileName=題名\r\nCheck1=0\r\nCheck2=1\r\n")));
        Form1 &w = f.start();
        QVERIFY(w.findChild<Form7 *>());
        QVERIFY(!w.form7()->isVisible());
        w.show();
        // OK writes all three keys, even unchanged.
        f.write("Conf.ini", QByteArray());
        pressInNextDialog("Command1");
        w.mnuOption_Click();
        QVERIFY(!w.findChild<Form7 *>());
        QCOMPARE(f.read("Conf.ini"),
                 "[Option]\r\nFileName=" + platform::toAnsi(QStringLiteral("題名")) +
                     "\r\nCheck1=0\r\nCheck2=1\r\n");
        // Reading an option re-creates the dialog hidden from the file.
        QVERIFY(w.form7()->Check2->isChecked());
        QVERIFY(w.findChild<Form7 *>());
        // Cancel re-reads the group and resets the common dialog's file name.
        w.CommonDialog1.FileName = QStringLiteral("/some/opened.txt");
        pressInNextDialog("Command2", [](QWidget *d) {
            d->findChild<QLineEdit *>("Text1")->setText(QStringLiteral("changed"));
        });
        w.mnuOption_Click();
        QCOMPARE(w.CommonDialog1.FileName, QStringLiteral("題名"));
        QCOMPARE(w.form7()->Text1->text(), QStringLiteral("題名"));
        // The close box loses the edits without touching the file.
        const QByteArray before = f.read("Conf.ini");
        pressInNextDialog(
            "close", [](QWidget *d) { d->findChild<QCheckBox *>("Check1")->setChecked(true); });
        w.mnuOption_Click();
        QCOMPARE(f.read("Conf.ini"), before);
        QVERIFY(!w.form7()->Check1->isChecked());
    }

    void windowGroupOnlyWithCheck1()
    {
        Fixture f;
        f.write("Conf.ini", "[Option]\r\nCheck1=0\r\nWindowX=1500\r\nWindowY=1500\r\n"
                            "WindowW=6000\r\nWindowH=4500\r\n");
        {
            Form1 &w = f.start();
            QVERIFY(w.frameGeometry().width() != 400);
        }
        f.write("Conf.ini", "[Option]\r\nCheck1=1\r\nWindowX=1500\r\nWindowY=1500\r\n"
                            "WindowW=6000\r\nWindowH=4500\r\n");
        Form1 &w = f.start();
        QCOMPARE(w.frameGeometry(), QRect(100, 100, 400, 300));
        // Closing saves group 4, whether or not it is restored.
        w.close();
        const QByteArray saved = f.read("Conf.ini");
        QVERIFY(saved.contains("WindowX=1500\r\nWindowY=1500\r\nWindowW=6000\r\nWindowH=4500\r\n"));
    }

    void unusableGeometryIsKeptUsable()
    {
        Fixture f;
        f.write("Conf.ini", "[Option]\r\nCheck1=1\r\n");
        Form1 &w = f.start();
        QVERIFY(w.frameGeometry().width() >= 240);
        QVERIFY(w.frameGeometry().height() >= 160);
        f.write("Conf.ini", "[Option]\r\nCheck1=1\r\nWindowX=-9000000\r\nWindowY=-9000000\r\n"
                            "WindowW=6000\r\nWindowH=4500\r\n");
        Form1 &w2 = f.start();
        QVERIFY(w2.screen()->availableGeometry().intersects(w2.frameGeometry()));
        QCOMPARE(w2.frameGeometry().size(), QSize(400, 300));
    }

    void otherGroupNumbersDoNothing()
    {
        Fixture f;
        Form1 &w = f.start();
        Module1::SaveSettings(w, 0);
        Module1::SaveSettings(w, 5);
        QVERIFY(!f.exists("Conf.ini"));
        w.Text1->setFontFace(w.Text1->fontName(), 20, false, false);
        Module1::LoadSettings(w, -1);
        QCOMPARE(w.Text1->fontSize(), 20.0);
    }

    void longValuesComeBackCut()
    {
        Fixture f;
        Form1 &w = f.start();
        const QString longTitle = QString(200, QChar(u'長'));
        w.form7()->Text1->setText(longTitle);
        Module1::SaveSettings(w, 3);
        QVERIFY(f.read("Conf.ini").contains(platform::toAnsi(longTitle)));
        Module1::LoadSettings(w, 3);
        QCOMPARE(w.form7()->Text1->text(), QString(127, QChar(u'長')));
    }
};

QTEST_MAIN(TestSettings)
#include "tst_settings.moc"
