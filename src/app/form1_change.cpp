// The change handler of the text area: modified flag, undo snapshot, backup file and the
// enabling of the editing items, synchronously on every change.
#include "app/form1.h"
#include "app/textarea.h"
#include "document/backupformat.h"
#include "document/messages.h"
#include "platform/files.h"
#include "platform/messagebox.h"
#include "platform/process.h"

void Form1::Text1_Change()
{
    state.isModified = true;
    const QString text = Text1->text();
    state.undoTexts[state.undoSlot - 1] = text;
    state.undoSlot = state.undoSlot == 1 ? 2 : 1;
    state.backupPath = ownBackupPath();
    writeBackup(backupformat::write(text, state.documentForm));
    setItemsEnabled(kUndoItems, true);
    setItemsEnabled(kTextItems, !text.isEmpty());
}

void Form1::writeBackup(const QByteArray &bytes)
{
    // Not flushed to disk: the rename alone keeps the file whole, and this runs on every
    // keystroke.
    const platform::WriteResult result =
        platform::replaceFile(state.backupPath, bytes, platform::FileKind::Private, false);
    if (!result.ok && !m_backupWarned) {
        m_backupWarned = true;
        platform::MsgBox(this, messages::backupFailed(state.backupPath, result.message),
                         platform::Buttons::Ok, platform::Icon::Exclamation);
    }
}

void Form1::deleteOwnBackup()
{
    state.backupPath = ownBackupPath();
    platform::deleteFile(state.backupPath);
}
