// POSIX file operations. A replaced file is written as an unnamed temporary file
// (O_TMPFILE) that gets a name only when it is complete, just before the rename, so a
// kill in the middle of a write leaves nothing behind.
#include "platform/files.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

const QByteArray kTempMarker = QByteArrayLiteral(".vellit-");
constexpr int kTempSuffixLength = 6;

// The spare of rewritePrivateFile: a temporary's name, so that the sweep of a copy that
// did not end normally removes it.
const QByteArray kSpareSuffix = QByteArrayLiteral("spare0");
static_assert(sizeof("spare0") - 1 == kTempSuffixLength);

QByteArray spareOf(const QByteArray &target)
{
    return target + kTempMarker + kSpareSuffix;
}

WriteResult failure(int error)
{
    return {false, error, errorReason(error)};
}

bool writeAll(int fd, const QByteArray &bytes, off_t offset)
{
    const char *p = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::pwrite(fd, p, static_cast<size_t>(left), offset);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        p += n;
        offset += n;
        left -= n;
    }
    return true;
}

QByteArray directoryOf(const QByteArray &path)
{
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0)
        return QByteArrayLiteral(".");
    return slash == 0 ? QByteArrayLiteral("/") : path.left(slash);
}

// The longest chain of links followed, as the kernel's own limit (MAXSYMLINKS): a longer
// one is a loop.
constexpr int kMaxLinkDepth = 40;

// The file a chain of symbolic links ends at, even when it does not exist yet.
QByteArray resolveLinks(const QByteArray &path)
{
    QByteArray current = path;
    for (int depth = 0; depth < kMaxLinkDepth; ++depth) {
        struct stat st;
        if (::lstat(current.constData(), &st) != 0 || !S_ISLNK(st.st_mode))
            return current;
        QByteArray target(PATH_MAX, '\0');
        const ssize_t n = ::readlink(current.constData(), target.data(), target.size());
        if (n < 0)
            return current;
        target.truncate(n);
        current = target.startsWith('/') ? target : directoryOf(current) + '/' + target;
    }
    return current;
}

mode_t newFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

QByteArray randomSuffix()
{
    static const char kChars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    // Drawn from the system's source: the global generator would first seed itself with
    // thousands of random bytes, a third of a millisecond before the first backup.
    QByteArray s(kTempSuffixLength, '\0');
    for (char &c : s)
        c = kChars[QRandomGenerator::system()->bounded(int(sizeof kChars - 1))];
    return s;
}

// A temporary file in the target's directory: unnamed where the file system allows
// (name stays empty), else named after the target.
struct TempFile
{
    int fd = -1;
    QByteArray name;
};

TempFile createTemp(const QByteArray &target)
{
    TempFile temp;
    temp.fd = ::open(directoryOf(target).constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (temp.fd >= 0 || (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL))
        return temp;
    temp.name = target + kTempMarker + QByteArray(kTempSuffixLength, 'X');
    temp.fd = ::mkostemp(temp.name.data(), O_CLOEXEC);
    if (temp.fd < 0)
        temp.name.clear();
    return temp;
}

void discard(TempFile &temp)
{
    ::close(temp.fd);
    if (!temp.name.isEmpty())
        ::unlink(temp.name.constData());
}

// Gives an unnamed temporary file a fresh name beside the target.
int linkIntoDirectory(TempFile &temp, const QByteArray &target)
{
    const QByteArray procPath = "/proc/self/fd/" + QByteArray::number(temp.fd);
    // Random names clash only when something else makes them; give up after many tries.
    constexpr int kNameAttempts = 100;
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        const QByteArray name = target + kTempMarker + randomSuffix();
        int rc =
            ::linkat(AT_FDCWD, procPath.constData(), AT_FDCWD, name.constData(), AT_SYMLINK_FOLLOW);
        if (rc != 0 && errno == ENOENT)
            rc = ::linkat(temp.fd, "", AT_FDCWD, name.constData(), AT_EMPTY_PATH);
        if (rc == 0) {
            temp.name = name;
            return 0;
        }
        if (errno != EEXIST)
            return errno;
    }
    return EEXIST;
}

// A rename keeps the owner and group only when the new file already has them, or can be
// given them.
bool takeOwnership(int fd, const struct stat &existing)
{
    struct stat st;
    if (::fstat(fd, &st) != 0)
        return false;
    if (st.st_uid == existing.st_uid && st.st_gid == existing.st_gid)
        return true;
    return ::fchown(fd, existing.st_uid, existing.st_gid) == 0;
}

