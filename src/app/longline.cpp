// A long line, and drawing only its part in view.
#include "app/longline.h"

#include <QPainter>
#include <QTextBlock>

#include <climits>

namespace longline {

namespace {

// Cursor positions kept either side of the part in view: shaping joins or moves glyphs
// only within a few characters, so those in view are shaped as in the whole line.
constexpr int kContext = 8;

// The text the block's layout holds: the block's own, with the pre-edit inside it.
QString layoutText(const QTextBlock &block)
{
    QString text = block.text();
    const QTextLayout *layout = block.layout();
    if (!layout->preeditAreaText().isEmpty())
        text.insert(layout->preeditAreaPosition(), layout->preeditAreaText());
    return text;
}

void addWithin(QList<QTextLayout::FormatRange> &out, int start, int end,
               const QTextCharFormat &format, int from, int to)
{
    start = qMax(start, from);
    end = qMin(end, to);
    if (start < end)
        out.append({start - from, end - start, format});
}

// The document's character formats over the layout positions [from, to), counted from
// from. The pre-edit takes the format of the character before it, as in the block's
// layout, and the input method's own formats of it come last, over the rest.
QList<QTextLayout::FormatRange> formatsWithin(const QTextBlock &block, int from, int to)
{
    const QTextLayout *layout = block.layout();
    const int preeditLength = int(layout->preeditAreaText().size());
    const int preeditAt = preeditLength > 0 ? layout->preeditAreaPosition() : INT_MAX;
    QTextCharFormat beforePreedit;
    QList<QTextLayout::FormatRange> out;
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        const int start = fragment.position() - block.position();
        const int end = start + fragment.length();
        if (start < preeditAt)
            addWithin(out, start, qMin(end, preeditAt), fragment.charFormat(), from, to);
        if (end > preeditAt)
            addWithin(out, qMax(start, preeditAt) + preeditLength, end + preeditLength,
                      fragment.charFormat(), from, to);
        if (start < preeditAt && preeditAt <= end)
            beforePreedit = fragment.charFormat();
    }
    if (preeditLength > 0) {
        addWithin(out, preeditAt, preeditAt + preeditLength, beforePreedit, from, to);
        for (const QTextLayout::FormatRange &r : layout->formats())
            addWithin(out, r.start, r.start + r.length, r.format, from, to);
    }
    return out;
}

int stepOut(const QTextLayout &layout, int position, int step, int end)
{
    for (int kept = 0; kept < kContext && position != end;) {
        position += step;
        if (layout.isValidCursorPosition(position))
            ++kept;
    }
    return position;
}

bool isRightToLeft(QChar::Direction direction)
{
    switch (direction) {
    case QChar::DirR:
    case QChar::DirAL:
    case QChar::DirAN:
    case QChar::DirRLE:
    case QChar::DirRLO:
    case QChar::DirRLI:
    case QChar::DirFSI:
        return true;
    default:
        return false;
    }
}

qreal baseline(const QTextLine &line)
{
    return line.ascent() + (line.leadingIncluded() ? qMax(qreal(0), line.leading()) : 0);
}

} // namespace

bool isLong(const QTextBlock &block)
{
    return block.length() - 1 >= kLongLine; // its length counts the line break
}

bool hasLongLine(QStringView text)
{
    qsizetype start = 0;
    for (;;) {
        const qsizetype end = text.indexOf(u"\r\n", start);
        if ((end < 0 ? text.size() : end) - start >= kLongLine)
            return true;
        if (end < 0)
            return false;
        start = end + 2;
    }
}

bool needsShaping(QStringView text)
{
    for (const QChar c : text) {
        switch (c.category()) {
        case QChar::Mark_NonSpacing:
        case QChar::Mark_SpacingCombining:
        case QChar::Mark_Enclosing:
        case QChar::Other_Format:
        case QChar::Other_Surrogate:
            return true;
        default:
            break;
        }
        // Punctuation of right-to-left scripts is common to several of them.
        if (isRightToLeft(c.direction()))
            return true;
        switch (c.script()) {
        case QChar::Script_Common:
        case QChar::Script_Latin:
        case QChar::Script_Greek:
        case QChar::Script_Cyrillic:
        case QChar::Script_Hiragana:
        case QChar::Script_Katakana:
        case QChar::Script_Han:
            break;
        default:
            return true;
        }
    }
    return false;
}

bool hasRightToLeft(QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t u = text.at(i).unicode();
        if (QChar::isHighSurrogate(u) && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            u = QChar::surrogateToUcs4(text.at(i), text.at(i + 1));
            ++i;
        }
        if (isRightToLeft(QChar::direction(u)))
            return true;
    }
    return false;
}

bool canDrawInView(const QTextBlock &block, bool mayHoldRightToLeft)
{
    const QTextLayout *layout = block.layout();
    return layout->lineCount() == 1 &&
           !(mayHoldRightToLeft &&
             (hasRightToLeft(block.text()) || hasRightToLeft(layout->preeditAreaText())));
}

void drawInView(QPainter *painter, const QTextBlock &block, const QPointF &offset, qreal left,
                qreal right, const QList<QTextLayout::FormatRange> &selections,
                QPaintDevice *device)
{
    const QTextLayout *layout = block.layout();
    const QTextLine line = layout->lineAt(0);
    const QString text = layoutText(block);
    int from = stepOut(*layout, line.xToCursor(left), -1, 0);
    const int to = stepOut(*layout, line.xToCursor(right), 1, int(text.size()));
    // A tab reaches the next stop counted from the start of the line that holds it. The
    // part then starts just after a tab, on a stop, so that its own stops are the line's.
    const qsizetype tab = text.indexOf(u'\t', from);
    if (from > 0 && tab >= 0 && tab < to)
        from = int(text.lastIndexOf(u'\t', from - 1) + 1);

    QTextLayout part(text.mid(from, to - from), block.document()->defaultFont(), device);
    part.setTextOption(layout->textOption());
    part.setFormats(formatsWithin(block, from, to));
    part.beginLayout();
    QTextLine partLine = part.createLine();
    partLine.setLeadingIncluded(line.leadingIncluded());
    partLine.setLineWidth(INT_MAX);
    // Where these characters stand in the whole line, on its baseline.
    partLine.setPosition(
        QPointF(line.cursorToX(from), line.y() + baseline(line) - baseline(partLine)));
    part.endLayout();

    QList<QTextLayout::FormatRange> shifted;
    for (const QTextLayout::FormatRange &s : selections) {
        const int start = qMax(s.start, from);
        const int length = s.start + s.length - start;
        if (length > 0)
            shifted.append({start - from, length, s.format});
    }
    part.draw(painter, offset + layout->position(), shifted);
}

} // namespace longline
