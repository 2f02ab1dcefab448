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

} // namespace messages
