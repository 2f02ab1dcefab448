// The document file format. A Shift-JIS file: the ANSI code page, lines ending at CR LF
// or a lone CR, one final line end dropped on reading, the text plus one CR LF on
// writing. Files in other encodings (UTF-8, UTF-16, EUC-JP, ISO-2022-JP, the JIS X 0213
// forms) are read and written back in their own form: encoding, byte-order mark, line
// ends and final line end; an unchanged line keeps the bytes it was read from.
#pragma once

#include "platform/textcodec.h"

#include <QByteArray>
#include <QHash>
#include <QString>

namespace documentformat {

using platform::Charset;

/// Files larger than this (bytes on disk) are refused.
constexpr qint64 kMaxBytes = 64000;

enum class LineEnds {
    CrLf, // CR LF and a lone CR end lines, a lone LF is a character; written CR LF
    Lf,   // every line break is a LF alone
    Cr,   // every line break is a CR alone (never for Shift-JIS, which writes CR LF)
};

/// "CRLF", "LF" or "CR".
QString lineEndsName(LineEnds lineEnds);

/// How a file is stored, remembered by the document it was opened into.
struct Form
{
    Charset encoding = Charset::ShiftJis;
    bool byteOrderMark = false;
    LineEnds lineEnds = LineEnds::CrLf;
    /// The file ended with a line end. A Shift-JIS file is always written with one.
    bool finalLineEnd = true;
    /// The bytes each line was read from, by its text, for the lines whose bytes the
    /// encoding might not give back by itself (a character read in the second of its two
    /// codes, an escape sequence of the file's own choosing): an unchanged line is written
    /// back as it was read.
    QHash<QString, QByteArray> keptLines;
    /// The text read and the bytes it was read from: a text still unchanged is written
    /// back as those very bytes, whatever the lines hold (a byte kept undecoded inside a
    /// shifted run of ISO-2022-JP, mixed line ends). Not for Shift-JIS, whose files
    /// always end with one CR LF.
    QString readText;
    QByteArray readBytes;
    friend bool operator==(const Form &, const Form &) = default;
};

/// A file's text and form.
struct Reading
{
    QString text; // lines joined by CR LF
    Form form;
    /// Bytes the encoding could not read; they are kept in the text as byte escapes.
    int undecodableBytes = 0;
};

/// Reads a file in the encoding its bytes show (see charsetguess.h).
Reading read(const QByteArray &bytes);
/// Reads a file in the encoding the user chose; a byte-order mark of that encoding is
/// recognised.
Reading read(const QByteArray &bytes, Charset encoding);

/// The bytes of a file holding text in a form. A character the encoding cannot hold is
/// written as "?" and the offset of the first one is given in firstUnrepresentable (-1
/// when there is none).
QByteArray write(const QString &text, const Form &form, qsizetype *firstUnrepresentable = nullptr);
/// The bytes of a Shift-JIS file holding text.
QByteArray write(const QString &text);

/// The offset of the first byte kept undecoded in text, or -1.
qsizetype firstByteEscape(const QString &text);
/// Whether the text holds bytes that were kept undecoded.
inline bool hasByteEscapes(const QString &text)
{
    return firstByteEscape(text) >= 0;
}

/// The form a document takes when saved in another encoding: its line ends and final
/// line end stay, a Shift-JIS file breaks lines with CR LF or LF, a UTF-16 file starts
/// with a byte-order mark; no line keeps bytes of the old encoding.
Form convertedForm(const Form &form, Charset encoding);

} // namespace documentformat
