// The editor's text model: a UTF-16 text whose line breaks are CR LF, any character
// inside a line. The document that shows it holds blocks for the CR LF pairs and
// visible stand-ins for the characters the widget would take for line breaks, and for
// the bytes of a file that its encoding could not read (byte escapes, shown as U+FFFD).
// A stand-in is known by a mark in its character format, never by its code point, so
// the same character typed by the user stays what it is. Here: the document form of a
// model text, and the model text kept current change by change.
#pragma once

#include <QList>
#include <QString>

#include <utility>

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

/// Whether c is the glyph some stand-in is shown with: only such a character in the
/// document can be a stand-in (the same character typed is not one).
bool isStandInGlyph(QChar c);

/// The document form of a model text, as runs to insert in order.
QList<Segment> documentSegments(const QString &model);

/// What the model reads of the document that shows it. Positions are the document's:
/// one for each character, one for each block separator (U+2029 in the raw text).
class DocumentReader
{
public:
    virtual ~DocumentReader() = default;
    /// The document's characters, U+2029 between blocks, stand-ins as their glyphs.
    virtual QString rawText() const = 0;
    /// The number of the block holding position (0 for the first).
    virtual int blockNumberAt(int position) const = 0;
    /// The model text of the positions [from, to), whose characters are raw's (the raw
    /// text as read just now): block separators as CR LF, stand-ins as the characters
    /// they stand for.
    virtual QString modelOf(QStringView raw, int from, int to) const = 0;
};

/// The model text of a document, kept current from the document's change notifications:
/// only the changed run is converted again; the document's raw text is still read and
/// compared whole on each change (a copy of the text, far below the widget's own layout).
class TextModel
{
public:
    explicit TextModel(const DocumentReader &document);

    /// The document reported that at position from, removed characters gave way to added
    /// ones. Returns whether its text changed (a change of formats or of an input
    /// method's pre-edit also reports one).
    bool documentChanged(int from, int removed, int added);

    /// The whole model text; read from the whole document after a change that could not
    /// be followed.
    const QString &text() const;

    /// For a change the document is about to report (see documentChanged): its positions
    /// [first, second) that hold other characters than before, the reported run less
    /// what begins and ends it unchanged. An input method reports its whole line as
    /// changed when it shows a pre-edit, of which the document holds nothing, or commits.
    std::pair<int, int> changedRun(int from, int removed, int added) const;

private:
    /// Whether the change fits the raw text as it was and rawSize as it is now.
    bool fits(int from, int removed, int added, qsizetype rawSize) const;
    /// Replaces the model's run for the change with the document's; false when it was
    /// already the same.
    bool replaceRun(QStringView raw, int from, int removed, int added);

    const DocumentReader &m_document;
    QString m_raw;               // the document's raw text at the last notification
    mutable QString m_model;     // the model form of m_raw, built on demand
    mutable bool m_valid = true; // m_model is m_raw in model form
};

} // namespace textmodel
