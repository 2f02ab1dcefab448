// The character count and the viewing mode.
#include "app/caption.h"
#include "app/form1.h"
#include "app/textarea.h"
#include "commands/textcommands.h"
#include "platform/messagebox.h"

#include <QAction>

void Form1::mnuMozi_Click()
{
    platform::MsgBox(this, textcommands::countMessage(Text1->text(), Text1->lineCount()),
                     platform::Buttons::Ok, platform::Icon::Information);
}

void Form1::mnuLocked_Click()
{
    QAction *locked = item(QStringLiteral("mnuLocked"));
    locked->setChecked(!locked->isChecked());
    Text1->setLocked(locked->isChecked());
    if (locked->isChecked())
        setCaption(caption::withViewingMarker(m_caption));
    else
        setCaption(caption::compose(state.documentPath));
}
