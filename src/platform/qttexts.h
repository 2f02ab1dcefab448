// Qt's own texts (message-box buttons, the file and print dialogs) in Japanese, whatever
// the session's locale: Qt's Japanese catalogue, and the few texts it leaves in English.
#pragma once

namespace platform {

/// Installs the catalogues on the application (they live as long as the program) and
/// makes Japanese the default locale of Qt's own formatting.
void installJapaneseQtTexts();

} // namespace platform
