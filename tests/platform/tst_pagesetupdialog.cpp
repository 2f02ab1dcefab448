// ページ設定: the printer, paper and orientation chosen reach the printer object; a PDF
// file is always among the printers.
#include "platform/commondialog.h"
#include "platform/pagesetupdialog.h"

#include <QApplication>
#include <QComboBox>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

using namespace platform;

namespace {

QComboBox *combo(QWidget &dialog, const QString &accessibleName)
{
    for (QComboBox *child : dialog.findChildren<QComboBox *>()) {
        if (child->accessibleName() == accessibleName)
            return child;
    }
    return nullptr;
}

} // namespace

class TestPageSetupDialog : public QObject
{
    Q_OBJECT
private slots:
    void everyPrinterAndAPdfFileAreOffered()
    {
        QPrinter printer;
        PageSetupDialog dialog(printer);
        QComboBox *printers = combo(dialog, QStringLiteral("プリンター"));
        QVERIFY(printers);
        QStringList offered;
        for (int i = 0; i < printers->count(); ++i)
            offered.append(printers->itemText(i));
        QCOMPARE(offered, QPrinterInfo::availablePrinterNames() << PageSetupDialog::pdfEntry());
    }

    void choicesReachThePrinter()
    {
        QPrinter printer;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setPageSize(QPageSize(QPageSize::A4));
        PageSetupDialog dialog(printer);
        QComboBox *papers = combo(dialog, QStringLiteral("用紙"));
        QVERIFY(papers);
        QCOMPARE(papers->currentText(), QPageSize(QPageSize::A4).name());
        papers->setCurrentText(QPageSize(QPageSize::JisB5).name());
        dialog.findChildren<QRadioButton *>().at(1)->setChecked(true); // 横
        dialog.accept();
        QCOMPARE(printer.outputFormat(), QPrinter::PdfFormat);
        QVERIFY(printer.pageLayout().pageSize().isEquivalentTo(QPageSize(QPageSize::JisB5)));
        QCOMPARE(printer.pageLayout().orientation(), QPageLayout::Landscape);
    }

    void cancelChangesNothingAndTheCommonDialogShowsIt()
    {
        QWidget owner;
        CommonDialog common(&owner);
        common.printer().setOutputFormat(QPrinter::PdfFormat);
        common.printer().setPageSize(QPageSize(QPageSize::A4));
        common.Flags = kPrintSetupFlag;
        QTimer::singleShot(0, [] {
            auto *dialog = qobject_cast<PageSetupDialog *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            combo(*dialog, QStringLiteral("用紙"))->setCurrentText(QPageSize(QPageSize::A3).name());
            dialog->reject();
        });
        common.ShowPrinter();
        QVERIFY(common.printer().pageLayout().pageSize().isEquivalentTo(QPageSize(QPageSize::A4)));
    }
};

QTEST_MAIN(TestPageSetupDialog)
#include "tst_pagesetupdialog.moc"
