// The file menu's document commands, the drop handler, the exit commands and the
// closing handler, with the save prompt.
#include "app/caption.h"
#include "app/form1.h"
#include "app/textarea.h"
#include "document/messages.h"
#include "platform/messagebox.h"
#include "platform/process.h"
#include "settings/form7.h"
#include "settings/module1.h"

#include <QCloseEvent>

int Form1::askToSave()
{
    return platform::MsgBox(this, messages::savePrompt(state.documentPath),
                            platform::Buttons::YesNoCancel, platform::Icon::Exclamation);
}

bool Form1::saveDocument()
{
    if (!state.isUntitled)
        return writeDocument(state.documentPath);
    try {
        return NewSave();
    } catch (const platform::CancelError &) {
        return false;
    }
}

bool Form1::confirmDiscard(bool cancelGoesOn)
{
    if (!state.isModified)
        return true;
    // Only an explicit No discards the changes; a box closed without an answer cancels.
    switch (askToSave()) {
    case platform::IdYes:
        return saveDocument();
    case platform::IdNo:
        return true;
    default:
        return cancelGoesOn;
    }
}

void Form1::mnuNew_Click()
{
    if (!confirmDiscard())
        return;
    state.isUntitled = true;
    state.documentPath = form7()->initialTitle();
    setDocumentForm(documentformat::Form());
    setCaption(caption::compose(state.documentPath));
    Text1->setText(QString());
    state.isModified = false;
}

void Form1::mnuOpen_Click()
{
    // Cancel in the prompt does not stop Open: the open dialog still comes.
    if (!confirmDiscard(true))
        return;
    load();
}

void Form1::mnuOpen2_Click()
{
    state.insertAtCaret = 1;
    load();
    state.insertAtCaret = 0;
}

void Form1::mnuSave_Click()
{
    if (saveDocument())
        state.isModified = false;
}

void Form1::mnuAllsave_Click()
{
    try {
        NewSave();
    } catch (const platform::CancelError &) {
    }
}

void Form1::Text1_OLEDragDrop(const QStringList &files)
{
    if (files.isEmpty() || !confirmDiscard())
        return;
    OpenDocument(files.constFirst());
}

void Form1::mnuHakiEnd_Click()
{
    deleteOwnBackup();
    endProgram();
}

void Form1::mnuHozonEnd_Click()
{
    if (!saveDocument())
        return;
    state.isModified = false;
    deleteOwnBackup();
    endProgram();
}

void Form1::mnuMEnd_Click()
{
    close();
}

void Form1::closeEvent(QCloseEvent *event)
{
    if (m_ending) {
        event->accept();
        return;
    }
    if (!confirmDiscard()) {
        event->ignore();
        return;
    }
    deleteOwnBackup();
    Module1::SaveSettings(*this, Module1::WindowGroup);
    event->accept();
    endProgram();
}

void Form1::endProgram()
{
    m_ending = true;
    hide();
    platform::endProgram();
}
