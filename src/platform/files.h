// File-system operations: existence, size, deletion, whole-file reads and atomic writes.
#pragma once

#include <QByteArray>
#include <QString>

namespace platform {

/// Outcome of a write; message holds the system's reason when it failed.
struct WriteResult
{
    bool ok = false;
    QString message;
};

/// Replaces the file at path with bytes atomically: a temporary file beside it is
/// written, flushed to disk and renamed over it, so a crash or a full disk leaves either
/// the old complete file or the new one. With flush, the data reaches the disk before
/// the rename. An existing file's permissions are kept.
WriteResult writeFileAtomically(const QString &path, const QByteArray &bytes, bool flush);

/// Whether path names an existing regular file.
bool isRegularFile(const QString &path);
bool fileExists(const QString &path);
/// Size in bytes, or -1 when it cannot be found.
qint64 fileSize(const QString &path);
bool deleteFile(const QString &path);

/// The whole content of a regular file; false when it cannot be read.
bool readWholeFile(const QString &path, QByteArray &bytes);

} // namespace platform
