// The text area as assistive technology sees it: a screen reader reads and edits its text,
// a magnifier follows the characters on the screen.
#pragma once

#include <QAccessibleWidget>
#include <QTextCursor>

#include <utility>

class TextArea;

class TextAreaAccessible : public QAccessibleWidget,
                           public QAccessibleTextInterface,
                           public QAccessibleEditableTextInterface
{
public:
    explicit TextAreaAccessible(TextArea *area);

    /// Makes every text area answer through this interface.
    static void install();

    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text t, const QString &text) override;
    QAccessible::State state() const override;
    void *interface_cast(QAccessible::InterfaceType t) override;

    void selection(int selectionIndex, int *startOffset, int *endOffset) const override;
    int selectionCount() const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int selectionIndex) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    QString text(int startOffset, int endOffset) const override;
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                             int *startOffset, int *endOffset) const override;
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                            int *startOffset, int *endOffset) const override;
    QString textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType, int *startOffset,
                         int *endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint &point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;
    QString attributes(int offset, int *startOffset, int *endOffset) const override;

    void deleteText(int startOffset, int endOffset) override;
    void insertText(int offset, const QString &text) override;
    void replaceText(int startOffset, int endOffset, const QString &text) override;

private:
    TextArea *area() const;
    /// A cursor over [startOffset, endOffset), both brought within the text.
    QTextCursor spanning(int startOffset, int endOffset) const;
    /// The unit of the given kind (character, word, line, …) that holds offset.
    std::pair<int, int> boundaryAt(int offset, QAccessible::TextBoundaryType boundaryType) const;
    /// Replaces a range as typing would; nothing while the area is read-only.
    void edit(int startOffset, int endOffset, const QString &text);
};
