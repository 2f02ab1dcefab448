// This copy's slot, its lock and its file, and the leftovers of copies that ended
// abnormally.
#include "app/recoverysession.h"

#include "document/backupformat.h"
#include "platform/digits.h"
#include "platform/files.h"
#include "platform/process.h"

#include <algorithm>

using FileState = RecoverySession::FileState;

namespace {

QString slotFileName(int slot)
{
    return slot == 0 ? QStringLiteral("backup.txt") : QStringLiteral("backup-%1.txt").arg(slot + 1);
}

QString lockName(const QString &fileName)
{
    return u'.' + fileName + QStringLiteral(".lock");
}

// The file of a copy that could lock no slot: its process and host in the name, so that
// a later start on the same host can tell whether it still runs.
QString unlockedFileName(qint64 pid)
{
    return QStringLiteral("backup-%1@%2.txt").arg(pid).arg(platform::hostName());
}

struct UnlockedFile
{
    qint64 pid;
    QString host;
};

// The process and host a name of unlockedFileName's form gives, or nothing for any other
// name. Read by hand: a regular expression would bring PCRE2's compiler into every
// start-up for this one loop.
std::optional<UnlockedFile> unlockedFileOf(const QString &name)
{
    const QLatin1StringView prefix("backup-");
    const QLatin1StringView suffix(".txt");
    if (!name.startsWith(prefix) || !name.endsWith(suffix))
        return std::nullopt;
    const QStringView middle = QStringView(name).sliced(
        prefix.size(), std::max<qsizetype>(0, name.size() - prefix.size() - suffix.size()));
    const qsizetype at = middle.indexOf(u'@');
    const QStringView pid = middle.first(std::max<qsizetype>(0, at));
    if (at <= 0 || at + 1 >= middle.size() || !platform::isAsciiDigits(pid))
        return std::nullopt;
    return UnlockedFile{pid.toLongLong(), middle.sliced(at + 1).toString()};
}

FileState stateOf(const QString &path, QByteArray *bytes = nullptr)
{
    if (!platform::nameExists(path))
        return FileState::Missing;
    QByteArray content;
    if (!platform::isRegularFile(path) || !platform::readPrivateFile(path, content))
        return FileState::Unusable;
    // Every backup holds at least a line end: an empty file was never one.
    if (content.isEmpty())
        return FileState::Missing;
    if (bytes)
        *bytes = content;
    return FileState::Usable;
}

// Whether a name is a file of the given name or one of its write temporaries.
bool belongsTo(const QString &name, const QString &fileName)
{
    return name == fileName || name.startsWith(fileName + QStringLiteral(".vellit-"));
}

// A backup gives back its text with one CR LF more: an empty document's gives that alone.
bool holdsNoText(const QByteArray &bytes)
{
    const QString text = backupformat::read(bytes).text;
    return text.isEmpty() || text == QStringLiteral("\r\n");
}

} // namespace

RecoverySession::RecoverySession(const QString &dataDir, const QString &programDir)
    : m_dir(dataDir), m_programDir(programDir)
{
    const QStringList names = platform::namesIn(m_dir);
    claimSlot();
    findLeftovers(names);
}

RecoverySession::~RecoverySession() = default;

void RecoverySession::claimSlot()
{
    QStringList swept;
    for (int slot = 0; slot < kSlots; ++slot) {
        const QString name = slotFileName(slot);
        auto lock = std::make_unique<platform::FileLock>(platform::pathIn(m_dir, lockName(name)));
        if (!lock->held())
            continue;
        swept.append(name);
        const QString path = platform::pathIn(m_dir, name);
        // A file that cannot hold the text is left as it is; the text is protected in the
        // next slot.
        m_ownState = stateOf(path, &m_ownBytes);
        if (m_ownState == FileState::Unusable) {
            if (m_unusable.isEmpty())
                m_unusable = path;
            continue;
        }
        m_path = path;
        m_lock = std::move(lock);
        platform::removeStrayTemporaries(m_dir, swept);
        return;
    }
    // No slot could be locked: a file no other copy will ever write.
    m_ownState = FileState::Missing;
    m_ownBytes.clear();
    m_path = platform::pathIn(m_dir, unlockedFileName(platform::processId()));
}

