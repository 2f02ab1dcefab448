// The help menu's commands and the break window.
#include "app/form1.h"
#include "dialogs/form5.h"
#include "dialogs/form6.h"
#include "platform/helpviewer.h"
#include "platform/process.h"

void Form1::mnuHelp2_Click()
{
    // The viewer reports a missing file itself; it is not looked for here.
    platform::WinHelp(this, platform::pathIn(state.programDir, QStringLiteral("QUILLA.HLP")), 1);
}

void Form1::mnuBazyon_Click()
{
    Form5 dialog(this);
    dialog.exec();
}

void Form1::mnuIki_Click()
{
    Form6 window(this);
    window.exec();
}
