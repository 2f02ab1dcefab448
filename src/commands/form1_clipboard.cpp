// Undo and the clipboard commands of the edit menu.
#include "app/form1.h"
#include "app/textarea.h"
#include "commands/textcommands.h"
#include "platform/clipboard.h"
#include "platform/messagebox.h"

#include <QCoreApplication>

void Form1::mnuBack_Click()
{
    const int caret = Text1->selStart();
    Text1->setText(state.textBeforeLastChange());
    Text1->setSelStart(caret);
}

void Form1::mnuKiru_Click()
{
    if (Text1->selLength() <= 0)
        return;
    platform::setClipboardText(Text1->selText());
    Text1->setSelText(QString());
}

void Form1::mnuCopy_Click()
{
    if (Text1->selLength() > 0)
        platform::setClipboardText(Text1->selText());
}

void Form1::mnuKiru2_Click()
{
    if (Text1->selLength() <= 0)
        return;
    platform::setClipboardText(platform::getClipboardText() + Text1->selText());
    Text1->setSelText(QString());
}

void Form1::mnuCopy2_Click()
{
    if (Text1->selLength() > 0)
        platform::setClipboardText(platform::getClipboardText() + Text1->selText());
}

void Form1::mnuPaest_Click()
{
    const QString text = platform::getClipboardText();
    if (!text.isEmpty())
        Text1->setSelText(text);
}

void Form1::mnuInPaste_Click()
{
    const QString text = platform::getClipboardText();
    if (text.isEmpty())
        return;
    // Repaints run while a long text is split, but no input: a command started in the
    // middle would change the text under the paste.
    const QString result = textcommands::quoted(
        text, [] { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); });
    Text1->setSelText(result);
}

void Form1::mnuClip_Click()
{
    platform::MsgBox(this, platform::getClipboardText(), platform::Buttons::Ok,
                     platform::Icon::Information);
}

void Form1::mnuDel_Click()
{
    if (Text1->selLength() > 0)
        Text1->setSelText(QString());
}

void Form1::mnuAll_Click()
{
    Text1->setSelStart(0);
    Text1->setSelLength(Text1->text().size());
}
