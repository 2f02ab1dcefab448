// Qt's own dialogs speak Japanese under any locale, the texts Qt's catalogue misses
// included.
#include "platform/qttexts.h"

#include <QDialogButtonBox>
#include <QFileIconProvider>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

class TestQtTexts : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale::c());
        platform::installJapaneseQtTexts();
    }

    void buttonsFromTheCatalogue()
    {
        QDialogButtonBox box(QDialogButtonBox::Yes | QDialogButtonBox::No);
        QVERIFY(box.button(QDialogButtonBox::Yes)->text().contains(QStringLiteral("はい")));
        QVERIFY(box.button(QDialogButtonBox::No)->text().contains(QStringLiteral("いいえ")));
    }

    void fileDialogTypeOfAFolder()
    {
        QTemporaryDir dir;
        QCOMPARE(QFileIconProvider().type(QFileInfo(dir.path())), QStringLiteral("フォルダ"));
    }

    void printDialogPageRange()
    {
        QPrinter printer;
        QPrintDialog dialog(&printer);
        auto *pages = dialog.findChild<QRadioButton *>(QStringLiteral("pagesRadioButton"));
        QVERIFY(pages);
        QCOMPARE(pages->text(), QStringLiteral("ページ指定"));
    }
};

QTEST_MAIN(TestQtTexts)
#include "tst_qttexts.moc"
