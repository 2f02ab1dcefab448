// Start-up: the load handler of the main window, step by step, and crash recovery.
#include "app/caption.h"
#include "app/form1.h"
#include "app/textarea.h"
#include "document/backupformat.h"
#include "document/documentformat.h"
#include "platform/files.h"
#include "platform/messagebox.h"
#include "platform/process.h"
#include "settings/form7.h"
#include "settings/module1.h"

#include <QAction>
#include <QCheckBox>
#include <QDateTime>
#include <QLineEdit>

using platform::Buttons;
using platform::Icon;

namespace {

const QString kRecoveryPrompt = QStringLiteral(
    "前回、正常に終了できませんでした\r\nそのときに編集中だったファイルを復元しますか？");
const QString kRecoveryDeclined = QStringLiteral("前回編集中だったファイルは完全に削除されました");

} // namespace

QString Form1::backupPathFor(const QString &dir)
{
    return platform::pathIn(dir, QStringLiteral("backup.txt"));
}

void Form1::Form_Load(const QString &commandLine)
{
    state.programDir = platform::programDir();
    Module1::LoadSettings(*this, 1);
    Module1::LoadSettings(*this, 2);
    Module1::LoadSettings(*this, 3);
    if (form7()->Check1->isChecked())
        Module1::LoadSettings(*this, 4);
    state.documentPath = form7()->Text1->text();
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
    state.backupPath = backupPathFor(platform::dataDir());

    m_secondInstance = platform::previousInstance();
    // Only the first copy may tidy up: another running copy could be writing.
    if (!m_secondInstance)
        platform::removeStrayTemporaries(
            platform::dataDir(), {QStringLiteral("backup.txt"), QStringLiteral("Conf.ini")});
    const RecoveryOutcome recovery = offerRecovery();
    // The backup is reset unless it now holds restored text, which must stay protected
    // until the next change rewrites it, or could not be read and is left as it was.
    if (recovery == RecoveryOutcome::NotOffered || recovery == RecoveryOutcome::Declined)
        writeBackup(documentformat::write(QString()));
    Text1->setAcceptFileDrops(true);
    openCommandLine(commandLine);
}

QString Form1::recoverySource() const
{
    if (platform::fileExists(state.backupPath))
        return state.backupPath;
    // A backup left in a program directory that can no longer be written is offered once.
    const QString leftBehind = backupPathFor(state.programDir);
    if (leftBehind == state.backupPath || !platform::fileExists(leftBehind))
        return QString();
    QByteArray offered;
    platform::readWholeFile(offeredStampPath(), offered);
    if (QString::fromUtf8(offered) == platform::fileIdentity(leftBehind))
        return QString();
    return leftBehind;
}

QString Form1::offeredStampPath()
{
    return platform::pathIn(platform::dataDir(), QStringLiteral("backup.offered"));
}

Form1::RecoveryOutcome Form1::offerRecovery()
{
    if (m_secondInstance)
        return RecoveryOutcome::NotOffered;
    const QString source = recoverySource();
    if (source.isEmpty())
        return RecoveryOutcome::NotOffered;
    QByteArray bytes;
    if (!platform::readPrivateFile(source, bytes))
        return RecoveryOutcome::Unreadable;
    const bool leftBehind = source != state.backupPath;
    if (leftBehind)
        platform::replaceFile(offeredStampPath(), platform::fileIdentity(source).toUtf8(),
                              platform::FileKind::Private, true);
    const int answer = platform::MsgBox(this, kRecoveryPrompt, Buttons::YesNo, Icon::Question);
    state.lastAnswer = QString::number(answer);
    // Only an explicit No discards the text; a box closed without an answer restores.
    if (answer == platform::IdNo) {
        platform::MsgBox(this, kRecoveryDeclined, Buttons::Ok, Icon::Information);
        return RecoveryOutcome::Declined;
    }
    // The restored document is stored as the one that was being edited: its encoding
    // and line ends come back with the text.
    const backupformat::Recovery recovery = backupformat::read(bytes);
    state.recoveryBuffer = recovery.text;
    setDocumentForm(recovery.form);
    Text1->setText(state.recoveryBuffer);
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
