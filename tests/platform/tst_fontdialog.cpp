// The font dialog: sizes with one decimal, every style for every face, the preset given
// back unchanged by an OK, a sample that follows the choice.
#include "../support/scriptedboxes.h"
#include "platform/commondialog.h"
#include "platform/fontdialog.h"
#include "platform/fontnames.h"
#include "platform/fontsizes.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

using namespace platform;

namespace {

template <typename T> T *named(QWidget &dialog, const QString &accessibleName)
{
    for (T *child : dialog.findChildren<T *>()) {
        if (child->accessibleName() == accessibleName)
            return child;
    }
    return nullptr;
}

QStringList itemsOf(QListWidget *list)
{
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items.append(list->item(i)->text());
    return items;
}

QFont font(const QString &family, double size, bool bold, bool italic)
{
    QFont f(family);
    f.setPointSizeF(size);
    f.setBold(bold);
    f.setItalic(italic);
    return f;
}

} // namespace

class TestFontDialog : public QObject
{
    Q_OBJECT
private slots:
    void typedSizes()
    {
        QCOMPARE(fontsizes::parse("10.5"), 10.5);
        QCOMPARE(fontsizes::parse(QStringLiteral("１０．５")), 10.5);
        QCOMPARE(fontsizes::parse("10,5"), 10.5);
        QCOMPARE(fontsizes::parse(" 12 "), 12.0);
        QCOMPARE(fontsizes::parse("10.55"), 10.6);
        QCOMPARE(fontsizes::parse("1638"), 1638.0);
        for (const char *refused : {"", "0.5", "1639", "abc", "1.2.3", "-3", ".5", "5.", "1e2"})
            QVERIFY2(!fontsizes::parse(refused), refused);
        QCOMPARE(fontsizes::shown(10.5), QStringLiteral("10.5"));
        QCOMPARE(fontsizes::shown(10), QStringLiteral("10"));
        QVERIFY(fontsizes::listed().contains(10.5));
    }

    void presetComesBackFromAnUnchangedOk()
    {
        for (const QFont &preset :
             {font("IPAGothic", 10.5, true, false), font("IPAMincho", 12, false, true),
              font(QStringLiteral("ＭＳ ゴシック"), 9, true, true),
              font("monospace", 11, false, false)}) {
            FontDialog dialog(preset);
            const QFont chosen = dialog.chosenFont();
            QCOMPARE(chosen.family(), preset.family());
            QCOMPARE(chosen.pointSizeF(), preset.pointSizeF());
            QCOMPARE(chosen.bold(), preset.bold());
            QCOMPARE(chosen.italic(), preset.italic());
        }
    }

    void everyFaceOffersBoldAndItalic()
    {
        FontDialog dialog(font("IPAGothic", 11, false, false));
        auto *styles = named<QListWidget>(dialog, QStringLiteral("スタイルの一覧"));
        QVERIFY(styles);
        QCOMPARE(itemsOf(styles), QStringList({"標準", "斜体", "太字", "太字 斜体"}));
        styles->setCurrentRow(2);
        QVERIFY(dialog.chosenFont().bold());
        QVERIFY(!dialog.chosenFont().italic());
        auto *sample = named<QLabel>(dialog, QStringLiteral("サンプル"));
        QVERIFY(sample);
        QVERIFY(sample->font().bold());
        QVERIFY(!sample->text().isEmpty());
    }

    void typedSizeIsTakenWithItsDecimal()
    {
        FontDialog dialog(font("IPAGothic", 11, false, false));
        auto *size = named<QLineEdit>(dialog, QStringLiteral("サイズ"));
        auto *sizes = named<QListWidget>(dialog, QStringLiteral("サイズの一覧"));
        QVERIFY(size && sizes);
        QVERIFY(itemsOf(sizes).contains("10.5"));
        size->selectAll();
        QTest::keyClicks(size, "10.5");
        QCOMPARE(dialog.chosenFont().pointSizeF(), 10.5);
        QCOMPARE(sizes->currentItem()->text(), QStringLiteral("10.5"));
        auto *sample = named<QLabel>(dialog, QStringLiteral("サンプル"));
        QCOMPARE(sample->font().pointSizeF(), 10.5);
    }

