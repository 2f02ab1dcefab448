// Replaces one file's content, as the editor does, in a process of its own: so that a
// test can run it as another user or kill it in the middle.
// Usage: replacehelper PATH CONTENT document|private|backup (the backup's rewrite)
// Exits 0 when the write succeeded, else prints the errno value and exits 1.
#include "platform/files.h"

#include <cstdio>
#include <cstring>

int main(int argc, char *argv[])
{
    if (argc != 4)
        return 2;
    const platform::FileKind kind = std::strcmp(argv[3], "private") == 0
                                        ? platform::FileKind::Private
                                        : platform::FileKind::Document;
    const QString path = QString::fromLocal8Bit(argv[1]);
    const platform::WriteResult result =
        std::strcmp(argv[3], "backup") == 0
            ? platform::rewritePrivateFile(path, QByteArray(argv[2]))
            : platform::replaceFile(path, QByteArray(argv[2]), kind, true);
    if (result.ok)
        return 0;
    std::printf("%d\n", result.error);
    return 1;
}
