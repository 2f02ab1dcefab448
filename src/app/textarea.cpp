// The text model over QTextDocument, kept current as the document changes.
#include "app/textarea.h"

#include "app/textmodel.h"

#include "platform/colors.h"

#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QInputMethod>
#include <QInputMethodEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTextBlock>

TextArea::TextArea(QWidget *parent)
    : QPlainTextEdit(parent), m_foreColor(platform::kSystemWindowText),
      m_backColor(platform::kSystemWindowBackground)
{
    setUndoRedoEnabled(false);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setAcceptDrops(false);
    m_raw = document()->toRawText();
    connect(document(), &QTextDocument::contentsChange, this, &TextArea::onContentsChange);
}

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

void TextArea::insertModelText(QTextCursor &cursor, const QString &modelText)
{
    const QColor standInColor = palette().color(QPalette::PlaceholderText);
    for (const textmodel::Segment &segment : textmodel::documentSegments(modelText)) {
        if (!segment.isStandIn)
            cursor.insertText(segment.text, QTextCharFormat());
        else
            cursor.insertText(segment.text, standInFormat(segment.standInFor, standInColor));
    }
}

void TextArea::forEachRun(int from, int to,
                          const std::function<void(const QTextFragment &, int, int)> &run,
                          const std::function<void()> &blockEnd) const
{
    for (QTextBlock block = document()->findBlock(from); block.isValid() && block.position() < to;
         block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const int start = qMax(fragment.position(), from);
            const int end = qMin(fragment.position() + fragment.length(), to);
            if (start < end)
                run(fragment, start, end);
        }
        const int separator = block.position() + block.length() - 1;
        if (blockEnd && separator >= from && separator < to)
            blockEnd();
    }
}

QString TextArea::modelOf(int from, int to) const
{
    QString out;
    out.reserve(to - from);
    forEachRun(
        from, to,
        [&out](const QTextFragment &fragment, int start, int end) {
            const QVariant standInFor = fragment.charFormat().property(kStandInFor);
            if (standInFor.isValid())
                out.append(QString(end - start, QChar(char16_t(standInFor.toInt()))));
            else
                out.append(
                    QStringView(fragment.text()).mid(start - fragment.position(), end - start));
        },
        [&out] { out.append(QStringLiteral("\r\n")); });
    return out;
}

void TextArea::unmarkTypedText(int from, int to)
{
    // Text typed next to a stand-in takes its format from it; what the user typed is
    // never a stand-in.
    QList<std::pair<int, int>> marked;
    forEachRun(from, to, [&marked](const QTextFragment &fragment, int start, int end) {
        if (fragment.charFormat().hasProperty(kStandInFor))
            marked.append({start, end});
    });
    m_unmarking = true;
    for (const auto &[start, end] : marked) {
        QTextCursor c(document());
        c.setPosition(start);
        c.setPosition(end, QTextCursor::KeepAnchor);
        c.setCharFormat(QTextCharFormat());
    }
    m_unmarking = false;
}

void TextArea::onContentsChange(int from, int removed, int added)
{
    if (m_unmarking)
        return;
    // Input-method composition and format changes also report a contents change; only a
    // different text counts.
    QString raw = document()->toRawText();
    if (raw == m_raw)
        return;
    if (!m_insertingModel && added > 0)
        unmarkTypedText(from, from + added);
    const bool consistent = from >= 0 && removed >= 0 && added >= 0 &&
                            from + removed <= m_raw.size() && from + added <= raw.size() &&
                            m_raw.size() - removed + added == raw.size();
    if (consistent && m_modelValid) {
        // Only the changed run is converted: the rest of the model stays as it was.
        const int modelFrom = from + document()->findBlock(from).blockNumber();
        const qsizetype modelRemoved =
            removed + QStringView(m_raw).mid(from, removed).count(QChar(0x2029));
        m_model.replace(modelFrom, modelRemoved, modelOf(from, from + added));
    } else {
        m_modelValid = false;
    }
    m_raw = std::move(raw);
    emit changed();
}

QString TextArea::text() const
{
    if (!m_modelValid) {
        m_model = modelOf(0, int(m_raw.size()));
        m_modelValid = true;
    }
    return m_model;
}

void TextArea::replaceRange(QTextCursor &cursor, const QString &modelText)
{
    m_insertingModel = true;
    cursor.beginEditBlock();
    cursor.removeSelectedText();
    insertModelText(cursor, modelText);
    cursor.endEditBlock();
    m_insertingModel = false;
}

void TextArea::setText(const QString &text)
{
    QTextCursor cursor(document());
    cursor.select(QTextCursor::Document);
    replaceRange(cursor, text);
    cursor.movePosition(QTextCursor::Start);
    setTextCursor(cursor);
}

int TextArea::toModel(int docPosition) const
{
    return docPosition + document()->findBlock(docPosition).blockNumber();
}

int TextArea::toDocument(int modelOffset) const
{
    const QTextDocument *doc = document();
    // The last block whose model start is at or before the offset.
    int low = 0;
    int high = doc->blockCount() - 1;
    while (low < high) {
        const int mid = (low + high + 1) / 2;
        if (doc->findBlockByNumber(mid).position() + mid <= modelOffset)
            low = mid;
        else
            high = mid - 1;
    }
    const QTextBlock block = doc->findBlockByNumber(low);
    const int within = modelOffset - (block.position() + low);
    // An offset between the CR and the LF of a line break stays at the line's end.
    return block.position() + qBound(0, within, block.length() - 1);
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
    m_insertingModel = true;
    replaced.beginEditBlock();
    replaced.removeSelectedText();
    insertModelText(replaced, e->commitString());
    replaced.endEditBlock();
    m_insertingModel = false;
    setTextCursor(replaced);
    if (!e->preeditString().isEmpty()) {
        QInputMethodEvent next(e->preeditString(), e->attributes());
        QPlainTextEdit::inputMethodEvent(&next);
    }
    e->accept();
}

int TextArea::lineCount() const
{
    return document()->blockCount();
}

void TextArea::setFontName(const QString &name)
{
    QFont f = font();
    f.setFamily(name);
    setFont(f);
}

void TextArea::setFontSize(double points)
{
    QFont f = font();
    f.setPointSizeF(points);
    setFont(f);
}

void TextArea::setFontBold(bool bold)
{
    QFont f = font();
    f.setBold(bold);
    setFont(f);
}

void TextArea::setFontItalic(bool italic)
{
    QFont f = font();
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
    data->setText(selText().replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    return data;
}

void TextArea::insertFromMimeData(const QMimeData *source)
{
    // Middle-click pastes from the selection: the text goes in through the text model so
    // that its line breaks are the model's.
    if (source->hasText() && !isReadOnly())
        setSelText(source->text()
                       .replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
                       .replace(u'\r', u'\n')
                       .replace(u'\n', QStringLiteral("\r\n")));
}
