// The main text area: a QPlainTextEdit seen through the editor's text model, a UTF-16
// string whose line breaks are CR LF, with offsets counted in that model.
#pragma once

#include "app/standindocument.h"
#include "app/textmodel.h"

#include <QKeySequence>
#include <QList>
#include <QPlainTextEdit>
#include <QStringList>
#include <QTextCursor>

class TextArea : public QPlainTextEdit
{
    Q_OBJECT
public:
    explicit TextArea(QWidget *parent = nullptr);

    /// The whole text, CR LF between lines.
    QString text() const;
    /// Replaces the whole text; the caret is then at offset 0 with nothing selected.
    void setText(const QString &text);

    int selStart() const;
    /// Empties the selection and puts the caret at offset (clamped to the text).
    void setSelStart(int offset);
    int selLength() const;
    /// Selects length characters from the selection start (clamped to the text).
    void setSelLength(int length);
    QString selText() const;
    /// Replaces the selection (or inserts at the caret); the caret ends just after the
    /// inserted text with nothing selected.
    void setSelText(const QString &text);

    /// Blocks typing and the widget's own editing keys; the caret stays movable.
    void setLocked(bool locked);

    /// Number of lines: the CR LF line breaks plus one.
    int lineCount() const;

    QString fontName() const { return font().family(); }
    double fontSize() const { return font().pointSizeF(); }
    bool fontBold() const { return font().bold(); }
    bool fontItalic() const { return font().italic(); }
    /// The face, size in points, weight and slant together: the text is laid out again
    /// once, not once for each.
    void setFontFace(const QString &name, double points, bool bold, bool italic);
    /// Colour values (see platform/colors.h).
    int foreColor() const { return m_foreColor; }
    void setForeColor(int value);
    int backColor() const { return m_backColor; }
    void setBackColor(int value);

    /// Keys that belong to the window's menus: they win over the widget's own handling.
    void setReservedShortcuts(const QList<QKeySequence> &keys);
    void setAcceptFileDrops(bool accept) { setAcceptDrops(accept); }

    /// Where the character at a document position stands, in viewport coordinates: the
    /// line's top and height, from its left edge to the next character's (a space's
    /// width at a line's end). Empty for a position outside the text.
    QRect characterRect(int position) const;
    /// The document position of the character under a viewport point, or -1 where
    /// there is none (beside a line's end, below the last line).
    int characterAt(const QPoint &point) const;

    /// Says the area takes no input-method text while it is read-only.
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

signals:
    /// Raised once for every change of the content, whoever made it.
    void changed();
    /// A mouse button went down at globalPos. A right press is not handled by the area
    /// itself (the caret and selection stay); the menu key and Shift+F10 count as a
    /// right press at the caret.
    void mouseDown(Qt::MouseButton button, const QPoint &globalPos);
    /// A list of local files was dropped on the text area.
    void filesDropped(const QStringList &paths);

protected:
    bool event(QEvent *e) override;
    void paintEvent(QPaintEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void inputMethodEvent(QInputMethodEvent *e) override;
    void contextMenuEvent(QContextMenuEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void dragEnterEvent(QDragEnterEvent *e) override;
    void dragMoveEvent(QDragMoveEvent *e) override;
    void dropEvent(QDropEvent *e) override;
    void insertFromMimeData(const QMimeData *source) override;
    QMimeData *createMimeDataFromSelection() const override;

private:
    void onContentsChange(int from, int removed, int added);
    /// Returns whether a line changed is long.
    bool keepGlyphsOfLongLines(int from, int added);
    void chooseShaping(int from, int added, bool longLineChanged);
    void setShaped(bool shaped);
    void paintBand(const QRect &band);
    void paintLongLine(const QTextBlock &block, const QPointF &offset, const QRect &row);
    void applyColors();
    void replaceRange(QTextCursor &cursor, const QString &modelText);
    int toModel(int docPosition) const;
    int toDocument(int modelOffset) const;
    bool isReserved(const QKeyEvent *e) const;
    /// Del with nothing selected: the widget deletes the next character itself.
    bool deletesNextCharacter(const QKeyEvent *e) const;
    QPoint caretGlobalPos() const;

    void beginComposingOverSelection();
    void commitOverSelection(QInputMethodEvent *e);

    // While text is composed over a selection, the selection stays in the text until
    // the commit replaces it; this cursor holds it meanwhile.
    QTextCursor m_composedOver;
    bool m_insertingModel = false; // the text being inserted is a model text, stand-ins marked
    bool m_unmarking = false;
    bool m_inInputMethodEvent = false; // the widget is taking an input method's event
    bool m_unshaped = false;           // the font asks for no shaping (see chooseShaping)
    StandInDocument m_document;
    textmodel::TextModel m_model;
    QList<QKeySequence> m_reserved;
    int m_foreColor;
    int m_backColor;
};
