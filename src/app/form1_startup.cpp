// Start-up: the load handler of the main window, step by step, and crash recovery.
#include "app/caption.h"
#include "app/commandline.h"
#include "app/form1.h"
#include "app/recoverymessages.h"
#include "app/recoverysession.h"
#include "app/textarea.h"
#include "document/backupformat.h"
#include "document/documentformat.h"
#include "document/messages.h"
#include "platform/files.h"
#include "platform/messagebox.h"
#include "platform/process.h"
#include "settings/form7.h"
#include "settings/module1.h"

#include <QAction>
#include <QDateTime>

using platform::Buttons;
using platform::Icon;

namespace {

const QString kRecoveryPrompt = QStringLiteral(
    "前回、正常に終了できませんでした\r\nそのときに編集中だったファイルを復元しますか？");
const QString kRecoveryDeclined = QStringLiteral("前回編集中だったファイルは完全に削除されました");

} // namespace

void Form1::Form_Load(const QString &commandLine)
{
    state.programDir = platform::programDir();
    Module1::LoadSettings(*this, Module1::FontGroup);
    Module1::LoadSettings(*this, Module1::RegisteredGroup);
    Module1::LoadSettings(*this, Module1::OptionGroup);
    if (form7()->restoresWindow())
        Module1::LoadSettings(*this, Module1::WindowGroup);
    state.documentPath = form7()->initialTitle();
    setCaption(caption::compose(state.documentPath));
    for (const char *name : {"mnuShowM", "mnupopShowM", "mnuLocked"})
        item(QLatin1StringView(name))->setChecked(false);
    state.isModified = false;
    state.isUntitled = true;
    state.insertAtCaret = 0;
    state.resetUndo();
    setItemsEnabled(kUndoItems, false);
    setItemsEnabled(kTextItems, false);
    item(QStringLiteral("mnuIE"))->setEnabled(false);
    m_random.seed(static_cast<quint32>(QDateTime::currentMSecsSinceEpoch()));

    // Only the first copy may tidy up Conf.ini: another running copy could be writing it.
    if (!platform::previousInstance())
        platform::removeStrayTemporaries(platform::dataDir(),
                                         {platform::kSettingsFileName.toString()});
    m_recovery = std::make_unique<RecoverySession>(platform::dataDir(), state.programDir);
    state.backupPath = m_recovery->path();
    if (!m_recovery->unusable().isEmpty())
        platform::MsgBox(this, messages::backupUnusable(m_recovery->unusable(), state.backupPath),
                         Buttons::Ok, Icon::Exclamation);
    if (m_recovery->unlocked())
        platform::MsgBox(this, messages::backupUnlocked(state.backupPath), Buttons::Ok,
                         Icon::Information);
    const RecoveryOutcome recovery = offerRecovery();
    // The backup is reset unless it now holds restored text, which must stay protected
    // until the next change rewrites it.
    if (recovery != RecoveryOutcome::Restored)
        writeBackup(documentformat::write(QString()));
    Text1->setAcceptFileDrops(true);
    openCommandLine(commandLine);
}

Form1::RecoveryOutcome Form1::offerRecovery()
{
    const std::optional<RecoverySession::Offer> offer = m_recovery->offer();
    if (!offer)
        return RecoveryOutcome::NotOffered;
    const QString prompt = offer->waiting > 0
                               ? kRecoveryPrompt + messages::moreToRecover(offer->waiting)
                               : kRecoveryPrompt;
    const int answer = platform::MsgBox(this, prompt, Buttons::YesNo, Icon::Question);
    // Only an explicit No discards the text; a box closed without an answer restores.
    if (answer == platform::IdNo) {
        platform::MsgBox(this, kRecoveryDeclined, Buttons::Ok, Icon::Information);
        m_recovery->declined();
        return RecoveryOutcome::Declined;
    }
    // The restored document is stored as the one that was being edited: its encoding
    // and line ends come back with the text, which the change handler writes to this
    // copy's own file; another copy's file goes only once that one holds the text.
    const backupformat::Recovery recovery = backupformat::read(offer->bytes);
    setDocumentForm(recovery.form);
    Text1->setText(recovery.text);
    if (!m_recovery->restored(backupformat::write(Text1->text(), state.documentForm)))
        platform::MsgBox(this, messages::leftoverKept(offer->source, state.backupPath), Buttons::Ok,
                         Icon::Exclamation);
    return RecoveryOutcome::Restored;
}

void Form1::openCommandLine(const QString &commandLine)
{
    if (commandLine.isEmpty())
        return;
    const std::optional<QString> quotedPath = commandline::quotedPath(commandLine);
    const bool quoted = quotedPath.has_value();
    if (quoted)
        state.commandPath = *quotedPath;
    // Restored text is not replaced silently: the save prompt comes first, as on the
    // other ways of opening a file.
    const bool opens = platform::isRegularFile(commandLine) ||
                       (quoted && platform::isRegularFile(state.commandPath));
    if (opens && state.isModified && !confirmDiscard())
        return;
    OpenDocument(commandLine);
    if (quoted)
        OpenDocument(state.commandPath);
}
