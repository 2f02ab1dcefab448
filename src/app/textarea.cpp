// The main text area: the widget's events, keys, input method, font and colours over a
// document in stand-in form and the text model kept from it, and the drawing of a long
// line by its part in view.
#include "app/textarea.h"

#include "app/longline.h"
#include "app/steadyscrollbar.h"
#include "app/textareaaccessible.h"
#include "platform/clipboard.h"
#include "platform/colors.h"

#include <QAbstractTextDocumentLayout>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QInputMethod>
#include <QInputMethodEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QTextBlock>

#include <cmath>

TextArea::TextArea(QWidget *parent)
    : QPlainTextEdit(parent), m_document(document()), m_model(m_document),
      m_foreColor(platform::kSystemWindowText), m_backColor(platform::kSystemWindowBackground)
{
    setUndoRedoEnabled(false);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBar(new SteadyScrollBar(Qt::Horizontal, this));
    // Both bars always show, so a change of range never shows or hides one; Qt lays the
    // area out again for each all the same, after the keystroke that changed a line's
    // width, and so draws both bars again: on a long line, a sixteenth of a keystroke.
    for (const QScrollBar *bar : {horizontalScrollBar(), verticalScrollBar()})
        disconnect(bar, SIGNAL(rangeChanged(int, int)), this, SLOT(_q_showOrHideScrollBars()));
    setAcceptDrops(false);
    // Fonts are measured at the screen's resolution, which is the viewport's. Asked of
    // the viewport, Qt looks up the widget's screen for every script run of every line
    // laid out: a tenth of a keystroke on a long line of kana and ASCII.
    document()->documentLayout()->setPaintDevice(nullptr);
    connect(document(), &QTextDocument::contentsChange, this, &TextArea::onContentsChange);
    TextAreaAccessible::install();
}

void TextArea::onContentsChange(int from, int removed, int added)
{
    if (m_unmarking)
        return;
    if (!m_insertingModel && added > 0) {
        // Text typed next to a stand-in takes its mark with its format, and loses it here.
        // An input method reports its whole line changed, for a pre-edit as for a commit:
        // only what it inserted is unmarked, never the stand-ins around it.
        const auto [start, end] = m_inInputMethodEvent ? m_model.changedRun(from, removed, added)
                                                       : std::pair(from, from + added);
        m_unmarking = true;
        m_document.unmark(start, end);
        m_unmarking = false;
    }
    chooseShaping(from, added, keepGlyphsOfLongLines(from, added));
    if (m_model.documentChanged(from, removed, added))
        emit changed();
}

bool TextArea::keepGlyphsOfLongLines(int from, int added)
{
    // Qt drops a line's shaped glyphs once it is laid out, then shapes the whole line
    // again to place the caret and again to paint it. A long line keeps them: shaping
    // 40 000 characters is most of a keystroke. The document's layout comes after this
    // signal, so the line changed now is laid out with its glyphs kept.
    bool anyLong = false;
    const QTextBlock last = document()->findBlock(from + added);
    for (QTextBlock block = document()->findBlock(from); block.isValid(); block = block.next()) {
        if (longline::isLong(block)) {
            block.layout()->setCacheEnabled(true);
            anyLong = true;
        }
        if (block == last)
            break;
    }
    return anyLong;
}

void TextArea::chooseShaping(int from, int added, bool longLineChanged)
{
    // Shaping a long line is most of its layout, which comes on every keystroke. While a
    // line is long and no character needs shaping, the font asks for none. Shaping comes
    // back once such a character is typed, pasted or composed; it stays off when the long
    // line is shortened, as the text looks the same either way but for kerning and
    // ligatures, until the whole text is replaced.
    if (m_unshaped) {
        if (added > 0) {
            QTextCursor inserted(document());
            inserted.setPosition(from);
            inserted.setPosition(from + added, QTextCursor::KeepAnchor);
            if (longline::needsShaping(inserted.selectedText()))
                setShaped(true);
        }
    } else if (longLineChanged && !longline::needsShaping(document()->toRawText()) &&
               !longline::needsShaping(textCursor().block().layout()->preeditAreaText())) {
        setShaped(false);
    }
}

void TextArea::setShaped(bool shaped)
{
    if (m_unshaped == !shaped)
        return;
    m_unshaped = !shaped;
    QFont f = font();
    f.setStyleStrategy(shaped ? QFont::StyleStrategy(f.styleStrategy() & ~QFont::PreferNoShaping)
                              : QFont::StyleStrategy(f.styleStrategy() | QFont::PreferNoShaping));
    setFont(f);
}

