// A long line, and drawing only its part in view. Qt draws a line whole, every glyph
// of every script run, however little of it shows; on a line of tens of thousands of
// characters that is most of a keystroke.
#pragma once

#include <QList>
#include <QTextLayout>

class QPainter;
class QPaintDevice;
class QTextBlock;

namespace longline {

/// Characters from which a line is long: it keeps its glyphs between layouts and only
/// its part in view is drawn.
constexpr int kLongLine = 1000;

bool isLong(const QTextBlock &block);
/// Whether a text whose lines end in CR LF holds a long line.
bool hasLongLine(QStringView text);

/// Whether the text needs OpenType shaping to look right: combining marks and variation
/// selectors, joiners and other format characters, characters beyond the Basic
/// Multilingual Plane (emoji sequences among them), right-to-left characters, and every
/// script but Latin, Greek, Cyrillic, kana and kanji. Any other text is one glyph for
/// each character, the same unshaped but for kerning and ligatures; unshaped, a long
/// line is laid out in a fraction of the time.
bool needsShaping(QStringView text);

/// Whether the text holds a right-to-left character or embedding. Every one of them
/// needs shaping.
bool hasRightToLeft(QStringView text);

/// Whether drawInView can draw the laid-out block. A line with right-to-left text is
/// ordered across its whole length, so a part of it cannot be laid out alone; a block
/// and pre-edit known to hold none (no character in them needs shaping) are not looked
/// through again.
bool canDrawInView(const QTextBlock &block, bool mayHoldRightToLeft);

/// The caret to draw: a position in the block's layout, the pre-edit counted, as the
/// layout's drawCursor takes it; none below 0.
struct Caret
{
    int position = -1;
    int width = 1;
};

/// Draws the laid-out block, at offset, as its own layout would between the layout x
/// positions left and right: its text with the document's character formats, the
/// input method's pre-edit, the selections given in block positions, as the widget
/// passes them to the block's layout, and the caret. Only the characters in view, and a
/// few either side so that shaping at the edges is as in the whole line, are laid out
/// again; a line taller than those characters, with a selection on it, is drawn whole.
void drawInView(QPainter *painter, const QTextBlock &block, const QPointF &offset, qreal left,
                qreal right, const QList<QTextLayout::FormatRange> &selections, const Caret &caret,
                QPaintDevice *device);

} // namespace longline
