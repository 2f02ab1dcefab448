// user.charset through the extended attribute calls.
#include "platform/charsetattribute.h"

#include <QFile>
#include <sys/xattr.h>

namespace platform {
namespace {

constexpr char kAttribute[] = "user.charset";

} // namespace

QString charsetAttribute(const QString &path)
{
    char value[64];
    const QByteArray file = QFile::encodeName(path);
    const ssize_t size = getxattr(file.constData(), kAttribute, value, sizeof value);
    if (size <= 0)
        return QString();
    return QString::fromLatin1(value, size).trimmed();
}

void setCharsetAttribute(const QString &path, const QString &name)
{
    const QByteArray file = QFile::encodeName(path);
    const QByteArray value = name.toLatin1();
    setxattr(file.constData(), kAttribute, value.constData(), size_t(value.size()), 0);
}

} // namespace platform
