// The text area as assistive technology sees it. Qt's own interface for a plain-text
// edit placed every character as if its line were the first and scrolled by lines
// counted as pixels, found no character under a point, and edited a read-only text;
// this one asks the text area where its characters stand and edits as typing does.
#include "app/textareaaccessible.h"

#include "app/textarea.h"
#include "platform/clipboard.h"

#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

namespace {

QAccessibleInterface *factory(const QString &className, QObject *object)
{
    if (className == QLatin1StringView("TextArea") && object && object->isWidgetType())
        return new TextAreaAccessible(static_cast<TextArea *>(object));
    return nullptr;
}

// IAccessible2's attribute syntax escapes these in a value.
QString escapedValue(QString value)
{
    for (const QChar c : {u'\\', u':', u',', u'=', u';', u'"'})
        value.replace(c, QStringLiteral("\\") + c);
    return value;
}

QString rgb(const QColor &color)
{
    return QStringLiteral("rgb(%1,%2,%3)").arg(color.red()).arg(color.green()).arg(color.blue());
}

} // namespace

TextAreaAccessible::TextAreaAccessible(TextArea *area)
    : QAccessibleWidget(area, QAccessible::EditableText)
{
}

void TextAreaAccessible::install()
{
    static const bool installed = [] {
        QAccessible::installFactory(factory);
        return true;
    }();
    Q_UNUSED(installed);
}

TextArea *TextAreaAccessible::area() const
{
    return static_cast<TextArea *>(widget());
}

QString TextAreaAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Value)
        return area()->document()->toPlainText();
    return QAccessibleWidget::text(t);
}

void TextAreaAccessible::setText(QAccessible::Text t, const QString &text)
{
    if (t == QAccessible::Value)
        edit(0, characterCount(), text);
    else
        QAccessibleWidget::setText(t, text);
}

QAccessible::State TextAreaAccessible::state() const
{
    QAccessible::State s = QAccessibleWidget::state();
    s.selectableText = true;
    s.multiLine = true;
    if (area()->isReadOnly())
        s.readOnly = true;
    else
        s.editable = true;
    return s;
}

void *TextAreaAccessible::interface_cast(QAccessible::InterfaceType t)
{
    if (t == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface *>(this);
    if (t == QAccessible::EditableTextInterface)
        return static_cast<QAccessibleEditableTextInterface *>(this);
    return QAccessibleWidget::interface_cast(t);
}

void TextAreaAccessible::selection(int selectionIndex, int *startOffset, int *endOffset) const
{
    *startOffset = *endOffset = 0;
    const QTextCursor cursor = area()->textCursor();
    if (selectionIndex != 0 || !cursor.hasSelection())
        return;
    *startOffset = cursor.selectionStart();
    *endOffset = cursor.selectionEnd();
}

int TextAreaAccessible::selectionCount() const
{
    return area()->textCursor().hasSelection() ? 1 : 0;
}

void TextAreaAccessible::addSelection(int startOffset, int endOffset)
{
    setSelection(0, startOffset, endOffset);
}

void TextAreaAccessible::removeSelection(int selectionIndex)
{
    if (selectionIndex != 0)
        return;
    QTextCursor cursor = area()->textCursor();
    cursor.clearSelection();
    area()->setTextCursor(cursor);
}

void TextAreaAccessible::setSelection(int selectionIndex, int startOffset, int endOffset)
{
    if (selectionIndex != 0)
        return;
    area()->setTextCursor(spanning(startOffset, endOffset));
}

int TextAreaAccessible::cursorPosition() const
{
    return area()->textCursor().position();
}

void TextAreaAccessible::setCursorPosition(int position)
{
    area()->setTextCursor(spanning(position, position));
}

QString TextAreaAccessible::text(int startOffset, int endOffset) const
{
    return spanning(startOffset, endOffset)
        .selectedText()
        .replace(QChar(QChar::ParagraphSeparator), u'\n');
}

QString TextAreaAccessible::textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                             int *startOffset, int *endOffset) const
{
    const auto at = boundaryAt(offset, boundaryType);
    // At the text's start nothing stands before.
    const auto before = at.first == 0 ? std::pair(0, 0) : boundaryAt(at.first - 1, boundaryType);
    *startOffset = before.first;
    *endOffset = before.second;
    return text(before.first, before.second);
}

QString TextAreaAccessible::textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                            int *startOffset, int *endOffset) const
{
    const auto at = boundaryAt(offset, boundaryType);
    auto after = boundaryAt(at.second, boundaryType);
    // A line ends before its line break: the next line starts one further.
    if (after.first == at.first && at.second < characterCount())
        after = boundaryAt(at.second + 1, boundaryType);
    *startOffset = after.first;
    *endOffset = after.second;
    return text(after.first, after.second);
}

