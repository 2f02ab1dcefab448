// The file a print to PDF proposes: the document's name with .pdf, in its folder.
#pragma once

#include <QString>

namespace pdfname {

/// documentPath is the document's file, or its title while it is untitled; an untitled
/// document's PDF goes to homeDir.
QString proposedFor(const QString &documentPath, bool untitled, const QString &homeDir);

} // namespace pdfname
