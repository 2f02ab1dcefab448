// The first-line rule of a one-line text box.
#include "app/onelineedit.h"

#include <QRegularExpression>

namespace oneline {

Edit keepFirstLine(const QString &before, const QString &after, int cursor)
{
    const qsizetype breakAt = after.indexOf(QRegularExpression(QStringLiteral("[\r\n]")));
    if (breakAt < 0)
        return {after, cursor};
    // The edit kept a common start and a common end of the old text and inserted what
    // lies between them; the old text held no line break, so the first one is inserted.
    qsizetype head = 0;
    const qsizetype common = qMin(before.size(), after.size());
    while (head < common && before.at(head) == after.at(head))
        ++head;
    qsizetype tail = 0;
    while (tail < common - head &&
           before.at(before.size() - 1 - tail) == after.at(after.size() - 1 - tail))
        ++tail;
    const qsizetype insertedEnd = after.size() - tail;
    const qsizetype keptEnd = qMax(head, qMin(breakAt, insertedEnd));
    return {after.left(keptEnd) + after.mid(insertedEnd), int(keptEnd)};
}

} // namespace oneline

OneLineEdit::OneLineEdit(QWidget *parent) : QLineEdit(parent)
{
    connect(this, &QLineEdit::textEdited, this, &OneLineEdit::onTextEdited);
    connect(this, &QLineEdit::textChanged, this, [this](const QString &text) {
        if (!text.contains(u'\r') && !text.contains(u'\n'))
            m_lastText = text;
    });
}

void OneLineEdit::onTextEdited(const QString &text)
{
    const oneline::Edit kept = oneline::keepFirstLine(m_lastText, text, cursorPosition());
    if (kept.text == text)
        return;
    setText(kept.text);
    setCursorPosition(kept.cursor);
}
