// Font, colours and always-on-top through the main window's commands.
#include "support/fixture.h"

#include "platform/colors.h"

#include <QAction>
#include <QTest>

class TestAppearance : public QObject
{
    Q_OBJECT
    static const QByteArray kSaved;

private slots:
    void cancelChangesNothing()
    {
        Fixture f;
        f.write("Conf.ini", kSaved);
        Form1 &w = f.start();
        const QFont before = w.Text1->font();
        w.mnuFont_Click();
        w.mnuFontcolor_Click();
        w.mnuBackcolor_Click();
        QCOMPARE(w.Text1->font(), before);
        QCOMPARE(w.Text1->foreColor(), 255);
        QCOMPARE(f.read("Conf.ini"), kSaved);
        // Each dialog was preset with what the text area holds.
        QCOMPARE(f.dialogs.presetFonts.at(0).family(), QStringLiteral("IPAGothic"));
        QCOMPARE(f.dialogs.presetFonts.at(0).pointSizeF(), 12.0);
        QVERIFY(f.dialogs.presetFonts.at(0).bold());
        QCOMPARE(f.dialogs.presetColors.at(0), QColor(Qt::red));
        QCOMPARE(f.dialogs.presetColors.at(1), QColor(Qt::black));
    }

    void okAppliesAndSavesTheWholeFontGroup()
    {
        Fixture f;
        f.write("Conf.ini", kSaved);
        Form1 &w = f.start();
        QFont chosen(QStringLiteral("IPAMincho"));
        chosen.setPointSizeF(10.5);
        chosen.setItalic(true);
        chosen.setUnderline(true); // not offered, and never copied
        f.dialogs.fonts.enqueue(chosen);
        w.mnuFont_Click();
        QCOMPARE(w.Text1->fontName(), QStringLiteral("IPAMincho"));
        QCOMPARE(w.Text1->fontSize(), 10.5);
        QVERIFY(!w.Text1->fontBold());
        QVERIFY(w.Text1->fontItalic());
        QVERIFY(!w.Text1->font().underline());
        QCOMPARE(f.read("Conf.ini"), QByteArray("[Font]\r\nFsize=10.5\r\nFbold=False\r\n"
                                                "Fitalic=True\r\nFName=IPAMincho\r\n"
                                                "bgcolor=0\r\ntextcolor=255\r\n"));
        // A colour change rewrites the font keys too, with the values in use.
        f.dialogs.colors.enqueue(QColor(0x10, 0x20, 0x30));
        w.mnuBackcolor_Click();
        QCOMPARE(w.Text1->palette().color(QPalette::Base), QColor(0x10, 0x20, 0x30));
        QCOMPARE(f.read("Conf.ini"), QByteArray("[Font]\r\nFsize=10.5\r\nFbold=False\r\n"
                                                "Fitalic=True\r\nFName=IPAMincho\r\n"
                                                "bgcolor=3153936\r\ntextcolor=255\r\n"));
        // 10.5, the usual Japanese body size, comes back as 10.5 after a restart.
        f.window.reset();
        QCOMPARE(f.start().Text1->fontSize(), 10.5);
    }

    void systemColourIsPresetAsShown()
    {
        Fixture f;
        Form1 &w = f.start();
        QCOMPARE(w.Text1->backColor(), platform::kSystemWindowBackground);
        w.mnuBackcolor_Click();
        QCOMPARE(f.dialogs.presetColors.at(0),
                 platform::colorFromValue(platform::kSystemWindowBackground));
        QVERIFY(f.dialogs.presetColors.at(0).isValid());
    }

    void alwaysOnTopTogglesBothMarksAndIsNotKept()
    {
        Fixture f;
        Form1 &w = f.start();
        w.show();
        const QRect before = w.geometry();
        w.mnuShowM_Click();
        QVERIFY(w.item("mnuShowM")->isChecked());
        QVERIFY(w.item("mnupopShowM")->isChecked());
        w.mnuShowM_Click();
        QVERIFY(!w.item("mnuShowM")->isChecked());
        QVERIFY(!w.item("mnupopShowM")->isChecked());
        QCOMPARE(w.geometry(), before);
        w.mnuShowM_Click();
        QVERIFY(!f.exists("Conf.ini") || !f.read("Conf.ini").contains("ShowM"));
        f.window.reset();
        Form1 &again = f.start();
        QVERIFY(!again.item("mnuShowM")->isChecked());
        QVERIFY(!again.item("mnupopShowM")->isChecked());
    }
};

const QByteArray TestAppearance::kSaved =
    "[Font]\r\nFsize=12\r\nFbold=True\r\nFitalic=False\r\nFName=IPAGothic\r\nbgcolor=0\r\n"
    "textcolor=255\r\n";

QTEST_MAIN(TestAppearance)
#include "tst_appearance.moc"
