// Recovery file names and what a file at such a name is.
#include "app/recoveryfiles.h"

#include "document/charsetguess.h"
#include "platform/files.h"

namespace recoveryfiles {

QString fileName(int slot)
{
    return slot == 0 ? QStringLiteral("backup.txt") : QStringLiteral("backup-%1.txt").arg(slot + 1);
}

QString lockName(int slot)
{
    return u'.' + fileName(slot) + QStringLiteral(".lock");
}

State stateOf(const QString &path, QByteArray *bytes)
{
    if (!platform::nameExists(path))
        return State::Missing;
    QByteArray content;
    if (!platform::isRegularFile(path) || !platform::readPrivateFile(path, content))
        return State::Unusable;
    // A backup is text in one of two forms; a file full of NULs is something else.
    if (!content.startsWith("\xFF\xFE") &&
        charsetguess::looksBinary(content, platform::Charset::ShiftJis))
        return State::Unusable;
    if (bytes)
        *bytes = content;
    return State::Usable;
}

} // namespace recoveryfiles