void TextArea::paintEvent(QPaintEvent *e)
{
    // The widget draws every line whole. A long line is drawn here instead, only its
    // part in view, and the widget draws the bands of short lines between.
    const QRect area = e->rect();
    int bandTop = area.top();
    if (document()->characterCount() > longline::kLongLine) {
        QPointF offset = contentOffset();
        for (QTextBlock block = firstVisibleBlock(); block.isValid() && offset.y() <= area.bottom();
             block = block.next()) {
            const QRectF r = blockBoundingRect(block).translated(offset);
            offset.ry() += r.height();
            // While the font asks for no shaping, no character in the text or the
            // pre-edit needs it, and every right-to-left one does.
            if (!longline::isLong(block) || r.bottom() < area.top() || !block.isVisible() ||
                overwriteMode() || !longline::canDrawInView(block, !m_unshaped))
                continue;
            // The widget draws a line whose rectangle meets its band, edges included.
            const int rowTop = qMax(area.top(), int(std::floor(r.top())));
            const int rowBottom = qMin(area.bottom(), int(std::floor(r.bottom())));
            paintBand(QRect(area.left(), bandTop, area.width(), rowTop - bandTop));
            paintLongLine(block, r.topLeft(),
                          QRect(area.left(), rowTop, area.width(), rowBottom - rowTop + 1));
            bandTop = rowBottom + 1;
        }
    }
    paintBand(QRect(area.left(), bandTop, area.width(), area.bottom() - bandTop + 1));
}

void TextArea::paintBand(const QRect &band)
{
    if (band.height() <= 0)
        return;
    QPaintEvent bandEvent(band);
    QPlainTextEdit::paintEvent(&bandEvent);
}

void TextArea::paintLongLine(const QTextBlock &block, const QPointF &offset, const QRect &row)
{
    // What the widget does for a line, with the text drawn by its part in view.
    QPainter painter(viewport());
    // As the widget does, the right margin is kept clear of what is drawn past a line's
    // end (a selection that goes on to the next line).
    const qreal documentWidth = document()->documentLayout()->documentSize().width();
    const int rightMargin =
        int(contentOffset().x() + qMax(qreal(viewport()->width()), documentWidth) -
            document()->documentMargin() + cursorWidth());
    QRect clip = row;
    clip.setRight(qMin(clip.right(), rightMargin));
    painter.setClipRect(clip);
    painter.setBrushOrigin(contentOffset());
    const QAbstractTextDocumentLayout::PaintContext context = getPaintContext();
    painter.setPen(context.palette.text().color());
    const int blockStart = block.position();
    const int blockEnd = blockStart + block.length();
    QList<QTextLayout::FormatRange> selections;
    for (const QAbstractTextDocumentLayout::Selection &s : context.selections) {
        const int start = qMax(s.cursor.selectionStart(), blockStart);
        const int end = qMin(s.cursor.selectionEnd(), blockEnd);
        if (start < end)
            selections.append({start - blockStart, end - start, s.format});
    }
    const QTextLayout *layout = block.layout();
    const bool editable = !isReadOnly();
    longline::Caret caret{-1, cursorWidth()};
    if ((editable || textInteractionFlags() & Qt::TextSelectableByKeyboard) &&
        context.cursorPosition >= blockStart && context.cursorPosition < blockEnd)
        caret.position = context.cursorPosition - blockStart;
    // Below -1 the caret is inside the pre-edit, counted from its start.
    else if (editable && context.cursorPosition < -1 && !layout->preeditAreaText().isEmpty())
        caret.position = layout->preeditAreaPosition() - (context.cursorPosition + 2);
    longline::drawInView(&painter, block, offset, row.left() - offset.x(),
                         row.right() + 1 - offset.x(), selections, caret, viewport());
}

QString TextArea::text() const
{
    return m_model.text();
}

void TextArea::replaceRange(QTextCursor &cursor, const QString &modelText)
{
    m_insertingModel = true;
    cursor.beginEditBlock();
    cursor.removeSelectedText();
    StandInDocument::insert(cursor, modelText, palette().color(QPalette::PlaceholderText));
    cursor.endEditBlock();
    m_insertingModel = false;
}

void TextArea::setText(const QString &text)
{
    // Chosen before the text goes in, so that it is laid out once.
    setShaped(!longline::hasLongLine(text) || longline::needsShaping(text));
    QTextCursor cursor(document());
    cursor.select(QTextCursor::Document);
    replaceRange(cursor, text);
    cursor.movePosition(QTextCursor::Start);
    setTextCursor(cursor);
}

