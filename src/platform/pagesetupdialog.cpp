// ページ設定: printer, paper and orientation, on Qt's printer information.
#include "platform/pagesetupdialog.h"

#include "platform/okcancel.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRadioButton>
#include <QVBoxLayout>

namespace platform {
namespace {

// The papers a PDF file offers: the Japanese sizes first.
const QList<QPageSize::PageSizeId> kPdfPapers = {
    QPageSize::A4,    QPageSize::A3,       QPageSize::A5,     QPageSize::JisB4,
    QPageSize::JisB5, QPageSize::Postcard, QPageSize::Letter, QPageSize::Legal};

bool printsToPdf(const QPrinter &printer)
{
    return printer.outputFormat() == QPrinter::PdfFormat;
}

} // namespace

QString PageSetupDialog::pdfEntry()
{
    return QStringLiteral("PDF ファイル");
}

PageSetupDialog::PageSetupDialog(QPrinter &printer, QWidget *parent)
    : QDialog(parent), m_printer(printer), m_printers(new QComboBox), m_papers(new QComboBox),
      m_portrait(new QRadioButton(QStringLiteral("縦(&O)"))),
      m_landscape(new QRadioButton(QStringLiteral("横(&A)")))
{
    setWindowTitle(QStringLiteral("ページ設定"));
    m_printers->addItems(QPrinterInfo::availablePrinterNames());
    m_printers->addItem(pdfEntry());
    // A printer no longer installed gives way to the first one (or the PDF file).
    const int current =
        m_printers->findText(printsToPdf(printer) ? pdfEntry() : printer.printerName());
    m_printers->setCurrentIndex(std::max(current, 0));
    m_printers->setAccessibleName(QStringLiteral("プリンター"));
    m_papers->setAccessibleName(QStringLiteral("用紙"));

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("プリンター(&N):"), m_printers);
    form->addRow(QStringLiteral("用紙(&Z):"), m_papers);

    auto *orientation = new QGroupBox(QStringLiteral("印刷の向き"));
    auto *orientationLayout = new QHBoxLayout(orientation);
    orientationLayout->addWidget(m_portrait);
    orientationLayout->addWidget(m_landscape);
    const bool landscape = printer.pageLayout().orientation() == QPageLayout::Landscape;
    (landscape ? m_landscape : m_portrait)->setChecked(true);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(orientation);
    layout->addWidget(okCancelButtons(this));

    fillPaperSizes(printer.pageLayout().pageSize());
    connect(m_printers, &QComboBox::currentTextChanged, this,
            [this] { fillPaperSizes(m_papers->currentData().value<QPageSize>()); });
}

void PageSetupDialog::fillPaperSizes(const QPageSize &preferred)
{
    QList<QPageSize> sizes;
    if (m_printers->currentText() == pdfEntry()) {
        for (QPageSize::PageSizeId id : kPdfPapers)
            sizes.append(QPageSize(id));
    } else {
        sizes = QPrinterInfo::printerInfo(m_printers->currentText()).supportedPageSizes();
    }
    if (sizes.isEmpty())
        sizes.append(QPageSize(QPageSize::A4));
    m_papers->clear();
    int chosen = 0;
    for (const QPageSize &size : std::as_const(sizes)) {
        if (size.isEquivalentTo(preferred))
            chosen = m_papers->count();
        // Qt calls the Japanese postcard ポストカード; here it is はがき.
        m_papers->addItem(size.id() == QPageSize::Postcard ? QStringLiteral("はがき") : size.name(),
                          QVariant::fromValue(size));
    }
    m_papers->setCurrentIndex(chosen);
}

void PageSetupDialog::accept()
{
    if (m_printers->currentText() == pdfEntry()) {
        m_printer.setOutputFormat(QPrinter::PdfFormat);
    } else {
        m_printer.setOutputFormat(QPrinter::NativeFormat);
        m_printer.setPrinterName(m_printers->currentText());
    }
    m_printer.setPageSize(m_papers->currentData().value<QPageSize>());
    m_printer.setPageOrientation(m_landscape->isChecked() ? QPageLayout::Landscape
                                                          : QPageLayout::Portrait);
    QDialog::accept();
}

} // namespace platform
