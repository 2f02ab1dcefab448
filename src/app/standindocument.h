// A QTextDocument holding a model text in document form: a block for each line, and
// stand-ins marked in their character format (app/textmodel.h). It reads the model text
// back from the document, maps positions between the two, and is what the text model
// reads; no widget is needed.
#pragma once

#include "app/textmodel.h"

#include <QColor>

class QTextCursor;
class QTextDocument;

class StandInDocument final : public textmodel::DocumentReader
{
public:
    explicit StandInDocument(QTextDocument *document) : m_document(document) {}

    QString rawText() const override;
    int blockNumberAt(int position) const override;
    QString modelOf(QStringView raw, int from, int to) const override;

    /// Inserts a model text at the cursor, stand-ins marked and shown in standInColor.
    static void insert(QTextCursor &cursor, const QString &modelText, const QColor &standInColor);

    /// Clears the stand-in mark within [from, to): text typed next to a stand-in takes its
    /// format, but what the user typed is never a stand-in.
    void unmark(int from, int to);

    /// The model offset of a document position, and the document position of a model
    /// offset (an offset between the CR and the LF of a line break gives the line's end).
    int toModel(int position) const;
    int toDocument(int modelOffset) const;

    int lineCount() const;

private:
    QTextDocument *m_document;
};
