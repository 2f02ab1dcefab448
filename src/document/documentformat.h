// The document file format. A Shift-JIS file: the ANSI code page, lines ending at CR LF
// or a lone CR, one final line end dropped on reading, the text plus one CR LF on
// writing. Files in other encodings (UTF-8, UTF-16, EUC-JP, ISO-2022-JP, the JIS X 0213
// forms) are read and written back in their own form: encoding, byte-order mark, line
// ends and final line end; an unchanged line keeps the bytes it was read from.
#pragma once

#include "platform/textcodec.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

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
/// The line ends a name of lineEndsName() stands for.
std::optional<LineEnds> lineEndsNamed(QStringView name);

/// One line of a file as it was read.
struct ReadLine
{
    QString text;
    QByteArray bytes;
    /// The line end that followed it: CR LF, a lone CR, LF (in its UTF-16 unit); empty
    /// for the last line when the file did not end with one.
    QByteArray end;
    /// ISO-2022-JP: whether the shift state was the initial one (ASCII) before the line
    /// and after it.
    bool asciiBefore = true;
    bool asciiAfter = true;
    friend bool operator==(const ReadLine &, const ReadLine &) = default;
};

/// How a file is stored, remembered by the document it was opened into.
struct Form
{
    Charset encoding = Charset::ShiftJis;
    bool byteOrderMark = false;
    LineEnds lineEnds = LineEnds::CrLf;
    /// The file ended with a line end. A Shift-JIS file is always written with one.
    bool finalLineEnd = true;
    /// The file's lines as read. A line still in its place (by the lines around it, not
    /// only by its text) is written back as those very bytes with the line end it had.
    QList<ReadLine> lines;
    /// The encoding whose bytes the text's kept bytes (byte escapes) are; in another
    /// encoding they mean nothing and cannot be written as they are.
    Charset keptBytesFrom = Charset::ShiftJis;
    /// ISO-2022-JP: the designations the file used, through which a character plain
    /// ISO-2022-JP lacks may be written.
    QList<QByteArray> designations;
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

/// What stands in the way of writing a text as it is shown.
enum class Trouble {
    None,
    /// A character the encoding cannot hold; written as "?".
    Unrepresentable,
    /// A byte kept from a file that cannot be written as it was: it came from another
    /// encoding, or in UTF-16 it has lost its partner byte. Written as "?" (U+FFFD in the
    /// Unicode forms).
    KeptByte,
    /// The bytes written read back as another text: a kept byte joins the characters
    /// written beside it, or a line break reads otherwise.
    ReadsOtherwise,
};

/// The first trouble of a write and the text offset where it is.
struct WriteCheck
{
    Trouble trouble = Trouble::None;
    qsizetype offset = -1;
};

/// The bytes of a file holding text in a form. Lines still in their place keep their
/// bytes; the others are encoded afresh. The written bytes are read back, and the first
/// trouble (in the order above) is given in check.
QByteArray write(const QString &text, const Form &form, WriteCheck *check = nullptr);
/// The bytes of a Shift-JIS file holding text.
QByteArray write(const QString &text);

/// The offset of the first byte kept undecoded in text, or -1.
qsizetype firstByteEscape(const QString &text);
/// Whether the text holds bytes that were kept undecoded.
inline bool hasByteEscapes(const QString &text)
{
    return firstByteEscape(text) >= 0;
}

/// The text with each kept byte replaced by U+FFFD: what such bytes become in another
/// encoding, where they mean nothing.
QString withKeptBytesReplaced(QString text);

/// The form a document takes when saved in another encoding: its line ends and final
/// line end stay, a Shift-JIS file breaks lines with CR LF or LF, a UTF-16 file starts
/// with a byte-order mark; no line keeps bytes of the old encoding, and the kept bytes
/// stay those of the old encoding.
Form convertedForm(const Form &form, Charset encoding);

/// The line ends a document can be saved with, in the order the save dialog lists them.
inline constexpr LineEnds kLineEnds[] = {LineEnds::CrLf, LineEnds::Lf, LineEnds::Cr};

/// The form a document takes when saved with the line ends and byte-order mark chosen:
/// other line ends go to every line (a Shift-JIS file breaks lines with CR LF or LF);
/// the mark only in UTF-8 and UTF-16.
Form withLayout(Form form, LineEnds lineEnds, bool byteOrderMark);

} // namespace documentformat
