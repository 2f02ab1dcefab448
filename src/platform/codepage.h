// Conversion between the program's Unicode text and the ANSI code page (Shift-JIS as
// Windows defines it, code page 932 with its NEC and IBM extensions).
#pragma once

#include <QByteArray>
#include <QString>

namespace platform {

/// Encodes text in code page 932; a character with no byte form becomes "?", and
/// lossless, when given, tells whether every character had one.
QByteArray toAnsi(const QString &text, bool *lossless = nullptr);

/// Decodes code page 932 bytes; bytes that are not valid Shift-JIS become U+FFFD.
QString fromAnsi(const QByteArray &bytes);

/// Offset (in UTF-16 units) of the first character that code page 932 cannot hold,
/// or -1 when every character has a byte form.
qsizetype firstUnrepresentable(const QString &text);

/// Cuts bytes to at most maxBytes without splitting a double-byte character.
QByteArray truncateAnsi(const QByteArray &bytes, qsizetype maxBytes);

/// The form code page 932 reads back for a character that it stores with the same bytes
/// as another: the forms Linux input methods type (〜 − ‖ — ¢ £ ¬ ¦) give the Windows
/// forms (～ － ∥ ― ￠ ￡ ￢ ￤); every other character is its own stored form.
char16_t storedForm(char16_t ch);

/// Each character of text in its stored form.
QString storedForms(const QString &text);

/// True for a byte that starts a double-byte character in code page 932.
bool isAnsiLeadByte(unsigned char byte);

} // namespace platform
