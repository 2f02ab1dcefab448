// Conversion between the program's Unicode text and the ANSI code page (Shift-JIS as
// Windows defines it, code page 932 with its NEC and IBM extensions).
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

namespace platform {

/// Encodes text in code page 932 as the settings file stores it: ¥ and ‾ as \ and ~, a
/// character with no byte form as "?". (Documents are encoded through textcodec.h.)
QByteArray toAnsi(const QString &text);

/// Decodes code page 932 bytes; bytes that are not valid Shift-JIS become U+FFFD.
/// Documents keep such bytes instead (platform/textcodec.h).
QString fromAnsi(const QByteArray &bytes);

/// Encodes a document's text in code page 932: byte escapes (textcodec.h) as their
/// bytes, a character the code page lacks, ¥ and ‾ (which it would write as \ and ~) as
/// "?", the offset of the first such character in firstUnrepresentable (-1 if none).
QByteArray encodeAnsi(QStringView text, qsizetype *firstUnrepresentable);

/// ¥ and ‾: the Japanese tables write them as the bytes of \ and ~, which read back as
/// those, so a document encoding does not hold them.
inline constexpr char16_t kYen = 0x00A5;
inline constexpr char16_t kOverline = 0x203E;

/// The character Windows' code page 932 reads for one of the five single bytes glibc's
/// table lacks (0x80, 0xA0, 0xFD–0xFF), writing it back as the same byte; 0 for any
/// other byte.
char16_t windowsSingleByte(unsigned char byte);

/// The code page 932 form of one BMP character: a byte, or two bytes as lead * 256 +
/// trail; -1 when the code page has none.
int ansiCode(char16_t ch);

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
