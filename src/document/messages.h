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
/// The question before saving characters the encoding (by its name) cannot hold.
QString unrepresentable(const QString &text, qsizetype firstOffset, const QString &encoding);
/// The question before saving kept bytes that cannot be written as they were (from
/// another encoding, or a UTF-16 byte without its partner), naming the first one's line.
QString keptBytesCannotBeWritten(const QString &text, qsizetype firstOffset,
                                 const QString &encoding);
/// The question before saving a text whose bytes would read back as another text, naming
/// the first line where they differ.
QString readsOtherwise(const QString &text, qsizetype firstOffset);
/// The question before inserting a file of another encoding that holds bytes its own
/// encoding could not read.
QString foreignKeptBytes(const QString &encoding, int count);
/// Said once when a file is opened with bytes its encoding cannot read (the first at
/// firstOffset of text); they are kept as they are.
QString undecodableBytes(const QString &encoding, int count, const QString &text,
                         qsizetype firstOffset);
/// The question before opening a file that looks like a binary file.
QString binaryFile(const QString &path);
/// How the document is stored, for the status bar: encoding, byte-order mark, line ends.
QString formLabel(const QString &encoding, bool byteOrderMark, const QString &lineEnds);
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

/// The preview could not start a browser for address.
QString browserFailed(const QString &address);

/// 常に手前に表示 under a display server that does not allow it (Wayland).
QString topMostUnavailable();

/// Printing refused before anything is printed: the text area's font is too large for a
/// body line between the header and the footer of a page, or too small to measure.
QString printFontTooLarge(double points);
QString printFontTooSmall(double points);

} // namespace messages
