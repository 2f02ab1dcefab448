// Printing the document on the printer the print dialog chose.
#pragma once

class Form1;

namespace Module1 {

/// How a print run ended. A font that does not fit the page is found before anything
/// is sent to the printer (a PDF file keeps what it held).
enum class PrintOutcome { Printed, Failed, FontTooSmall, FontTooLarge };

/// Prints the whole document on the common dialog's printer, as many copies as were
/// asked for; on Failed the pages already drawn are discarded.
PrintOutcome PrintDocument(Form1 &form);

} // namespace Module1
