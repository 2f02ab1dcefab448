// The system clipboard, plain text only. Linux programs exchange text with LF line ends;
// the editor's text has CR LF: the translation happens here, at the boundary.
#pragma once

#include <QString>

namespace platform {

/// The clipboard's text, "" when it holds none; a lone LF reads as CR LF.
QString getClipboardText();
/// Replaces the clipboard's text; CR LF is written as LF.
void setClipboardText(const QString &text);

/// The translations themselves.
QString clipboardToEditor(const QString &text);
QString editorToClipboard(const QString &text);

} // namespace platform
