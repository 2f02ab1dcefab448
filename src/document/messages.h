// Texts of the messages the document procedures show.
#pragma once

#include <QString>

namespace messages {

QString fileTooLarge();
/// Warning for a path ending in .EXE, .DLL, .SYS or .OCX (any case); empty otherwise.
QString dangerousExtension(const QString &path);
/// The save prompt naming the document.
QString savePrompt(const QString &documentPath);
/// A failed document write, naming the file and the system's reason.
QString writeFailed(const QString &path, const QString &reason);
/// The question before saving characters Shift-JIS cannot hold.
QString unrepresentable(const QString &text, qsizetype firstOffset);
/// The one warning of a run when backup.txt cannot be written.
QString backupFailed(const QString &path, const QString &reason);

/// The preview could not start a browser for address.
QString browserFailed(const QString &address);

} // namespace messages
