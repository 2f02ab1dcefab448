// Recovery file names and what a file at such a name is.
#include "app/recoveryfiles.h"

#include "platform/files.h"
#include "platform/process.h"

namespace recoveryfiles {

QString fileName(int slot)
{
    return slot == 0 ? QStringLiteral("backup.txt") : QStringLiteral("backup-%1.txt").arg(slot + 1);
}

QString lockName(int slot)
{
    return u'.' + fileName(slot) + QStringLiteral(".lock");
}

QString path(int slot)
{
    return platform::pathIn(platform::dataDir(), fileName(slot));
}

QString lockPath(int slot)
{
    return platform::pathIn(platform::dataDir(), lockName(slot));
}

State stateOf(const QString &path, QByteArray *bytes)
{
    if (!platform::nameExists(path))
        return State::Missing;
    QByteArray content;
    if (!platform::isRegularFile(path) || !platform::readPrivateFile(path, content))
        return State::Unusable;
    // Every backup holds at least a line end: an empty file was never one.
    if (content.isEmpty())
        return State::Missing;
    if (bytes)
        *bytes = content;
    return State::Usable;
}

std::unique_ptr<platform::FileLock> claimLeftover(int slot)
{
    if (stateOf(path(slot)) != State::Usable)
        return nullptr;
    auto lock = std::make_unique<platform::FileLock>(lockPath(slot));
    return lock->held() ? std::move(lock) : nullptr;
}

} // namespace recoveryfiles