// In a sticky directory of someone else's, a file is replaced in place.
bool isForeignStickyDirectory(const QByteArray &dir)
{
    struct stat st;
    return ::stat(dir.constData(), &st) == 0 && (st.st_mode & S_ISVTX) && st.st_uid != ::geteuid();
}

WriteResult writeAndRename(TempFile &temp, const QByteArray &target, const QByteArray &bytes,
                           mode_t mode, bool flush)
{
    int error = 0;
    if (!writeAll(temp.fd, bytes, 0) || ::fchmod(temp.fd, mode) != 0 ||
        (flush && ::fsync(temp.fd) != 0))
        error = errno;
    if (error == 0 && temp.name.isEmpty())
        error = linkIntoDirectory(temp, target);
    if (error != 0) {
        discard(temp);
        return failure(error);
    }
    if (::close(temp.fd) != 0 || ::rename(temp.name.constData(), target.constData()) != 0) {
        error = errno;
        ::unlink(temp.name.constData());
        return failure(error);
    }
    if (flush) {
        const int dirFd =
            ::open(directoryOf(target).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (dirFd >= 0) {
            ::fsync(dirFd);
            ::close(dirFd);
        }
    }
    return {true, 0, QString()};
}

WriteResult overwriteInPlace(const QByteArray &target, const QByteArray &bytes,
                             const struct stat &existing, FileKind kind, bool flush)
{
    if (kind == FileKind::Private && existing.st_uid == ::geteuid())
        ::chmod(target.constData(), 0600);
    const int fd = ::open(target.constData(), O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        return failure(errno);
    const off_t length = bytes.size();
    int error = 0;
    // The space is reserved first: a full disk fails here, before any byte is overwritten.
    if (length > existing.st_size)
        error = ::posix_fallocate(fd, 0, length);
    if (error == 0 &&
        (!writeAll(fd, bytes, 0) || ::ftruncate(fd, length) != 0 || (flush && ::fsync(fd) != 0)))
        error = errno;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    return error == 0 ? WriteResult{true, 0, QString()} : failure(error);
}

} // namespace

WriteResult replaceFile(const QString &path, const QByteArray &bytes, FileKind kind, bool flush)
{
    const QByteArray target = resolveLinks(QFile::encodeName(path));
    struct stat existing;
    const bool exists = ::stat(target.constData(), &existing) == 0;
    if (!exists && errno != ENOENT)
        return failure(errno);
    if (exists && !S_ISREG(existing.st_mode))
        return failure(S_ISDIR(existing.st_mode) ? EISDIR : EINVAL);
    const bool own = exists && existing.st_uid == ::geteuid();
    // A private file of the user's own is always rewritten, whatever mode it was left
    // with; any other file must be writable by the user.
    if (exists && !(kind == FileKind::Private && own) &&
        ::faccessat(AT_FDCWD, target.constData(), W_OK, AT_EACCESS) != 0)
        return failure(errno);

    bool inPlace =
        exists && (existing.st_nlink > 1 || isForeignStickyDirectory(directoryOf(target)));
    if (!inPlace) {
        TempFile temp = createTemp(target);
        if (temp.fd < 0) {
            // A directory the user may not write: the writable file is overwritten.
            if (!exists || (errno != EACCES && errno != EPERM))
                return failure(errno);
            inPlace = true;
        } else if (exists && !takeOwnership(temp.fd, existing)) {
            discard(temp);
            inPlace = true;
        } else {
            const mode_t mode = kind == FileKind::Private ? 0600
                                : exists                  ? existing.st_mode & 07777
                                                          : newFileMode();
            return writeAndRename(temp, target, bytes, mode, flush);
        }
    }
    return overwriteInPlace(target, bytes, existing, kind, flush);
}

WriteResult rewritePrivateFile(const QString &path, const QByteArray &bytes)
{
    const QByteArray target = QFile::encodeName(path);
    struct stat existing;
    if (::lstat(target.constData(), &existing) != 0 || !S_ISREG(existing.st_mode) ||
        existing.st_nlink != 1 || existing.st_uid != ::geteuid())
        return replaceFile(path, bytes, FileKind::Private, false);
    const QByteArray spare = spareOf(target);
    // Not blocking: a FIFO of that name would otherwise wait for a reader for ever.
    const int fd =
        ::open(spare.constData(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
    if (fd < 0)
        return replaceFile(path, bytes, FileKind::Private, false);
    // Only a spare that is this user's own plain file takes the text.
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_nlink != 1 ||
        st.st_uid != ::geteuid() || ((st.st_mode & 07777) != 0600 && ::fchmod(fd, 0600) != 0)) {
        ::close(fd);
        return replaceFile(path, bytes, FileKind::Private, false);
    }
    if (!writeAll(fd, bytes, 0) || ::ftruncate(fd, bytes.size()) != 0) {
        const int error = errno;
        ::close(fd);
        return failure(error);
    }
    ::close(fd);
    if (::renameat2(AT_FDCWD, spare.constData(), AT_FDCWD, target.constData(), RENAME_EXCHANGE) !=
            0 &&
        ::rename(spare.constData(), target.constData()) != 0)
        return failure(errno);
    return {true, 0, QString()};
}

void removeSpareOf(const QString &path)
{
    ::unlink(spareOf(QFile::encodeName(path)).constData());
}

QString errorReason(int error)
{
    switch (error) {
    case EACCES:
        return QStringLiteral("書き込みが許可されていません。");
    case EPERM:
        return QStringLiteral("この操作は許可されていません。");
    case EROFS:
        return QStringLiteral("読み取り専用のファイルシステムです。");
    case ENOSPC:
        return QStringLiteral("ディスクの空き容量が足りません。");
    case EDQUOT:
        return QStringLiteral("ディスクの使用量の制限を超えています。");
    case ENOENT:
        return QStringLiteral("指定されたフォルダーが見つかりません。");
    case ENOTDIR:
        return QStringLiteral("パスの途中にフォルダーでないものがあります。");
    case EISDIR:
        return QStringLiteral("フォルダーには保存できません。");
    case EINVAL:
        return QStringLiteral("通常のファイルではないため保存できません。");
    case EFBIG:
        return QStringLiteral("ファイルが大き過ぎます。");
    case EIO:
        return QStringLiteral("入出力エラーが発生しました。");
    case ENAMETOOLONG:
        return QStringLiteral("ファイル名が長過ぎます。");
    case ELOOP:
        return QStringLiteral("シンボリックリンクが多過ぎるか、循環しています。");
    default:
        return QStringLiteral("エラーが発生しました（%1）。")
            .arg(QString::fromLocal8Bit(std::strerror(error)));
    }
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

bool nameExists(const QString &path)
{
    struct stat st;
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0;
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

bool readPrivateFile(const QString &path, QByteArray &bytes)
{
    if (readWholeFile(path, bytes))
        return true;
    const QByteArray name = QFile::encodeName(path);
    struct stat st;
    if (::stat(name.constData(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::geteuid() ||
        ::chmod(name.constData(), 0600) != 0)
        return false;
    return readWholeFile(path, bytes);
}

void removeStrayTemporaries(const QString &dir, const QStringList &names)
{
    const QByteArray dirName = QFile::encodeName(dir);
    DIR *d = ::opendir(dirName.constData());
    if (!d)
        return;
    while (const dirent *entry = ::readdir(d)) {
        const QByteArray entryName(entry->d_name);
        for (const QString &name : names) {
            const QByteArray prefix = QFile::encodeName(name) + kTempMarker;
            if (!entryName.startsWith(prefix) ||
                entryName.size() != prefix.size() + kTempSuffixLength)
                continue;
            const QByteArray suffix = entryName.mid(prefix.size());
            if (!std::all_of(suffix.begin(), suffix.end(),
                             [](char c) { return std::isalnum(static_cast<unsigned char>(c)); }))
                continue;
            const QByteArray full = dirName + '/' + entryName;
            struct stat st;
            if (::lstat(full.constData(), &st) == 0 && S_ISREG(st.st_mode) &&
                st.st_uid == ::geteuid())
                ::unlink(full.constData());
        }
    }
    ::closedir(d);
}

bool renameFile(const QString &from, const QString &to)
{
    return ::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

QStringList namesIn(const QString &dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                               QDir::NoDotAndDotDot);
}

QString fileIdentity(const QString &path)
{
    struct stat st;
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return QString();
    return QStringLiteral("%1:%2:%3:%4.%5")
        .arg(st.st_dev)
        .arg(st.st_ino)
        .arg(st.st_size)
        .arg(st.st_mtim.tv_sec)
        .arg(st.st_mtim.tv_nsec);
}

} // namespace platform
