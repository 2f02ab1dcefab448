// A long line, and drawing only its part in view.
#include "app/longline.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTextBlock>

#include <climits>
#include <memory>

namespace longline {

namespace {

// Cursor positions kept either side of the part in view: shaping joins or moves glyphs
// only within a few characters, so those in view are shaped as in the whole line.
constexpr int kContext = 8;

// Characters of the narrowest width from the line's start within which a view is laid out
// from the start: laying out that many costs less than the two walks of the whole line
// that find where a view starts (each walk as much as some thousand characters laid out).
constexpr int kNearStart = 1024;

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

// Less than the narrowest character's advance, to count how many fit into a width.
qreal narrowest(const QTextBlock &block, QPaintDevice *device)
{
    const QFontMetricsF metrics(block.document()->defaultFont(), device);
    return qMax(qreal(1), metrics.averageCharWidth() / 2);
}

// Whether the line's first character stands at the line's own x: left to right, aligned
// left. Elsewhere only the line itself can say where it starts.
bool startsAtLineX(const QTextLayout &layout)
{
    const QTextOption option = layout.textOption();
    return option.textDirection() != Qt::RightToLeft &&
           !(option.alignment() & (Qt::AlignRight | Qt::AlignHCenter | Qt::AlignJustify));
}

// The characters of a line from a cursor position of it on, laid out on their own and
// standing where they stand in the whole line, on its baseline.
class Part
{
public:
    Part(const QTextBlock &block, const QString &text, int from, qreal fromX, QPaintDevice *device)
        : m_block(block), m_text(text), m_from(from), m_fromX(fromX), m_device(device)
    {
    }

    // Lays out enough characters to reach kContext cursor positions past right, or the
    // end of the line. Their number is guessed from the narrowest advance and doubled
    // while short.
    void reach(qreal right, qreal narrow)
    {
        const QTextLayout &whole = *m_block.layout();
        const int available = int(m_text.size()) - m_from;
        const qreal width = qMax(qreal(0), right - m_fromX);
        int length = int(qMin(qreal(available), width / narrow + 4 * kContext));
        for (;;) {
            layOut(length);
            const int atRight = m_from + m_layout->lineAt(0).xToCursor(right);
            if (length == available ||
                stepOut(whole, atRight, 1, int(m_text.size())) <= m_from + length)
                return;
            length = int(qMin(qint64(available), 2 * qint64(length)));
        }
    }

    int end() const { return m_from + int(m_layout->text().size()); }

    // selections are given in positions of the whole line.
    void draw(QPainter *painter, const QPointF &origin,
              const QList<QTextLayout::FormatRange> &selections) const
    {
        // A selection that goes on past the line's end is marked past it, as the widget
        // marks a line break; past the part's end it is not.
        const bool lineEnd = end() == m_text.size();
        QList<QTextLayout::FormatRange> shifted;
        for (const QTextLayout::FormatRange &s : selections) {
            const int start = qMax(s.start, m_from);
            const int length =
                (lineEnd ? s.start + s.length : qMin(s.start + s.length, end())) - start;
            if (length > 0)
                shifted.append({start - m_from, length, s.format});
        }
        m_layout->draw(painter, origin, shifted);
    }

    // Whether the part is as tall as the whole line, which may hold characters of a
    // taller face elsewhere.
    bool isAsTallAsLine() const
    {
        const QTextLine whole = m_block.layout()->lineAt(0);
        const QTextLine line = m_layout->lineAt(0);
        return baseline(whole) == baseline(line) && whole.descent() == line.descent();
    }

    // Whether the part draws the caret at a position of the line as the line would. The
    // caret takes the height of the character before it, and at the start of the line the
    // line's.
    bool drawsCaretAt(int position) const
    {
        if (position < m_from || position > end())
            return false;
        return position > 0 ? position > m_from : isAsTallAsLine();
    }

    void drawCursor(QPainter *painter, const QPointF &origin, const Caret &caret) const
    {
        m_layout->drawCursor(painter, origin, caret.position - m_from, caret.width);
    }

private:
    void layOut(int length)
    {
        const QTextLayout &whole = *m_block.layout();
        const QTextLine wholeLine = whole.lineAt(0);
        m_layout = std::make_unique<QTextLayout>(m_text.mid(m_from, length),
                                                 m_block.document()->defaultFont(), m_device);
        m_layout->setTextOption(whole.textOption());
        m_layout->setFormats(formatsWithin(m_block, m_from, m_from + length));
        // Drawn, then asked where the caret stands: shaped once for both.
        m_layout->setCacheEnabled(true);
        m_layout->beginLayout();
        QTextLine line = m_layout->createLine();
        line.setLeadingIncluded(wholeLine.leadingIncluded());
        line.setLineWidth(INT_MAX);
        line.setPosition(QPointF(m_fromX, wholeLine.y() + baseline(wholeLine) - baseline(line)));
        m_layout->endLayout();
    }

    QTextBlock m_block;
    QString m_text;
    int m_from;
    qreal m_fromX;
    QPaintDevice *m_device;
    std::unique_ptr<QTextLayout> m_layout;
};

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
                qreal right, const QList<QTextLayout::FormatRange> &selections, const Caret &caret,
                QPaintDevice *device)
{
    const QTextLayout *layout = block.layout();
    const QTextLine line = layout->lineAt(0);
    const QString text = layoutText(block);
    // Every question put to the line walks all of its script runs. A view near the start
    // of the line asks none; elsewhere, where the view starts and where that character
    // stands.
    int from = 0;
    qreal fromX = line.x();
    const qreal narrow = narrowest(block, device);
    if (!startsAtLineX(*layout) || left - line.x() > kNearStart * narrow) {
        from = stepOut(*layout, line.xToCursor(left), -1, 0);
        fromX = line.cursorToX(from);
    }
    Part part(block, text, from, fromX, device);
    part.reach(right, narrow);
    // A tab reaches the next stop counted from the start of the line that holds it. The
    // part then starts just after a tab, on a stop, so that its own stops are the line's.
    if (from > 0 && QStringView(text).sliced(from, part.end() - from).contains(u'\t')) {
        from = int(text.lastIndexOf(u'\t', from - 1) + 1);
        part = Part(block, text, from, line.cursorToX(from), device);
        part.reach(right, narrow);
    }
    // A selection is marked over the height of the line that holds it. Where the line is
    // taller than the part, the line is drawn whole: slower, and only while something is
    // selected or marked on it.
    const bool whole = !selections.isEmpty() && !part.isAsTallAsLine();
    if (whole)
        layout->draw(painter, offset, selections);
    else
        part.draw(painter, offset + layout->position(), selections);

    if (caret.position < 0)
        return;
    if (!whole && part.drawsCaretAt(caret.position))
        part.drawCursor(painter, offset + layout->position(), caret);
    else
        layout->drawCursor(painter, offset, caret.position, caret.width);
}

} // namespace longline
