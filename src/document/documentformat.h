// The document file format: the ANSI code page, lines ending at CR LF or a lone CR, one
// final line end dropped on reading, the text plus one CR LF on writing.
#pragma once

#include <QByteArray>
#include <QString>

namespace documentformat {

/// Files larger than this are refused.
constexpr qint64 kMaxBytes = 64000;

/// The text of a file: its lines joined with CR LF.
QString read(const QByteArray &bytes);
/// The text of a recovery file: every line followed by CR LF.
QString readRecovery(const QByteArray &bytes);
/// The bytes of a file holding text.
QByteArray write(const QString &text);

} // namespace documentformat
