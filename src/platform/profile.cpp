// Every call sees the file as it is on disk now, so running copies share it; the file is
// read and its sections found again only when it changed (another inode, size or
// modification time), so the twenty-odd reads of a start-up cost one parse.
#include "platform/profile.h"

#include "platform/codepage.h"
#include "platform/files.h"
#include "platform/inifile.h"

#include <QFile>

#include <sys/stat.h>

namespace platform {
namespace {

struct CachedFile
{
    QString path;
    struct stat st
    {
    };
    ini::IniFile file;
};

bool sameVersion(const struct stat &a, const struct stat &b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino && a.st_size == b.st_size &&
           a.st_mtim.tv_sec == b.st_mtim.tv_sec && a.st_mtim.tv_nsec == b.st_mtim.tv_nsec &&
           a.st_ctim.tv_sec == b.st_ctim.tv_sec && a.st_ctim.tv_nsec == b.st_ctim.tv_nsec;
}

CachedFile &cache()
{
    static CachedFile cached;
    return cached;
}

// The file at path as it is now; nullptr when it cannot be read.
const ini::IniFile *currentFile(const QString &path)
{
    CachedFile &c = cache();
    struct stat st;
    if (::stat(QFile::encodeName(path).constData(), &st) != 0 || !S_ISREG(st.st_mode))
        return nullptr;
    if (c.path == path && sameVersion(c.st, st))
        return &c.file;
    QByteArray bytes;
    if (!readPrivateFile(path, bytes))
        return nullptr;
    // Taken again after the read: a file made private by the read has a new change time.
    ::stat(QFile::encodeName(path).constData(), &st);
    c.path = path;
    c.st = st;
    c.file = ini::IniFile(std::move(bytes));
    return &c.file;
}

std::optional<QString> readRaw(const QString &section, const QString &key, const QString &path)
{
    const ini::IniFile *file = currentFile(path);
    if (!file)
        return std::nullopt;
    return file->value(section, key);
}

// A value is handed back as a C string: it ends at its first NUL.
QString beforeNul(const QString &value)
{
    const qsizetype nul = value.indexOf(QChar(0));
    return nul < 0 ? value : value.left(nul);
}

} // namespace

int GetPrivateProfileInt(const QString &section, const QString &key, int defaultValue,
                         const QString &path)
{
    const auto value = readRaw(section, key, path);
    if (!value || value->isEmpty())
        return defaultValue;
    return ini::leadingInteger(*value);
}

QString GetPrivateProfileString(const QString &section, const QString &key,
                                const QString &defaultValue, int size, const QString &path)
{
    if (size <= 0)
        return QString();
    const auto stored = readRaw(section, key, path);
    const QString value = beforeNul(stored ? *stored : ini::withoutTrailingBlanks(defaultValue));
    return fromAnsi(truncateAnsi(toAnsi(value), size - 1));
}

bool WritePrivateProfileString(const QString &section, const QString &key, const QString &value,
                               const QString &path)
{
    const ini::IniFile *file = currentFile(path);
    if (!file && fileExists(path))
        return false;
    const QByteArray bytes =
        file ? file->withValue(section, key, value) : ini::IniFile().withValue(section, key, value);
    return replaceFile(path, bytes, FileKind::Private, true).ok;
}

} // namespace platform
