// Start-up: the load handler of the main window, step by step, and crash recovery.
#include "app/caption.h"
#include "app/form1.h"
#include "app/recoveryfiles.h"
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

QString Form1::ownBackupPath() const
{
    return recoveryfiles::path(m_slot);
}

void Form1::claimRecoverySlot()
{
    for (int slot = 0; slot < recoveryfiles::kSlots; ++slot) {
        auto lock = std::make_unique<platform::FileLock>(recoveryfiles::lockPath(slot));
        if (!lock->held())
            continue;
        const QString path = recoveryfiles::path(slot);
        // A file that cannot hold the text (a dangling link, a directory, an unreadable
        // file) is left as it is; the text is protected in the next slot.
        if (recoveryfiles::stateOf(path) == recoveryfiles::State::Unusable) {
            if (m_unusableBackup.isEmpty())
                m_unusableBackup = path;
            continue;
        }
        m_slot = slot;
        m_slotLock = std::move(lock);
        return;
    }
    // Every slot is taken: the text still goes to the last one, unlocked.
    m_slot = recoveryfiles::kSlots - 1;
}

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
    state.undoSlot = 1;
    setItemsEnabled(kUndoItems, false);
    setItemsEnabled(kTextItems, false);
    item(QStringLiteral("mnuIE"))->setEnabled(false);
    m_random.seed(static_cast<quint32>(QDateTime::currentMSecsSinceEpoch()));

    m_secondInstance = platform::previousInstance();
    // Only the first copy may tidy up: another running copy could be writing.
    if (!m_secondInstance)
        platform::removeStrayTemporaries(
            platform::dataDir(), {QStringLiteral("backup.txt"), QStringLiteral("Conf.ini")});
    claimRecoverySlot();
    state.backupPath = ownBackupPath();
    if (!m_unusableBackup.isEmpty())
        platform::MsgBox(this, messages::backupUnusable(m_unusableBackup, state.backupPath),
                         Buttons::Ok, Icon::Exclamation);
    const RecoveryOutcome recovery = offerRecovery();
    // The backup is reset unless it now holds restored text, which must stay protected
    // until the next change rewrites it.
    if (recovery != RecoveryOutcome::Restored)
        writeBackup(documentformat::write(QString()));
    Text1->setAcceptFileDrops(true);
    openCommandLine(commandLine);
}

QString Form1::recoverySource(std::unique_ptr<platform::FileLock> &claimedLock) const
{
    if (recoveryfiles::stateOf(state.backupPath) == recoveryfiles::State::Usable)
        return state.backupPath;
    // A backup left in a program directory that can no longer be written is offered once.
    const QString leftBehind = platform::pathIn(state.programDir, recoveryfiles::fileName(0));
    if (m_slot == 0 && leftBehind != state.backupPath && platform::fileExists(leftBehind)) {
        QByteArray offered;
        platform::readWholeFile(offeredStampPath(), offered);
        if (QString::fromUtf8(offered) != platform::fileIdentity(leftBehind))
            return leftBehind;
    }
    // A file of another slot whose lock nobody holds was left by a copy that ended
    // abnormally; taking its lock makes this copy the only one to offer it.
    for (int slot = 0; slot < recoveryfiles::kSlots; ++slot) {
        if (slot == m_slot)
            continue;
        if (auto lock = recoveryfiles::claimLeftover(slot)) {
            claimedLock = std::move(lock);
            return recoveryfiles::path(slot);
        }
    }
    return QString();
}

int Form1::otherLeftovers(const QString &source) const
{
    int count = 0;
    for (int slot = 0; slot < recoveryfiles::kSlots; ++slot) {
        if (slot != m_slot && recoveryfiles::path(slot) != source)
            count += recoveryfiles::claimLeftover(slot) != nullptr;
    }
    return count;
}

QString Form1::offeredStampPath()
{
    return platform::pathIn(platform::dataDir(), QStringLiteral("backup.offered"));
}

Form1::RecoveryOutcome Form1::offerRecovery()
{
    std::unique_ptr<platform::FileLock> claimedLock;
    const QString source = recoverySource(claimedLock);
    if (source.isEmpty())
        return RecoveryOutcome::NotOffered;
    QByteArray bytes;
    if (recoveryfiles::stateOf(source, &bytes) != recoveryfiles::State::Usable)
        return RecoveryOutcome::NotOffered;
    const bool leftBehind = !claimedLock && source != state.backupPath;
    if (leftBehind)
        platform::replaceFile(offeredStampPath(), platform::fileIdentity(source).toUtf8(),
                              platform::FileKind::Private, true);
    const int remaining = otherLeftovers(source);
    const QString prompt =
        remaining > 0 ? kRecoveryPrompt + messages::moreToRecover(remaining) : kRecoveryPrompt;
    const int answer = platform::MsgBox(this, prompt, Buttons::YesNo, Icon::Question);
    state.lastAnswer = QString::number(answer);
    // Only an explicit No discards the text; a box closed without an answer restores.
    if (answer == platform::IdNo) {
        platform::MsgBox(this, kRecoveryDeclined, Buttons::Ok, Icon::Information);
        // Another copy's file is this copy's to remove once offered; its own is reset.
        if (claimedLock)
            platform::deleteFile(source);
        return RecoveryOutcome::Declined;
    }
    // The restored document is stored as the one that was being edited: its encoding
    // and line ends come back with the text, which the change handler writes to this
    // copy's own file before another copy's is removed.
    const backupformat::Recovery recovery = backupformat::read(bytes);
    state.recoveryBuffer = recovery.text;
    setDocumentForm(recovery.form);
    Text1->setText(state.recoveryBuffer);
    if (claimedLock)
        platform::deleteFile(source);
    return RecoveryOutcome::Restored;
}

void Form1::openCommandLine(const QString &commandLine)
{
    if (commandLine.isEmpty())
        return;
    const bool quoted = commandLine.startsWith(u'"');
    if (quoted)
        state.commandPath = commandLine.chopped(1).mid(1);
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
