// ページ設定: the printer, the paper and the orientation later printing uses. Every
// installed printer is offered, and a PDF file, which is always there.
#pragma once

#include <QDialog>
#include <QPageSize>

class QComboBox;
class QPrinter;
class QRadioButton;

namespace platform {

class PageSetupDialog : public QDialog
{
    Q_OBJECT
public:
    /// Presets the choices from printer.
    PageSetupDialog(QPrinter &printer, QWidget *parent = nullptr);

    /// Applies the choices to the printer, then closes.
    void accept() override;

    /// The entry that stands for printing to a PDF file.
    static QString pdfEntry();

private:
    void fillPaperSizes(const QPageSize &preferred);

    QPrinter &m_printer;
    QComboBox *m_printers;
    QComboBox *m_papers;
    QRadioButton *m_portrait;
    QRadioButton *m_landscape;
};

} // namespace platform