    void faceTypedInAnotherCaseTakesTheInstalledSpelling()
    {
        FontDialog dialog(font("IPAGothic", 11, false, false));
        auto *face = named<QLineEdit>(dialog, QStringLiteral("フォント名"));
        face->setText("ipamincho");
        QCOMPARE(dialog.chosenFont().family(), QStringLiteral("IPAMincho"));
    }

    void facesListedOncePerFamilyJapaneseFirst()
    {
        const QList<ListedFace> faces =
            listedFaces({"DejaVu Sans", "IPAGothic", "Nimbus Sans [UKWN]", "Nimbus Sans [urw]",
                         "Noto Sans CJK JP", "Noto Sans CJK KR", "Noto Sans CJK SC"},
                        {"IPAGothic", "Noto Sans CJK JP", "Noto Sans CJK KR", "Noto Sans CJK SC"},
                        {{"IPAGothic", "IPAゴシック"}});
        QStringList shown;
        for (const ListedFace &face : faces)
            shown.append(face.shown);
        QCOMPARE(shown, QStringList({"IPAゴシック", "Noto Sans CJK JP", "DejaVu Sans",
                                     "Nimbus Sans", "Noto Sans CJK KR", "Noto Sans CJK SC"}));
        QCOMPARE(faces.at(0).family, QStringLiteral("IPAGothic"));
    }

    void japaneseFacesShownByTheirJapaneseNames()
    {
        // The IPA fonts are installed with the program's build dependencies.
        QCOMPARE(japaneseFamilyNames().value("IPAGothic"), QStringLiteral("IPAゴシック"));
        FontDialog dialog(font("IPAGothic", 11, false, false));
        auto *faces = named<QListWidget>(dialog, QStringLiteral("フォント名の一覧"));
        const QStringList items = itemsOf(faces);
        QVERIFY(items.contains(QStringLiteral("IPAゴシック")));
        QVERIFY(items.indexOf(QStringLiteral("IPAゴシック")) <
                items.indexOf(QStringLiteral("DejaVu Sans")));
        QCOMPARE(items.filter(QRegularExpression(QStringLiteral("\\[.*\\]$"))), QStringList());
        // The stored family selects its Japanese entry; choosing an entry gives the family.
        QCOMPARE(faces->currentItem()->text(), QStringLiteral("IPAゴシック"));
        faces->setCurrentItem(faces->findItems(QStringLiteral("IPA明朝"), Qt::MatchExactly).at(0));
        QCOMPARE(dialog.chosenFont().family(), QStringLiteral("IPAMincho"));
    }

    void okRefusesASizeItCannotRead()
    {
        ScriptedBoxes boxes;
        FontDialog dialog(font("IPAGothic", 11, false, false));
        named<QLineEdit>(dialog, QStringLiteral("サイズ"))->setText("abc");
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(boxes.shown.size(), 1);
        QVERIFY(boxes.shown.at(0).text.contains(QStringLiteral("サイズ")));
        named<QLineEdit>(dialog, QStringLiteral("サイズ"))->setText("10.5");
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }

    void commonDialogShowsItAndKeepsAnUnchangedFont()
    {
        QWidget owner;
        CommonDialog common(&owner);
        common.CancelError = true;
        common.FontName = "IPAGothic";
        common.FontSize = 10.5;
        common.FontBold = true;
        common.FontItalic = false;
        QTimer::singleShot(0, [] {
            auto *dialog = qobject_cast<FontDialog *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            dialog->accept();
        });
        common.ShowFont();
        QCOMPARE(common.FontName, QStringLiteral("IPAGothic"));
        QCOMPARE(common.FontSize, 10.5);
        QVERIFY(common.FontBold);
        QVERIFY(!common.FontItalic);
    }
};

QTEST_MAIN(TestFontDialog)
#include "tst_fontdialog.moc"