int TextArea::toModel(int docPosition) const
{
    return m_document.toModel(docPosition);
}

int TextArea::toDocument(int modelOffset) const
{
    return m_document.toDocument(modelOffset);
}

int TextArea::selStart() const
{
    return toModel(textCursor().selectionStart());
}

int TextArea::selLength() const
{
    const QTextCursor c = textCursor();
    return toModel(c.selectionEnd()) - toModel(c.selectionStart());
}

void TextArea::setSelStart(int offset)
{
    QTextCursor c = textCursor();
    c.setPosition(toDocument(qBound(0, offset, int(text().size()))));
    setTextCursor(c);
}

void TextArea::setSelLength(int length)
{
    const int start = selStart();
    const int end = qBound(start, start + qMax(0, length), int(text().size()));
    QTextCursor c = textCursor();
    c.setPosition(toDocument(start));
    c.setPosition(toDocument(end), QTextCursor::KeepAnchor);
    setTextCursor(c);
}

QString TextArea::selText() const
{
    return text().mid(selStart(), selLength());
}

void TextArea::setSelText(const QString &text)
{
    QTextCursor c = textCursor();
    replaceRange(c, text);
    c.clearSelection();
    setTextCursor(c);
}

void TextArea::setLocked(bool locked)
{
    setReadOnly(locked);
    // Read-only still lets the caret move and select from the keyboard.
    setTextInteractionFlags(locked ? Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard
                                   : Qt::TextEditorInteraction);
    // The input method is told that the area takes no input.
    setAttribute(Qt::WA_InputMethodEnabled, !locked);
    if (hasFocus())
        QGuiApplication::inputMethod()->update(Qt::ImEnabled);
}

QVariant TextArea::inputMethodQuery(Qt::InputMethodQuery query) const
{
    if (query == Qt::ImEnabled && isReadOnly())
        return false;
    return QPlainTextEdit::inputMethodQuery(query);
}

void TextArea::inputMethodEvent(QInputMethodEvent *e)
{
    // Read-only blocks the input method as it blocks keys: nothing it sends is taken.
    if (isReadOnly()) {
        e->accept();
        return;
    }
    const QScopedValueRollback taking(m_inInputMethodEvent, true);
    if (m_unshaped && longline::needsShaping(e->preeditString()))
        setShaped(true);
    const bool commits = !e->commitString().isEmpty() || e->replacementLength() != 0;
    if (m_composedOver.isNull() && !commits && !e->preeditString().isEmpty() &&
        textCursor().hasSelection())
        beginComposingOverSelection();
    if (m_composedOver.isNull()) {
        QPlainTextEdit::inputMethodEvent(e);
        return;
    }
    if (commits) {
        commitOverSelection(e);
        return;
    }
    QPlainTextEdit::inputMethodEvent(e);
    if (e->preeditString().isEmpty()) {
        // Cancelled: the text and the selection are as they were.
        setTextCursor(m_composedOver);
        m_composedOver = QTextCursor();
        setExtraSelections({});
    }
}

void TextArea::beginComposingOverSelection()
{
    // The pre-edit is shown at the selection's start, with the selection left in the
    // text and marked, so that nothing changes until the commit.
    m_composedOver = textCursor();
    QTextEdit::ExtraSelection marked;
    marked.cursor = m_composedOver;
    marked.format.setBackground(palette().color(QPalette::Highlight));
    marked.format.setForeground(palette().color(QPalette::HighlightedText));
    setExtraSelections({marked});
    QTextCursor caret = m_composedOver;
    caret.setPosition(m_composedOver.selectionStart());
    setTextCursor(caret);
}

void TextArea::commitOverSelection(QInputMethodEvent *e)
{
    // The pre-edit goes first, then the commit replaces the selection as one change.
    QInputMethodEvent clearPreedit;
    QPlainTextEdit::inputMethodEvent(&clearPreedit);
    QTextCursor replaced = m_composedOver;
    m_composedOver = QTextCursor();
    setExtraSelections({});
    replaceRange(replaced, e->commitString());
    setTextCursor(replaced);
    if (!e->preeditString().isEmpty()) {
        QInputMethodEvent next(e->preeditString(), e->attributes());
        QPlainTextEdit::inputMethodEvent(&next);
    }
    e->accept();
}

int TextArea::lineCount() const
{
    return m_document.lineCount();
}

