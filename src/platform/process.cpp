// Program locations, this process, and the locks that tell running copies apart.
#include "platform/process.h"

#include "platform/files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace platform {
namespace {

QString &overrideDir()
{
    static QString dir;
    return dir;
}

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
    const QString userConf = pathIn(user, kSettingsFileName.toString());
    QByteArray bytes;
    if (!fileExists(userConf) &&
        readWholeFile(pathIn(program, kSettingsFileName.toString()), bytes))
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

namespace {

std::function<bool(const QString &)> &lockRefusal()
{
    static std::function<bool(const QString &)> refuses;
    return refuses;
}

// Opened for reading and writing: NFS grants an exclusive lock only on a descriptor open
// for writing.
int openLockFile(const QString &path, mode_t mode)
{
    return ::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, mode);
}

// An open-file-description lock on the whole file: like flock(2) it belongs to the open
// file, so two in one process exclude each other, and like fcntl(2) locks Linux carries
// it over NFS.
bool lockWhole(int fd, short type, bool wait)
{
    struct flock whole = {};
    whole.l_type = type;
    whole.l_whence = SEEK_SET;
    return ::fcntl(fd, wait ? F_OFD_SETLKW : F_OFD_SETLK, &whole) == 0;
}

} // namespace

void setLockRefusal(std::function<bool(const QString &lockFilePath)> refuses)
{
    lockRefusal() = std::move(refuses);
}

FileLock::FileLock(const QString &lockFilePath, Kind kind)
{
    if (lockRefusal() && lockRefusal()(lockFilePath))
        return;
    const int fd = openLockFile(lockFilePath, kind == Kind::Shared ? 0666 : 0600);
    if (fd < 0)
        return;
    // An exclusive lock can be had only when no other process holds any.
    m_otherWasHeld = !lockWhole(fd, F_WRLCK, false);
    if (kind == Kind::Shared) {
        lockWhole(fd, F_RDLCK, true);
        m_fd = fd;
    } else if (!m_otherWasHeld) {
        m_fd = fd;
    } else {
        ::close(fd);
    }
}

FileLock::~FileLock()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

qint64 processId()
{
    return ::getpid();
}

QString hostName()
{
    char name[256] = {};
    ::gethostname(name, sizeof name - 1);
    return QString::fromLocal8Bit(name);
}

bool isRunning(qint64 pid)
{
    return pid > 0 && (::kill(pid_t(pid), 0) == 0 || errno == EPERM);
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
    static FileLock lock(pathIn(dataDir(), QStringLiteral(".vellit.lock")), FileLock::Kind::Shared);
    return lock.otherWasHeld();
}

} // namespace platform
