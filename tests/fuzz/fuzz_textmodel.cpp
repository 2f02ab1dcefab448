// Any model text: its document form (blocks and marked stand-ins) gives the very same
// model text back, and no plain run holds a character the widget would take for a line
// break or that must be shown as a stand-in. Then the path every keystroke takes: random
// edits of a real document (inserts of model text, removals, a stand-in's mark cleared,
// text typed as the widget types it), each reported to the text model as the document
// reports it, and the model after each is the model a fresh read of the document gives.
#include "app/standindocument.h"
#include "app/textmodel.h"
#include "fuzzinput.h"

#include <QGuiApplication>
#include <QObject>
#include <QPlainTextDocumentLayout>
#include <QTextCursor>
#include <QTextDocument>

namespace {

void editAtRandom(FuzzInput &in, const QString &alphabet)
{
    // Laid out as the text area lays it out: a document reports its changes only once
    // it has a layout.
    QTextDocument document;
    document.setDocumentLayout(new QPlainTextDocumentLayout(&document));
    StandInDocument standIns(&document);
    textmodel::TextModel model(standIns);
    QObject::connect(&document, &QTextDocument::contentsChange, &document,
                     [&model](int from, int removed, int added) {
                         model.documentChanged(from, removed, added);
                     });
    for (int edit = 0; edit < 12 && !in.empty(); ++edit) {
        const int size = document.characterCount() - 1;
        QTextCursor cursor(&document);
        const int at = in.below(size + 1);
        cursor.setPosition(at);
        switch (in.below(4)) {
        case 0: // a model text inserted, as paste and the commands insert
            StandInDocument::insert(cursor, in.from(alphabet, 8), Qt::gray);
            break;
        case 1: // a run removed
            cursor.setPosition(qMin(size, at + in.below(6)), QTextCursor::KeepAnchor);
            cursor.removeSelectedText();
            break;
        case 2: // text typed as the widget types it, taking the format beside it
            cursor.insertText(in.from(QStringLiteral("aあ\n"), 3));
            break;
        case 3: // the stand-in mark cleared from a run
            standIns.unmark(at, qMin(size, at + in.below(6)));
            break;
        }
        CHECK_SAME(model.text(), textmodel::TextModel(standIns).text());
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // The document lays out text: it needs the application's fonts.
    static int argc = 1;
    static char name[] = "fuzz_textmodel";
    static char *argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
    FuzzInput in(data, size);
    // Line breaks, NUL, Qt's own separators, a byte escape (a lone low surrogate).
    static const QString alphabet =
        QStringLiteral("a\r\n\r\n\x1c\u2028\u2029あ\uFFFD") + QChar(0) + QChar(0xDC80);
    const QString model = in.byte() % 2 ? in.units(64) : in.from(alphabet, 64);
    QString back;
    for (const textmodel::Segment &segment : textmodel::documentSegments(model)) {
        if (segment.isStandIn) {
            CHECK(!segment.text.isEmpty());
            for (QChar glyph : segment.text)
                CHECK(glyph == textmodel::standInGlyph(segment.standInFor));
            back += QString(segment.text.size(), QChar(segment.standInFor));
            continue;
        }
        QString plain = segment.text;
        for (qsizetype i = 0; i < plain.size(); ++i)
            CHECK(plain.at(i) == u'\n' || !textmodel::needsStandIn(plain, i));
        back += plain.replace(u'\n', QStringLiteral("\r\n"));
    }
    CHECK(back == model);
    editAtRandom(in, alphabet);
    return 0;
}