void TextArea::setFontFace(const QString &name, double points, bool bold, bool italic)
{
    QFont f = font();
    f.setFamily(name);
    f.setPointSizeF(points);
    f.setBold(bold);
    f.setItalic(italic);
    setFont(f);
}

void TextArea::setForeColor(int value)
{
    m_foreColor = value;
    applyColors();
}

void TextArea::setBackColor(int value)
{
    m_backColor = value;
    applyColors();
}

void TextArea::applyColors()
{
    QPalette p = palette();
    p.setColor(QPalette::Text, platform::colorFromValue(m_foreColor));
    p.setColor(QPalette::Base, platform::colorFromValue(m_backColor));
    setPalette(p);
}

void TextArea::setReservedShortcuts(const QList<QKeySequence> &keys)
{
    m_reserved = keys;
}

bool TextArea::isReserved(const QKeyEvent *e) const
{
    const QKeySequence pressed(e->keyCombination());
    for (const QKeySequence &k : m_reserved) {
        if (k == pressed)
            return true;
    }
    return false;
}

bool TextArea::deletesNextCharacter(const QKeyEvent *e) const
{
    return e->key() == Qt::Key_Delete && e->modifiers() == Qt::NoModifier &&
           !textCursor().hasSelection();
}

bool TextArea::event(QEvent *e)
{
    if (e->type() == QEvent::ShortcutOverride) {
        auto *ke = static_cast<QKeyEvent *>(e);
        // Del with nothing selected deletes the next character here; every other menu key
        // goes to its menu item.
        if (isReserved(ke) && !deletesNextCharacter(ke)) {
            ke->ignore();
            return true;
        }
    }
    return QPlainTextEdit::event(e);
}

void TextArea::keyPressEvent(QKeyEvent *e)
{
    if (e->key() == Qt::Key_F10 && e->modifiers() == Qt::ShiftModifier) {
        e->accept();
        emit mouseDown(Qt::RightButton, caretGlobalPos());
        return;
    }
    // A menu key whose item is disabled arrives here; the widget must not act on it. The
    // widget's own undo, redo and clipboard keys are never used either.
    if ((isReserved(e) && !deletesNextCharacter(e)) || e->matches(QKeySequence::Undo) ||
        e->matches(QKeySequence::Redo) || e->matches(QKeySequence::Cut) ||
        e->matches(QKeySequence::Copy) || e->matches(QKeySequence::Paste)) {
        e->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(e);
}

void TextArea::contextMenuEvent(QContextMenuEvent *e)
{
    // The widget's built-in edit menu is never shown; the program's menu came with the
    // press of the right button already, and the menu key opens it at the caret.
    e->accept();
    if (e->reason() == QContextMenuEvent::Keyboard)
        emit mouseDown(Qt::RightButton, caretGlobalPos());
}

void TextArea::mousePressEvent(QMouseEvent *e)
{
    const QPoint at = e->globalPosition().toPoint();
    if (e->button() == Qt::RightButton) {
        e->accept();
        emit mouseDown(e->button(), at);
        return;
    }
    QPlainTextEdit::mousePressEvent(e);
    emit mouseDown(e->button(), at);
}

QPoint TextArea::caretGlobalPos() const
{
    return viewport()->mapToGlobal(cursorRect().bottomLeft());
}

void TextArea::dragEnterEvent(QDragEnterEvent *e)
{
    if (e->mimeData()->hasUrls())
        e->acceptProposedAction();
    else
        e->ignore();
}

void TextArea::dragMoveEvent(QDragMoveEvent *e)
{
    if (e->mimeData()->hasUrls())
        e->acceptProposedAction();
    else
        e->ignore();
}

void TextArea::dropEvent(QDropEvent *e)
{
    QStringList paths;
    for (const QUrl &url : e->mimeData()->urls()) {
        if (url.isLocalFile())
            paths.append(url.toLocalFile());
    }
    e->acceptProposedAction();
    if (!paths.isEmpty())
        emit filesDropped(paths);
}

QMimeData *TextArea::createMimeDataFromSelection() const
{
    // The selection offered to other programs is the model text, not the stand-ins.
    auto *data = new QMimeData;
    data->setText(platform::editorToClipboard(selText()));
    return data;
}

void TextArea::insertFromMimeData(const QMimeData *source)
{
    // Middle-click pastes from the selection: its line ends become the model's as a paste
    // from the clipboard does.
    if (source->hasText() && !isReadOnly())
        setSelText(platform::clipboardToEditor(source->text()));
}
