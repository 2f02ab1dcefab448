// Which encoding a file's bytes are in. A byte-order mark decides; so do UTF-16's units
// where they leave no doubt, and ISO-2022-JP's escape sequences in 7-bit text; pure ASCII
// is Shift-JIS, as new documents are. Otherwise UTF-8, Shift_JIS and EUC-JP decode a
// sample and are weighed by what they read: valid UTF-8 wins unless another reading is
// clearly better Japanese, UTF-8 with a few bad bytes stays UTF-8, and otherwise the most
// plausible reading wins (on a tie UTF-8, then Shift_JIS, then EUC-JP). The extensions
// (Shift_JIS-2004, eucJP-ms, EUC-JIS-2004) are chosen where their base cannot read some
// bytes and they read fewer bad.
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
