// The document file format. A Shift-JIS file: the ANSI code page, lines ending at CR LF
// or a lone CR, one final line end dropped on reading, the text plus one CR LF on
// writing. Linux files are also read and written back in their own form: UTF-8 (with
// or without a byte-order mark) and LF-only line ends.
#pragma once

#include <QByteArray>
#include <QString>

namespace documentformat {

/// Files larger than this are refused.
constexpr qint64 kMaxBytes = 64000;

enum class Encoding { ShiftJis, Utf8 };

/// How a file is stored, remembered by the document it was opened into.
struct Form
{
    Encoding encoding = Encoding::ShiftJis;
    bool byteOrderMark = false;
    /// Every line break is a LF alone: read and written with LF.
    bool lfLineEnds = false;
    /// The file ended with a line end; only a UTF-8 file may lack one when written.
    bool finalLineEnd = true;
    friend bool operator==(const Form &, const Form &) = default;
};

/// The form of a file's bytes: a UTF-8 byte-order mark, or valid UTF-8 holding at least
/// one non-ASCII character, is UTF-8; anything else (pure ASCII included) is Shift-JIS.
/// LF line ends: at least one LF and no CR at all.
Form recognise(const QByteArray &bytes);

/// The text of a file in its form: its lines joined with CR LF.
QString read(const QByteArray &bytes, const Form &form);
/// The text of a Shift-JIS file.
QString read(const QByteArray &bytes);
/// The bytes of a file holding text, in a form.
QByteArray write(const QString &text, const Form &form);
/// The bytes of a Shift-JIS file holding text.
QByteArray write(const QString &text);

/// The text of a recovery file: every line followed by CR LF. A backup that starts with
/// a UTF-8 byte-order mark is UTF-8, any other Shift-JIS.
QString readRecovery(const QByteArray &bytes);
/// Whether backup bytes are the UTF-8 form of a backup.
bool isUtf8Backup(const QByteArray &bytes);
/// The backup of text: Shift-JIS when the code page holds every character, else UTF-8
/// with a byte-order mark, so that no character is ever lost.
QByteArray writeBackup(const QString &text);

} // namespace documentformat
