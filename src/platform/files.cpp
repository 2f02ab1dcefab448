// POSIX file operations; writes go through a temporary file and rename(2).
#include "platform/files.h"

#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

QString systemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

bool writeAll(int fd, const QByteArray &bytes)
{
    const char *p = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, static_cast<size_t>(left));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        p += n;
        left -= n;
    }
    return true;
}

} // namespace

WriteResult writeFileAtomically(const QString &path, const QByteArray &bytes, bool flush)
{
    const QByteArray target = QFile::encodeName(path);
    QByteArray temp = target + ".XXXXXX";
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0)
        return {false, systemReason(errno)};

    struct stat existing;
    const bool hadFile = ::stat(target.constData(), &existing) == 0;
    if (hadFile)
        ::fchmod(fd, existing.st_mode & 07777);
    else
        ::fchmod(
            fd, 0666 & ~[] {
                const mode_t mask = ::umask(0);
                ::umask(mask);
                return mask;
            }());

    int error = 0;
    if (!writeAll(fd, bytes) || (flush && ::fsync(fd) != 0))
        error = errno;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error == 0 && ::rename(temp.constData(), target.constData()) != 0)
        error = errno;
    if (error != 0) {
        ::unlink(temp.constData());
        return {false, systemReason(error)};
    }
    return {true, QString()};
}

bool isRegularFile(const QString &path)
{
    struct stat st;
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 && S_ISREG(st.st_mode);
}

bool fileExists(const QString &path)
{
    struct stat st;
    return ::stat(QFile::encodeName(path).constData(), &st) == 0;
}

qint64 fileSize(const QString &path)
{
    struct stat st;
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return -1;
    return st.st_size;
}

bool deleteFile(const QString &path)
{
    return ::unlink(QFile::encodeName(path).constData()) == 0;
}

bool readWholeFile(const QString &path, QByteArray &bytes)
{
    if (!isRegularFile(path))
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    bytes = file.readAll();
    return file.error() == QFileDevice::NoError;
}

} // namespace platform
