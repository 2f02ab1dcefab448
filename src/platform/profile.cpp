// Every call reads the file as it is on disk now, so running copies share it.
#include "platform/profile.h"

#include "platform/codepage.h"
#include "platform/files.h"
#include "platform/inifile.h"

namespace platform {
namespace {

std::optional<QString> readRaw(const QString &section, const QString &key, const QString &path)
{
    QByteArray bytes;
    if (!readPrivateFile(path, bytes))
        return std::nullopt;
    return ini::readValue(bytes, section, key);
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
    const QString value = readRaw(section, key, path).value_or(defaultValue);
    return fromAnsi(truncateAnsi(toAnsi(value), size - 1));
}

bool WritePrivateProfileString(const QString &section, const QString &key, const QString &value,
                               const QString &path)
{
    QByteArray bytes;
    if (fileExists(path) && !readPrivateFile(path, bytes))
        return false;
    return replaceFile(path, ini::writeValue(bytes, section, key, value), FileKind::Private, true)
        .ok;
}

} // namespace platform