QString TextAreaAccessible::textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                         int *startOffset, int *endOffset) const
{
    const auto at = boundaryAt(offset, boundaryType);
    *startOffset = at.first;
    *endOffset = at.second;
    return text(at.first, at.second);
}

int TextAreaAccessible::characterCount() const
{
    // Less the end of the last line, which is no character of the text.
    return area()->document()->characterCount() - 1;
}

QRect TextAreaAccessible::characterRect(int offset) const
{
    const QRect inViewport = area()->characterRect(offset);
    if (inViewport.isEmpty())
        return {};
    return {area()->viewport()->mapToGlobal(inViewport.topLeft()), inViewport.size()};
}

int TextAreaAccessible::offsetAtPoint(const QPoint &point) const
{
    return area()->characterAt(area()->viewport()->mapFromGlobal(point));
}

void TextAreaAccessible::scrollToSubstring(int startIndex, int endIndex)
{
    Q_UNUSED(endIndex);
    const int start = qBound(0, startIndex, characterCount());
    const QRect view = area()->viewport()->rect();
    // The vertical scroll bar counts lines, the horizontal one pixels.
    if (const QRect r = area()->characterRect(start); r.top() < 0 || r.bottom() > view.bottom()) {
        const QTextBlock block = area()->document()->findBlock(start);
        const QTextLine line = block.layout()->lineForTextPosition(start - block.position());
        area()->verticalScrollBar()->setValue(block.firstLineNumber() +
                                              (line.isValid() ? line.lineNumber() : 0));
    }
    if (const QRect r = area()->characterRect(start); r.left() < 0 || r.right() > view.right()) {
        QScrollBar *bar = area()->horizontalScrollBar();
        bar->setValue(bar->value() + r.left() - view.width() / 2);
    }
}

QString TextAreaAccessible::attributes(int offset, int *startOffset, int *endOffset) const
{
    // -2 asks for the caret's place; at the text's end, the last character answers.
    if (offset == -2)
        offset = cursorPosition();
    const int count = characterCount();
    if (offset == -1 || offset == count)
        offset = count - 1;
    if (offset < 0 || offset > count) {
        *startOffset = *endOffset = -1;
        return {};
    }
    const QTextBlock block = area()->document()->findBlock(offset);
    QTextCharFormat format = block.charFormat();
    *startOffset = block.position();
    *endOffset = block.position() + block.length();
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        if (fragment.contains(offset)) {
            format = fragment.charFormat();
            *startOffset = fragment.position();
            *endOffset = fragment.position() + fragment.length();
            break;
        }
    }
    const QFont font = format.font();
    QString attributes = QStringLiteral("font-family:\"%1\";").arg(escapedValue(font.family()));
    if (font.pointSize() > 0)
        attributes += QStringLiteral("font-size:%1pt;").arg(font.pointSize());
    attributes += QStringLiteral("font-weight:%1;").arg(font.bold() ? "bold" : "normal");
    attributes += QStringLiteral("font-style:%1;").arg(font.italic() ? "italic" : "normal");
    if (format.foreground().style() == Qt::SolidPattern)
        attributes += QStringLiteral("color:%1;").arg(rgb(format.foreground().color()));
    if (format.background().style() == Qt::SolidPattern)
        attributes += QStringLiteral("background-color:%1;").arg(rgb(format.background().color()));
    return attributes;
}

void TextAreaAccessible::deleteText(int startOffset, int endOffset)
{
    edit(startOffset, endOffset, QString());
}

void TextAreaAccessible::insertText(int offset, const QString &text)
{
    edit(offset, offset, text);
}

void TextAreaAccessible::replaceText(int startOffset, int endOffset, const QString &text)
{
    edit(startOffset, endOffset, text);
}

void TextAreaAccessible::edit(int startOffset, int endOffset, const QString &text)
{
    // Viewing mode keeps the text as it is, whoever asks.
    if (area()->isReadOnly())
        return;
    // As typed or pasted: the line ends become the text's, the caret ends after it.
    area()->setTextCursor(spanning(startOffset, endOffset));
    area()->setSelText(platform::clipboardToEditor(text));
}

QTextCursor TextAreaAccessible::spanning(int startOffset, int endOffset) const
{
    // Offsets from outside may lie beyond the text: a cursor set there would stay put.
    const int count = characterCount();
    QTextCursor cursor(area()->document());
    cursor.setPosition(qBound(0, startOffset, count));
    cursor.setPosition(qBound(0, endOffset, count), QTextCursor::KeepAnchor);
    return cursor;
}

std::pair<int, int> TextAreaAccessible::boundaryAt(int offset,
                                                   QAccessible::TextBoundaryType boundaryType) const
{
    const QPair<int, int> at =
        QAccessible::qAccessibleTextBoundaryHelper(spanning(offset, offset), boundaryType);
    return {at.first, at.second};
}
