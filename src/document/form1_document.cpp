// Opening and saving the document: OpenDocument, load (the open dialog), NewSave (Save
// As) and the plain document write.
#include "app/caption.h"
#include "app/form1.h"
#include "app/textarea.h"
#include "document/documentformat.h"
#include "document/messages.h"
#include "platform/codepage.h"
#include "platform/files.h"
#include "platform/messagebox.h"
#include "settings/form7.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>

using platform::Buttons;
using platform::Icon;

namespace {

const QString kFilter = QStringLiteral("テキストファイル(*.txt,*.ini)|*.txt;*.ini|"
                                       "HTMLドキュメント(*.html,*.htm)|*.html;*.htm|"
                                       "全てのファイル(*.*)|*.*");
constexpr int kSaveFlags = 2054;

} // namespace

void Form1::OpenDocument(const QString &path)
{
    // A missing, unreadable or oversized file changes nothing; only the size is reported.
    const int inserting = state.insertAtCaret;
    state.insertAtCaret = 0;
    if (!platform::isRegularFile(path))
        return;
    if (platform::fileSize(path) > documentformat::kMaxBytes) {
        platform::MsgBox(this, messages::fileTooLarge(), Buttons::Ok, Icon::Exclamation);
        return;
    }
    QByteArray bytes;
    if (!platform::readWholeFile(path, bytes))
        return;
    // An inserted file is read in its own form; the document keeps its form.
    const documentformat::Form form = documentformat::recognise(bytes);
    const QString text = documentformat::read(bytes, form);

    if (inserting != 0) {
        Text1->setSelText(text);
        return;
    }
    state.documentPath = path;
    state.documentForm = form;
    Text1->setText(text);
    setCaption(caption::forOpenedFile(path, form7()->Check2->isChecked()));
    item(QStringLiteral("mnuIE"))->setEnabled(caption::previewEnabled(state.documentPath));
    const QString warning = messages::dangerousExtension(state.documentPath);
    if (!warning.isEmpty())
        platform::MsgBox(this, warning, Buttons::Ok, Icon::Exclamation);
    state.isModified = false;
    setItemsEnabled(kUndoItems, false);
    state.isUntitled = false;
}

void Form1::load()
{
    CommonDialog1.CancelError = true;
    CommonDialog1.Filter = kFilter;
    try {
        CommonDialog1.ShowOpen();
    } catch (const platform::CancelError &) {
        return;
    }
    OpenDocument(CommonDialog1.FileName);
    const bool viewing = CommonDialog1.Flags & platform::kReadOnlyFlag;
    item(QStringLiteral("mnuLocked"))->setChecked(viewing);
    Text1->setLocked(viewing);
    if (viewing)
        setCaption(caption::withViewingMarker(m_caption));
}

void Form1::NewSave()
{
    CommonDialog1.CancelError = true;
    CommonDialog1.Filter = kFilter;
    CommonDialog1.FileName = state.documentPath;
    CommonDialog1.Flags = kSaveFlags;
    CommonDialog1.ShowSave();
    if (!writeDocument(CommonDialog1.FileName))
        throw platform::CancelError();
    state.documentPath = CommonDialog1.FileName;
    setCaption(caption::compose(state.documentPath));
    item(QStringLiteral("mnuIE"))->setEnabled(caption::previewEnabled(state.documentPath));
    state.isUntitled = false;
    state.isModified = false;
}

bool Form1::writeDocument(const QString &path)
{
    const QString text = Text1->text();
    const bool shiftJis = state.documentForm.encoding == documentformat::Encoding::ShiftJis;
    const qsizetype bad = shiftJis ? platform::firstUnrepresentable(text) : -1;
    if (bad >= 0 && platform::MsgBox(this, messages::unrepresentable(text, bad), Buttons::YesNo,
                                     Icon::Exclamation) != platform::IdYes)
        return false;
    const platform::WriteResult result = platform::replaceFile(
        path, documentformat::write(text, state.documentForm), platform::FileKind::Document, true);
    if (!result.ok) {
        platform::MsgBox(this, messages::writeFailed(path, result.message), Buttons::Ok,
                         Icon::Exclamation);
        return false;
    }
    return true;
}
