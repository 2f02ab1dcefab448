// Caption rules of the main window.
#include "app/caption.h"

#include <QFileInfo>

namespace caption {

QString compose(const QString &namePart)
{
    return namePart + QStringLiteral(" - Vellit");
}

QString withViewingMarker(const QString &caption)
{
    return caption + QStringLiteral("\u3000[閲覧モード]");
}

QString forOpenedFile(const QString &path, bool fullPath)
{
    return compose(fullPath ? path : QFileInfo(path).fileName());
}

bool previewEnabled(const QString &documentPath)
{
    return documentPath.endsWith(QStringLiteral("html")) ||
           documentPath.endsWith(QStringLiteral("htm"));
}

} // namespace caption
