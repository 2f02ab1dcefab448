// The first-line rule of a one-line text box.
#include "app/onelineedit.h"

#include <algorithm>

namespace oneline {

Edit keepFirstLine(const QString &before, const QString &after, int cursor)
{
    // A plain scan: any text, a lone surrogate included, is searched to its end.
    const auto isBreak = [](QChar c) { return c == u'\r' || c == u'\n'; };
    const auto found = std::find_if(after.cbegin(), after.cend(), isBreak);
    if (found == after.cend())
        return {after, cursor};
    const qsizetype breakAt = found - after.cbegin();
    // A paste, a drop or a commit leaves the cursor just after what it inserted, and the
    // old text held no line break, so the first one is in the inserted run: of it only
    // what comes before the break stays, and the old text after the cursor follows.
    const QStringView tail = QStringView(after).mid(cursor);
    if (cursor > breakAt && before.endsWith(tail))
        return {after.left(breakAt) + tail.toString(), int(breakAt)};
    return {after.left(breakAt), int(breakAt)};
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
