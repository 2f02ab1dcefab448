// The crash-recovery file. While the document is a Shift-JIS file with CR LF line ends
// and the code page holds its whole text, the backup is that text as a Shift-JIS
// document. Otherwise it is UTF-16LE with a byte-order mark, a first line naming the
// document's form ("Vellit backup: encoding=EUC-JP; bom=0; eol=LF; final=1") and the
// text's code units as they are, so that every character, kept byte and form survives.
#pragma once

#include "document/documentformat.h"

#include <QByteArray>
#include <QString>

namespace backupformat {

/// The backup of text held in form.
QByteArray write(const QString &text, const documentformat::Form &form);

/// What a backup gives back: the text with one CR LF more than it had (every line of
/// the file followed by CR LF), and the form of the document it was written for.
struct Recovery
{
    QString text;
    documentformat::Form form;
};

Recovery read(const QByteArray &bytes);

} // namespace backupformat
