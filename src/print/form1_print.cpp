// Page set-up and printing from the file menu.
#include "app/form1.h"
#include "app/textarea.h"
#include "platform/messagebox.h"
#include "print/pdfname.h"
#include "print/printdocument.h"

#include <QDir>
#include <QFileInfo>
#include <QPrinter>

namespace {

constexpr int kSetUpFlags = platform::kPrintSetupFlag;
constexpr int kPrintFlags =
    platform::kNoSelectionFlag | platform::kDriverCopiesFlag | platform::kHidePrintToFileFlag;

// Printing refused before anything is printed: the text area's font is too large for a
// body line between the header and the footer of a page, or too small to measure.
QString printFontTooLarge(double points)
{
    return QStringLiteral("フォントが大きすぎるため印刷できません (%1 ポイント)。\r\n"
                          "本文の行がページのヘッダーとフッターの間に収まりません。"
                          "フォントを小さくするか、大きな用紙を選んでください。")
        .arg(points);
}

QString printFontTooSmall(double points)
{
    return QStringLiteral("フォントが小さすぎるため印刷できません (%1 ポイント)。\r\n"
                          "フォントを大きくしてください。")
        .arg(points);
}

} // namespace

void Form1::mnuPagestyle_Click()
{
    if (!CommonDialog1.printer().isValid()) {
        platform::MsgBox(this, QStringLiteral("プリンタの設定を開けませんでした。"),
                         platform::Buttons::Ok, platform::Icon::Exclamation);
        return;
    }
    CommonDialog1.CancelError = false;
    CommonDialog1.Flags = kSetUpFlags;
    CommonDialog1.ShowPrinter();
}

void Form1::mnuPrint_Click()
{
    CommonDialog1.CancelError = true;
    CommonDialog1.Flags = kPrintFlags;
    // Printing to a file proposes the document's name, unless the user chose a file.
    QPrinter &printer = CommonDialog1.printer();
    const QString proposal =
        pdfname::proposedFor(state.documentPath, state.isUntitled, QDir::homePath());
    printer.setDocName(QFileInfo(proposal).completeBaseName());
    if (printer.outputFileName().isEmpty() ||
        printer.outputFileName() == CommonDialog1.ProposedOutputFile) {
        // Only where printing goes to a file already (no printer is set up, or the user
        // chose a file before): a file name makes any printer a file.
        if (printer.outputFormat() == QPrinter::PdfFormat || printer.printerName().isEmpty())
            printer.setOutputFileName(proposal);
        CommonDialog1.ProposedOutputFile = proposal;
    }
    try {
        CommonDialog1.ShowPrinter();
    } catch (const platform::CancelError &) {
        return;
    }
    // The whole document always prints, whatever range was chosen.
    CommonDialog1.printer().setPrintRange(QPrinter::AllPages);
    CommonDialog1.printer().setPageRanges(QPageRanges());
    // Events run while printing: no second run may start meanwhile.
    const QStringList printItems = {QStringLiteral("mnuPrint"), QStringLiteral("mnuPagestyle")};
    setItemsEnabled(printItems, false);
    const Module1::PrintOutcome outcome = Module1::PrintDocument(*this);
    setItemsEnabled(printItems, true);
    // A failure of the printer itself ends the command silently; a font that does not
    // fit is said, since nothing came out.
    if (outcome == Module1::PrintOutcome::FontTooLarge)
        platform::MsgBox(this, printFontTooLarge(Text1->fontSize()), platform::Buttons::Ok,
                         platform::Icon::Exclamation);
    else if (outcome == Module1::PrintOutcome::FontTooSmall)
        platform::MsgBox(this, printFontTooSmall(Text1->fontSize()), platform::Buttons::Ok,
                         platform::Icon::Exclamation);
}
