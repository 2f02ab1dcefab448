// The change handler of the text area: modified flag, undo snapshot, backup file and the
// enabling of the editing items, synchronously on every change.
#include "app/form1.h"
#include "app/textarea.h"
#include "document/documentformat.h"
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
    state.backupPath = backupPathFor(platform::dataDir());
    writeBackup(text);
    setItemsEnabled(kUndoItems, true);
    setItemsEnabled(kTextItems, !text.isEmpty());
}

void Form1::writeBackup(const QString &text)
{
    // Not flushed to disk: the rename alone keeps the file whole, and this runs on every
    // keystroke.
    const platform::WriteResult result =
        platform::writeFileAtomically(state.backupPath, documentformat::write(text), false);
    if (!result.ok && !m_backupWarned) {
        m_backupWarned = true;
        platform::MsgBox(this, messages::backupFailed(state.backupPath, result.message),
                         platform::Buttons::Ok, platform::Icon::Exclamation);
    }
}

void Form1::deleteBackupUnlessSecond()
{
    if (m_secondInstance)
        return;
    state.backupPath = backupPathFor(platform::dataDir());
    platform::deleteFile(state.backupPath);
}
