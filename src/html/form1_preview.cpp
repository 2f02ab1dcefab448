// The browser preview: the saved file of the document, in a new browser window.
#include "app/form1.h"
#include "document/messages.h"
#include "platform/browser.h"
#include "platform/messagebox.h"

#include <QPointer>

void Form1::mnuIE_Click()
{
    // Not saved first: the browser shows the file as it was last saved.
    const QString address = platform::browserAddress(state.documentPath);
    QPointer<Form1> window(this);
    platform::openInBrowser(address, [window, address] {
        if (window)
            platform::MsgBox(window, messages::browserFailed(address), platform::Buttons::Ok,
                             platform::Icon::Exclamation);
    });
}
