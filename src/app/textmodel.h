// Conversion between the editor's text model (CR LF line breaks, any character inside a
// line) and what QTextDocument holds: blocks for the CR LF pairs, and visible stand-ins
// for the characters the widget would take for line breaks, and for the bytes of a file
// that its encoding could not read (byte escapes, shown as U+FFFD). A stand-in is known by a
// mark in its character format, never by its code point, so the same character typed
// by the user stays what it is.
#pragma once

#include <QList>
#include <QString>

namespace textmodel {

/// A run of the document form: plain text ("\n" between blocks), or stand-in glyphs
/// for the model character standInFor, when isStandIn.
struct Segment
{
    QString text;
    bool isStandIn = false;
    char16_t standInFor = 0;
};

/// Whether the model character at i, outside a CR LF pair, must be held as a stand-in: a
/// lone CR or LF, NUL, the separators Qt uses itself, and a byte escape.
bool needsStandIn(QStringView model, qsizetype i);

/// The glyph shown for a model character held as a stand-in.
QChar standInGlyph(char16_t modelChar);

/// The document form of a model text, as runs to insert in order.
QList<Segment> documentSegments(const QString &model);

} // namespace textmodel
