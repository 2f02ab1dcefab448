// The shared end of every search: select the occurrence, or report none.
#include "search/nextoccurrence.h"

#include "app/form1.h"
#include "app/textarea.h"
#include "platform/messagebox.h"
#include "search/matching.h"

QString notFoundMessage(const QString &searchText)
{
    return u'"' + searchText + QStringLiteral("\"が見つかりません");
}

bool selectNextOccurrence(Form1 &owner, const QString &searchText, qsizetype start, bool exact)
{
    TextArea &text = *owner.Text1;
    const qsizetype p = matching::find(text.text(), searchText, start, exact);
    if (p >= 0) {
        text.setSelStart(static_cast<int>(p));
        text.setSelLength(static_cast<int>(searchText.size()));
    } else {
        platform::MsgBox(&owner, notFoundMessage(searchText), platform::Buttons::Ok,
                         platform::Icon::Information);
    }
    owner.activateWindow();
    text.setFocus();
    return p >= 0;
}
