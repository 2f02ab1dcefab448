// The change handler of the text area: modified flag, undo snapshot, backup file and the
// enabling of the editing items, synchronously on every change.
#include "app/form1.h"
#include "app/recoverymessages.h"
#include "app/recoverysession.h"
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
    state.recordUndoSnapshot(text);
    writeBackup(backupformat::write(text, state.documentForm));
    setItemsEnabled(kUndoItems, true);
    setItemsEnabled(kTextItems, !text.isEmpty());
}

void Form1::writeBackup(const QByteArray &bytes)
{
    // A window whose load handler has not run has no recovery file yet.
    if (!m_recovery)
        return;
    const QString failure = m_recovery->write(bytes);
    if (!failure.isEmpty())
        platform::MsgBox(this, messages::backupFailed(state.backupPath, failure),
                         platform::Buttons::Ok, platform::Icon::Exclamation);
}

void Form1::deleteOwnBackup()
{
    if (m_recovery)
        m_recovery->end();
}
