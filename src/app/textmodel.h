// Conversion between the editor's text model (CR LF line breaks, any character inside a
// line) and the form QTextDocument holds.
#pragma once

#include <QString>

namespace textmodel {

/// The document character standing in for a model character the widget would take for
/// a line break (lone CR, lone LF, Qt's own separators); other characters unchanged.
QChar standInFor(QChar modelChar);

/// The text to hand QTextCursor::insertText, which makes a block of every "\n".
QString documentForm(const QString &model);

/// The model text of a document's raw text (QTextDocument::toRawText).
QString modelForm(const QString &raw);

} // namespace textmodel
