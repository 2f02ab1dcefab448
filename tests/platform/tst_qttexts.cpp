// Qt's own dialogs speak Japanese under any locale, the texts Qt's catalogue misses
// included.
#include "platform/qttexts.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileIconProvider>
#include <QGroupBox>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Every text a dialog shows with a Latin-script word in it, other than the names that
// stay as they are (paper sizes, units, the PDF format, file names).
QStringList latinTexts(const QWidget &dialog)
{
    QStringList texts;
    for (const auto *label : dialog.findChildren<QLabel *>())
        texts.append(label->text());
    for (const auto *button : dialog.findChildren<QAbstractButton *>())
        texts.append(button->text());
    for (const auto *group : dialog.findChildren<QGroupBox *>())
        texts.append(group->title());
    for (const auto *tabs : dialog.findChildren<QTabWidget *>()) {
        for (int i = 0; i < tabs->count(); ++i)
            texts.append(tabs->tabText(i));
    }
    static const QRegularExpression word(QStringLiteral("[A-Za-z]{2,}"));
    static const QRegularExpression kept(
        QStringLiteral("\\b(PDF|A[0-9]|B[0-9]|mm|cm|in|pt|Letter|Legal|Executive|Tabloid|"
                       "Ledger|Folio|DLE|C5E|Comm10E|Custom)\\b"));
    QStringList latin;
    for (QString text : texts) {
        text.remove(kept);
        text.remove(QRegularExpression(QStringLiteral("&[A-Za-z]"))); // access keys
        if (text.contains(word))
            latin.append(text);
    }
    return latin;
}

} // namespace

class TestQtTexts : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale::c());
        platform::installJapaneseQtTexts();
    }

    void formattingIsJapaneseWhateverTheSession()
    {
        QCOMPARE(QLocale().language(), QLocale::Japanese);
        QVERIFY(QLocale().toString(QDate(2026, 12, 8), QLocale::LongFormat).contains(u'年'));
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

    void printDialogHasNoEnglish()
    {
        QPrinter printer;
        QPrintDialog dialog(&printer);
        const QStringList latin = latinTexts(dialog);
        QVERIFY2(latin.isEmpty(), qPrintable(latin.join(QStringLiteral(" | "))));
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
