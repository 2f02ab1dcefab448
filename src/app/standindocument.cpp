// Model text in a QTextDocument: blocks, marked stand-ins, and positions both ways.
#include "app/standindocument.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace {

// The character format property that marks a stand-in; its value is the model character
// it stands for.
constexpr int kStandInFor = QTextFormat::UserProperty + 1;

QTextCharFormat standInFormat(char16_t modelChar, const QColor &color)
{
    QTextCharFormat format;
    format.setProperty(kStandInFor, int(modelChar));
    format.setForeground(color);
    return format;
}

} // namespace

QString StandInDocument::rawText() const
{
    return m_document->toRawText();
}

int StandInDocument::blockNumberAt(int position) const
{
    return m_document->findBlock(position).blockNumber();
}

void StandInDocument::insert(QTextCursor &cursor, const QString &modelText,
                             const QColor &standInColor)
{
    for (const textmodel::Segment &segment : textmodel::documentSegments(modelText)) {
        if (!segment.isStandIn)
            cursor.insertText(segment.text, QTextCharFormat());
        else
            cursor.insertText(segment.text, standInFormat(segment.standInFor, standInColor));
    }
}

QString StandInDocument::modelOf(QStringView text, int from, int to) const
{
    // Only where a character is a stand-in's glyph is its format looked up: walking the
    // document's blocks and fragments was most of reading a whole text.
    const QStringView raw = text.mid(from, to - from);
    QString out;
    // Each line break grows from one character to two.
    out.reserve(raw.size() + m_document->findBlock(to).blockNumber() -
                m_document->findBlock(from).blockNumber());
    qsizetype runStart = 0;
    const auto replace = [&](qsizetype i, QStringView with) {
        out.append(raw.mid(runStart, i - runStart));
        out.append(with);
        runStart = i + 1;
    };
    for (qsizetype i = 0; i < raw.size(); ++i) {
        const QChar c = raw.at(i);
        if (c == QChar::ParagraphSeparator) {
            replace(i, u"\r\n");
        } else if (textmodel::isStandInGlyph(c)) {
            QTextCursor after(m_document);
            after.setPosition(from + int(i) + 1);
            const QVariant standInFor = after.charFormat().property(kStandInFor);
            if (standInFor.isValid()) {
                const QChar modelChar(char16_t(standInFor.toInt()));
                replace(i, QStringView(&modelChar, 1));
            }
        }
    }
    out.append(raw.mid(runStart));
    return out;
}

void StandInDocument::unmark(int from, int to)
{
    // The marked runs are found first: clearing a mark changes the fragments walked.
    // Positions are counted along the way: a block or a fragment asked for its own walks
    // the document's tree.
    QList<std::pair<int, int>> marked;
    QTextBlock block = m_document->findBlock(from);
    for (int blockStart = block.position(); block.isValid() && blockStart < to;
         blockStart += block.length(), block = block.next()) {
        int fragmentStart = blockStart;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const int fragmentEnd = fragmentStart + fragment.length();
            const int start = qMax(fragmentStart, from);
            const int end = qMin(fragmentEnd, to);
            if (start < end && fragment.charFormat().hasProperty(kStandInFor))
                marked.append({start, end});
            fragmentStart = fragmentEnd;
        }
    }
    for (const auto &[start, end] : marked) {
        QTextCursor c(m_document);
        c.setPosition(start);
        c.setPosition(end, QTextCursor::KeepAnchor);
        c.setCharFormat(QTextCharFormat());
    }
}

int StandInDocument::toModel(int position) const
{
    return position + blockNumberAt(position);
}

int StandInDocument::toDocument(int modelOffset) const
{
    // The last block whose model start is at or before the offset.
    int low = 0;
    int high = m_document->blockCount() - 1;
    while (low < high) {
        const int mid = (low + high + 1) / 2;
        if (m_document->findBlockByNumber(mid).position() + mid <= modelOffset)
            low = mid;
        else
            high = mid - 1;
    }
    const QTextBlock block = m_document->findBlockByNumber(low);
    const int within = modelOffset - (block.position() + low);
    return block.position() + qBound(0, within, block.length() - 1);
}

int StandInDocument::lineCount() const
{
    return m_document->blockCount();
}
