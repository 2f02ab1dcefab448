// Opening and saving the document: OpenDocument, load (the open dialog), NewSave (Save
// As) and the plain document write.
#include "app/caption.h"
#include "app/form1.h"
#include "app/readahead.h"
#include "app/textarea.h"
#include "document/charsetguess.h"
#include "document/documentformat.h"
#include "document/messages.h"
#include "platform/charsetattribute.h"
#include "platform/files.h"
#include "platform/messagebox.h"
#include "settings/form7.h"

#include <QAction>
#include <algorithm>

using platform::Buttons;
using platform::Icon;

namespace {

const QString kFilter = QStringLiteral("テキストファイル(*.txt,*.ini)|*.txt;*.ini|"
                                       "HTMLドキュメント(*.html,*.htm)|*.html;*.htm|"
                                       "全てのファイル(*.*)|*.*");
constexpr int kSaveFlags =
    platform::kOverwritePromptFlag | platform::kHideReadOnlyFlag | platform::kPathMustExistFlag;
const QString kEncodingLabel = QStringLiteral("文字コード(&E):");
const QString kLineEndsLabel = QStringLiteral("改行コード(&L):");
const QString kMarkLabel = QStringLiteral("BOM（UTF-8・UTF-16）(&B):");

QStringList encodingNames()
{
    QStringList names;
    for (const platform::Charset c : platform::kCharsets)
        names.append(platform::charsetName(c));
    return names;
}

QStringList lineEndsNames()
{
    QStringList names;
    for (const documentformat::LineEnds ends : documentformat::kLineEnds)
        names.append(documentformat::lineEndsName(ends));
    return names;
}

// The place of a value in one of the lists the dialogs show.
template <typename T, std::size_t N> int indexIn(const T (&list)[N], T value)
{
    return int(std::find(std::begin(list), std::end(list), value) - std::begin(list));
}

// The question asked before a write that would not give back the text as shown; empty
// when there is none.
QString troubleQuestion(const QString &text, const documentformat::WriteCheck &check,
                        platform::Charset encoding)
{
    switch (check.trouble) {
    case documentformat::Trouble::None:
        return QString();
    case documentformat::Trouble::Unrepresentable:
        return messages::unrepresentable(text, check.offset, platform::charsetName(encoding));
    case documentformat::Trouble::KeptByte:
        return messages::keptBytesCannotBeWritten(text, check.offset,
                                                  platform::charsetName(encoding));
    case documentformat::Trouble::ReadsOtherwise:
        return messages::readsOtherwise(text, check.offset);
    }
    return QString();
}

} // namespace

void Form1::OpenDocument(const QString &path, std::optional<platform::Charset> encoding)
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
    // The command line's file may have been read already, while the window was built.
    std::optional<readahead::Document> document = encoding ? std::nullopt : readahead::take(path);
    if (!document)
        document = readahead::read(path, encoding);
    if (!document)
        return;
    const platform::Charset charset = document->charset;
    if (charsetguess::looksBinary(document->bytes, charset) &&
        platform::MsgBox(this, messages::binaryFile(path), Buttons::YesNoDefaultNo,
                         Icon::Exclamation) != platform::IdYes)
        return;
    // An inserted file is read in its own form; the document keeps its form.
    const documentformat::Reading &reading = document->reading;

    if (inserting != 0) {
        const bool foreign =
            reading.undecodableBytes > 0 && charset != state.documentForm.keptBytesFrom;
        if (foreign) {
            // The default answer inserts nothing.
            if (platform::MsgBox(this,
                                 messages::foreignKeptBytes(platform::charsetName(charset),
                                                            reading.undecodableBytes),
                                 Buttons::YesNoDefaultNo, Icon::Exclamation) != platform::IdYes)
                return;
            Text1->setSelText(documentformat::withKeptBytesReplaced(reading.text));
            return;
        }
        Text1->setSelText(reading.text);
    } else {
        state.documentPath = path;
        setDocumentForm(reading.form);
        Text1->setText(reading.text);
        setCaption(caption::forOpenedFile(path, form7()->showsFullPath()));
        updatePreviewItem();
        const QString warning = messages::dangerousExtension(state.documentPath);
        if (!warning.isEmpty())
            platform::MsgBox(this, warning, Buttons::Ok, Icon::Exclamation);
        state.isModified = false;
        setItemsEnabled(kUndoItems, false);
        state.isUntitled = false;
    }
    if (reading.undecodableBytes > 0)
        platform::MsgBox(this,
                         messages::undecodableBytes(platform::charsetName(charset),
                                                    reading.undecodableBytes, reading.text,
                                                    documentformat::firstByteEscape(reading.text)),
                         Buttons::Ok, Icon::Information);
}

