// The browser preview: the saved file of the document, in a new browser window.
#include "app/caption.h"
#include "app/form1.h"
#include "platform/browser.h"
#include "platform/messagebox.h"

#include <QPointer>

namespace {

// The preview could not start a browser for address.
QString browserFailed(const QString &address)
{
    return QStringLiteral("ブラウザを起動できませんでした。\r\n") + address;
}

} // namespace

void Form1::mnuIE_Click()
{
    // Not saved first: the browser shows the file as it was last saved.
    const QString address = platform::browserAddress(state.documentPath);
    QPointer<Form1> window(this);
    platform::openInBrowser(address, [window, address] {
        if (window)
            platform::MsgBox(window, browserFailed(address), platform::Buttons::Ok,
                             platform::Icon::Exclamation);
    });
}

void Form1::updatePreviewItem()
{
    item(QStringLiteral("mnuIE"))->setEnabled(caption::previewEnabled(state.documentPath));
}
