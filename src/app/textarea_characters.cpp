// Where the text area's characters stand on the screen, for whoever asks without a
// caret of its own: the accessibility interface.
#include "app/textarea.h"

#include <QFontMetrics>
#include <QTextBlock>
#include <QTextLayout>

QRect TextArea::characterRect(int position) const
{
    const QTextBlock block = document()->findBlock(position);
    if (!block.isValid() || position < 0)
        return {};
    // The block's place in the viewport: laid out first if it was not yet.
    const QPointF origin = blockBoundingGeometry(block).translated(contentOffset()).topLeft();
    const QTextLayout *layout = block.layout();
    int inLayout = position - block.position();
    // A pre-edit stands in the line before the character at its place and those after.
    if (const int preedit = layout->preeditAreaPosition();
        !layout->preeditAreaText().isEmpty() && inLayout >= preedit)
        inLayout += layout->preeditAreaText().size();
    const QTextLine line = layout->lineForTextPosition(inLayout);
    if (!line.isValid())
        return {};
    const qreal left = line.cursorToX(inLayout);
    const bool lineEnd = inLayout >= line.textStart() + line.textLength();
    const qreal right = lineEnd ? left + QFontMetrics(font()).horizontalAdvance(u' ')
                                : line.cursorToX(inLayout + 1);
    // Right to left, the next character stands to the left.
    const QRectF box(QPointF(qMin(left, right), line.y()),
                     QPointF(qMax(left, right), line.y() + line.height()));
    return box.translated(origin).toAlignedRect();
}

int TextArea::characterAt(const QPoint &point) const
{
    const int nearest = cursorForPosition(point).position();
    // The nearest caret place may stand after the character hit, or beyond a line.
    for (const int position : {nearest, nearest - 1}) {
        if (position >= 0 && characterRect(position).contains(point))
            return position;
    }
    return -1;
}
