// File-system operations: existence, size, deletion, whole-file reads and safe
// replacement of a file's content.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace platform {

/// Outcome of a write; when it failed, error is the errno value and message its reason
/// in Japanese.
struct WriteResult
{
    bool ok = false;
    int error = 0;
    QString message;
};

/// What a written file is: a document keeps its mode; a private file (the backup and the
/// settings) is readable and writable by its owner only, whatever it was before.
enum class FileKind { Document, Private };

/// Replaces the content of the file at path with bytes, following symbolic links to the
/// file they name. Normally a new file is written beside it, flushed (with flush) and
/// renamed over it, so a crash or a full disk leaves the old complete file. When a rename
/// would change the file (several hard links, another owner or group, a directory that
/// may not be written), the file is overwritten in place after its new length has been
/// reserved, so a full disk fails before anything is overwritten. A file the user may
/// not write is refused and left untouched.
WriteResult replaceFile(const QString &path, const QByteArray &bytes, FileKind kind, bool flush);

/// Rewrites a private file of the user's own that is rewritten many times a second (the
/// backup, on every keystroke) without making a new file each time: the bytes go into a
/// spare file beside it, named as a temporary, which is then exchanged with it in one
/// step. The file is whole at every moment, and the spare keeps the version before for
/// the next write. Where the file is missing or is not a plain private file of this user
/// (a link, several names), it is replaced as replaceFile does, and where the file system
/// cannot exchange two names the spare is renamed over it. Not flushed.
WriteResult rewritePrivateFile(const QString &path, const QByteArray &bytes);
/// Removes the spare file rewritePrivateFile keeps beside path.
void removeSpareOf(const QString &path);

/// The reason for an errno value, in Japanese whatever the locale.
QString errorReason(int error);

/// Whether path names an existing regular file.
bool isRegularFile(const QString &path);
bool fileExists(const QString &path);
/// Whether anything is named path: a file, a directory, a link (even one that leads
/// nowhere).
bool nameExists(const QString &path);
/// Size in bytes, or -1 when it cannot be found.
qint64 fileSize(const QString &path);
bool deleteFile(const QString &path);
/// Renames a file within its file system, atomically; false when it is gone or the
/// rename fails.
bool renameFile(const QString &from, const QString &to);
/// The names of the entries of a directory, "." and ".." left out.
QStringList namesIn(const QString &dir);

/// The whole content of a regular file; false when it cannot be read.
bool readWholeFile(const QString &path, QByteArray &bytes);

/// Like readWholeFile, for a private file: one of the user's own that was left
/// unreadable (mode 000) is made private (0600) and read.
bool readPrivateFile(const QString &path, QByteArray &bytes);

/// Removes from dir the temporary files that a write of one of names left behind when
/// it was killed; call it only while no other copy of the program may be writing.
void removeStrayTemporaries(const QString &dir, const QStringList &names);

/// An identity of the file at path (device, inode, size, modification time); empty
/// when there is no such file.
QString fileIdentity(const QString &path);

} // namespace platform
