// Which encoding a file's bytes are in. A byte-order mark decides; so does UTF-16's
// pattern of zero bytes, and ISO-2022-JP's escape sequences in 7-bit text; pure ASCII is
// Shift-JIS, as new documents are. Otherwise each Japanese encoding decodes the bytes and
// the decoding that reads as the most plausible Japanese text wins: undecodable bytes
// count heavily against it, kana and common kanji for it, stray accented letters,
// control characters and private-use characters against it. On a tie UTF-8 comes
// first, then Shift_JIS, then EUC-JP. Shift_JIS-2004 and EUC-JIS-2004 are chosen where
// Shift_JIS or EUC-JP cannot read some bytes and they can.
#pragma once

#include "platform/textcodec.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace charsetguess {

/// The encoding of a file's bytes.
platform::Charset recognise(const QByteArray &bytes);

/// The encoding of a file's bytes when the file records one (its user.charset
/// attribute, by name): the recorded one where it reads every byte and no byte-order mark
/// says otherwise, else what the bytes show.
platform::Charset recognise(const QByteArray &bytes, const QString &recorded);

/// How plausible text is as Japanese (or Latin) writing; undecodable bytes (byte
/// escapes) weigh most.
int plausibility(const QString &text);

/// Whether the bytes look like a binary file rather than text: more than one byte in a
/// hundred is NUL, in a file that is not UTF-16.
bool looksBinary(const QByteArray &bytes, platform::Charset encoding);

} // namespace charsetguess
