// The file a print to PDF proposes.
#include "print/pdfname.h"

#include "app/caption.h"
#include "platform/process.h"

#include <QFileInfo>

namespace pdfname {

QString proposedFor(const QString &documentPath, bool untitled, const QString &homeDir)
{
    if (untitled) {
        // A title may hold anything a file name cannot.
        QString name = documentPath.trimmed();
        name.replace(u'/', u'_');
        return platform::pathIn(homeDir, (name.isEmpty() ? caption::kUntitled.toString() : name) +
                                             QStringLiteral(".pdf"));
    }
    const QFileInfo file(documentPath);
    return platform::pathIn(file.absolutePath(), file.completeBaseName() + QStringLiteral(".pdf"));
}

} // namespace pdfname
