// Window caption composition and the browser-preview rule.
#pragma once

#include <QString>
#include <QStringView>

namespace caption {

/// The title of a document that has none: the initial title's default, and what the
/// printed header and the proposed PDF name say for an untitled document.
inline constexpr QStringView kUntitled = u"無題";

/// name + " - Vellit"
QString compose(const QString &namePart);

/// caption + U+3000 + "[閲覧モード]"
QString withViewingMarker(const QString &caption);

/// The caption right after a file replaced the document: the full path, or only the
/// file's name as the file system reports it.
QString forOpenedFile(const QString &path, bool fullPath);

/// Whether the preview command is enabled for a document path: it ends in "html" or
/// "htm", letter case counting.
bool previewEnabled(const QString &documentPath);

} // namespace caption