void RecoverySession::findLeftovers(const QStringList &names)
{
    const auto present = [&](const QString &fileName) {
        return std::any_of(names.begin(), names.end(),
                           [&](const QString &n) { return belongsTo(n, fileName); });
    };
    QStringList swept;
    if (m_lock) {
        for (int slot = 0; slot < kSlots; ++slot) {
            const QString name = slotFileName(slot);
            const QString path = platform::pathIn(m_dir, name);
            if (path == m_path || !present(name))
                continue;
            auto lock =
                std::make_unique<platform::FileLock>(platform::pathIn(m_dir, lockName(name)));
            if (!lock->held())
                continue; // a running copy's
            swept.append(name);
            QByteArray bytes;
            if (stateOf(path, &bytes) != FileState::Usable)
                continue;
            // An extra window that was never typed into left a file without text.
            if (slot > 0 && holdsNoText(bytes)) {
                platform::deleteFile(path);
                continue;
            }
            m_leftovers.push_back({path, bytes, std::move(lock)});
        }
    }
    // Files of copies that could lock no slot, ended on this host.
    for (const QString &name : names) {
        const std::optional<UnlockedFile> unlocked = unlockedFileOf(name);
        const QString path = platform::pathIn(m_dir, name);
        if (!unlocked || path == m_path || unlocked->host != platform::hostName() ||
            platform::isRunning(unlocked->pid))
            continue;
        swept.append(name);
        QByteArray bytes;
        if (stateOf(path, &bytes) != FileState::Usable)
            continue;
        if (holdsNoText(bytes)) {
            platform::deleteFile(path);
            continue;
        }
        m_leftovers.push_back({path, bytes, nullptr});
    }
    platform::removeStrayTemporaries(m_dir, swept);
}

std::optional<RecoverySession::Offer> RecoverySession::offer()
{
    std::optional<Offer> chosen = choose();
    // The leftovers not offered are left for later starts, and for other copies starting
    // now: their locks go.
    m_leftovers.clear();
    return chosen;
}

std::optional<RecoverySession::Offer> RecoverySession::choose()
{
    const int waiting = int(m_leftovers.size());
    // The own file as read when the slot was taken.
    if (m_ownState == FileState::Usable) {
        // backup.txt is offered as it always was; another slot's file only with text.
        if (m_path == platform::pathIn(m_dir, slotFileName(0)) || !holdsNoText(m_ownBytes))
            return Offer{m_path, m_ownBytes, waiting};
    }
    // A backup left in a program directory that can no longer be written is offered once.
    const QString leftBehind = platform::pathIn(m_programDir, slotFileName(0));
    const QString stamp = platform::pathIn(m_dir, QStringLiteral("backup.offered"));
    if (m_path == platform::pathIn(m_dir, slotFileName(0)) && leftBehind != m_path) {
        QByteArray offered;
        QByteArray bytes;
        platform::readWholeFile(stamp, offered);
        const QString identity = platform::fileIdentity(leftBehind);
        if (!identity.isEmpty() && QString::fromUtf8(offered) != identity &&
            stateOf(leftBehind, &bytes) == FileState::Usable) {
            platform::replaceFile(stamp, identity.toUtf8(), platform::FileKind::Private, true);
            return Offer{leftBehind, bytes, waiting};
        }
    }
    while (!m_leftovers.empty()) {
        Leftover next = std::move(m_leftovers.front());
        m_leftovers.erase(m_leftovers.begin());
        // An unlocked copy's file is claimed by its rename: of two copies starting at
        // once, only one can move it.
        if (!next.lock) {
            const QString claimed = next.path + QStringLiteral(".claimed");
            if (!platform::renameFile(next.path, claimed))
                continue;
            next.path = claimed;
        }
        const Offer offer{next.path, next.bytes, int(m_leftovers.size())};
        m_offered = std::move(next);
        return offer;
    }
    return std::nullopt;
}

void RecoverySession::declined()
{
    if (m_offered)
        platform::deleteFile(m_offered->path);
    m_offered.reset();
}

bool RecoverySession::restored(const QByteArray &ownBytes)
{
    if (!m_offered)
        return true;
    QByteArray written;
    if (!platform::readWholeFile(m_path, written) || written != ownBytes)
        return false;
    platform::deleteFile(m_offered->path);
    m_offered.reset();
    return true;
}

QString RecoverySession::write(const QByteArray &bytes)
{
    // Not flushed to disk: the exchange alone keeps the file whole, and this runs on every
    // keystroke.
    const platform::WriteResult result = platform::rewritePrivateFile(m_path, bytes);
    if (result.ok || m_failureTold)
        return QString();
    m_failureTold = true;
    return result.message.isEmpty() ? platform::errorReason(result.error) : result.message;
}

void RecoverySession::end()
{
    platform::deleteFile(m_path);
    platform::removeSpareOf(m_path);
}
