// The OK and キャンセル buttons of the program's own dialogs.
#pragma once

class QDialog;
class QDialogButtonBox;

namespace platform {

/// OK accepts the dialog (through its accept(), which may refuse), キャンセル rejects it.
QDialogButtonBox *okCancelButtons(QDialog *dialog);

} // namespace platform