void Form1::load()
{
    CommonDialog1.CancelError = true;
    CommonDialog1.Filter = kFilter;
    // The encoding list starts at automatic recognition; any other item reads the file
    // in that encoding.
    CommonDialog1.Choices = {
        {kEncodingLabel, QStringList{QStringLiteral("自動判別")} + encodingNames(), 0}};
    try {
        CommonDialog1.ShowOpen();
    } catch (const platform::CancelError &) {
        return;
    }
    const int chosen = CommonDialog1.Choices.at(0).index;
    OpenDocument(CommonDialog1.FileName,
                 chosen > 0 ? std::optional(platform::kCharsets[chosen - 1]) : std::nullopt);
    const bool viewing = CommonDialog1.Flags & platform::kReadOnlyFlag;
    item(QStringLiteral("mnuLocked"))->setChecked(viewing);
    Text1->setLocked(viewing);
    if (viewing)
        setCaption(caption::withViewingMarker(m_caption));
}

bool Form1::NewSave()
{
    CommonDialog1.CancelError = true;
    CommonDialog1.Filter = kFilter;
    CommonDialog1.FileName = state.documentPath;
    CommonDialog1.Flags = kSaveFlags;
    // The encoding, the line ends and the byte-order mark, each preset to the document's.
    CommonDialog1.Choices = {{kEncodingLabel, encodingNames(),
                              indexIn(platform::kCharsets, state.documentForm.encoding)},
                             {kLineEndsLabel, lineEndsNames(),
                              indexIn(documentformat::kLineEnds, state.documentForm.lineEnds)},
                             {kMarkLabel,
                              {QStringLiteral("なし"), QStringLiteral("付ける")},
                              state.documentForm.byteOrderMark ? 1 : 0}};
    CommonDialog1.ShowSave();
    const documentformat::Form converted = documentformat::convertedForm(
        state.documentForm, platform::kCharsets[CommonDialog1.Choices.at(0).index]);
    // A file turned into UTF-16 always gets the mark: without it only a guess could
    // read it back once the recorded encoding is lost.
    const bool intoUtf16 = converted.encoding != state.documentForm.encoding &&
                           platform::unitSize(converted.encoding) == 2;
    const bool markChosen = intoUtf16 || CommonDialog1.Choices.at(2).index == 1;
    const documentformat::Form form = documentformat::withLayout(
        converted, documentformat::kLineEnds[CommonDialog1.Choices.at(1).index], markChosen);
    if (!writeDocument(CommonDialog1.FileName, form))
        return false;
    setDocumentForm(form);
    state.documentPath = CommonDialog1.FileName;
    setCaption(caption::compose(state.documentPath));
    updatePreviewItem();
    state.isUntitled = false;
    state.isModified = false;
    return true;
}

bool Form1::writeDocument(const QString &path)
{
    return writeDocument(path, state.documentForm);
}

bool Form1::writeDocument(const QString &path, const documentformat::Form &form)
{
    const QString text = Text1->text();
    documentformat::WriteCheck check;
    const QByteArray bytes = documentformat::write(text, form, &check);
    // The default answer keeps the file as it is.
    const QString question = troubleQuestion(text, check, form.encoding);
    if (!question.isEmpty() && platform::MsgBox(this, question, Buttons::YesNoDefaultNo,
                                                Icon::Exclamation) != platform::IdYes)
        return false;
    const platform::WriteResult result =
        platform::replaceFile(path, bytes, platform::FileKind::Document, true);
    if (!result.ok) {
        platform::MsgBox(this, messages::writeFailed(path, result.message), Buttons::Ok,
                         Icon::Exclamation);
        return false;
    }
    // The next open need not guess.
    platform::setCharsetAttribute(path, platform::charsetName(form.encoding));
    return true;
}
