// The texts of the About dialog.
#pragma once

#include <QString>

namespace about {

/// The product line; the version is the project's (CMakeLists.txt).
inline const QString kProductLine = QStringLiteral("Vellit\u3000ver" VELLIT_VERSION);
inline const QString kRights = QStringLiteral("Copyright © 2026 The Vellit developers");
inline const QString kWebAddress = QStringLiteral("https://vellit.example.org/");
inline const QString kMailAddress = QStringLiteral("vellit@example.org");

/// The author and contact block, lines joined by CR LF.
QString contactBlock();
/// The notice on copying and redistribution, lines joined by CR LF.
QString notice();
/// What アドレスコピー puts on the clipboard: the two addresses, CR LF between them.
QString addresses();

} // namespace about
