// Texts of the messages about the recovery files.
#pragma once

#include <QString>

namespace messages {

/// This copy could lock no recovery slot: its text is kept in a file of its own, offered
/// by the next start after a crash.
QString backupUnlocked(const QString &path);

/// A restored text could not be written to this copy's recovery file: its source stays.
QString leftoverKept(const QString &source, const QString &own);

/// The one warning of a run when backup.txt cannot be written.
QString backupFailed(const QString &path, const QString &reason);

/// Added to the recovery prompt when more texts of copies that ended abnormally wait.
QString moreToRecover(int count);

/// Said once at start-up when a recovery file cannot be used and another protects the
/// text.
QString backupUnusable(const QString &unusablePath, const QString &usedPath);

} // namespace messages
