// Program locations and the previous-instance lock (flock(2) on a file beside backup.txt).
#include "platform/process.h"

#include "platform/files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace platform {
namespace {

QString &overrideDir()
{
    static QString dir;
    return dir;
}

const QString kConfName = QStringLiteral("Conf.ini");

std::optional<QString> &decidedDataDir()
{
    static std::optional<QString> dir;
    return dir;
}

QString decideDataDir()
{
    const QString program = programDir();
    if (::access(QFile::encodeName(program).constData(), W_OK) == 0)
        return program;
    const QString user = userDataDir();
    QDir().mkpath(user);
    // Settings left in a program directory that can no longer be written are carried
    // over once, the first time the user's own directory is used.
    const QString userConf = pathIn(user, kConfName);
    QByteArray bytes;
    if (!fileExists(userConf) && readWholeFile(pathIn(program, kConfName), bytes))
        replaceFile(userConf, bytes, FileKind::Private, true);
    return user;
}

} // namespace

QString programDir()
{
    if (!overrideDir().isEmpty())
        return overrideDir();
    return QCoreApplication::applicationDirPath();
}

QString userDataDir()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
}

QString dataDir()
{
    if (!decidedDataDir())
        decidedDataDir() = decideDataDir();
    return *decidedDataDir();
}

void setProgramDirOverride(const QString &dir)
{
    overrideDir() = dir;
    decidedDataDir().reset();
}

QString pathIn(const QString &dir, const QString &fileName)
{
    return dir + u'/' + fileName;
}

InstanceLock::InstanceLock(const QString &lockFilePath)
{
    m_fd = ::open(QFile::encodeName(lockFilePath).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (m_fd < 0)
        return;
    // Every running copy holds a shared lock; an exclusive one can be had only when no
    // other copy holds any.
    if (::flock(m_fd, LOCK_EX | LOCK_NB) == 0) {
        ::flock(m_fd, LOCK_SH);
    } else {
        m_otherWasRunning = true;
        ::flock(m_fd, LOCK_SH);
    }
}

FileLock::FileLock(const QString &lockFilePath)
{
    // Opened for reading only: a lock needs no more, and a file held open for writing
    // would keep its file system from being remounted read-only.
    const int fd =
        ::open(QFile::encodeName(lockFilePath).constData(), O_RDONLY | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return;
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
        m_fd = fd;
    else
        ::close(fd);
}

FileLock::~FileLock()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

InstanceLock::~InstanceLock()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

namespace {

std::optional<bool> &instanceOverride()
{
    static std::optional<bool> answer;
    return answer;
}

std::function<void()> &programEnder()
{
    static std::function<void()> end;
    return end;
}

} // namespace

void setPreviousInstanceOverride(std::optional<bool> answer)
{
    instanceOverride() = answer;
}

void endProgram()
{
    if (programEnder())
        programEnder()();
    else
        QCoreApplication::exit(0);
}

void setEndProgram(std::function<void()> end)
{
    programEnder() = std::move(end);
}

bool previousInstance()
{
    if (instanceOverride())
        return *instanceOverride();
    static InstanceLock lock(pathIn(dataDir(), QStringLiteral(".vellit.lock")));
    return lock.otherWasRunning();
}

} // namespace platform
