// The text model without a widget: kept change by change, it always equals the model read
// afresh from the whole document; and the stand-in document over a plain QTextDocument.
#include "app/standindocument.h"
#include "app/textmodel.h"

#include <QRandomGenerator>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>

namespace {

constexpr char16_t kSeparator = 0x2029;

// A document as the model sees it: characters, U+2029 between blocks, and for each
// character the model character it stands for (0 when it is itself).
class FakeDocument final : public textmodel::DocumentReader
{
public:
    QString raw;
    QList<char16_t> standInFor;

    QString rawText() const override { return raw; }
    int blockNumberAt(int position) const override
    {
        return int(QStringView(raw).left(position).count(QChar(kSeparator)));
    }
    QString modelOf(QStringView text, int from, int to) const override
    {
        QString out;
        for (int i = from; i < to; ++i) {
            if (text.at(i) == QChar(kSeparator))
                out += QStringLiteral("\r\n");
            else
                out += standInFor.at(i) ? QChar(standInFor.at(i)) : text.at(i);
        }
        return out;
    }
    void replace(int from, int removed, const QString &added, char16_t standIn)
    {
        raw.replace(from, removed, added);
        standInFor.remove(from, removed);
        for (int i = 0; i < added.size(); ++i)
            standInFor.insert(from + i, added.at(i) == QChar(kSeparator) ? 0 : standIn);
    }
};

} // namespace

class TestTextModel : public QObject
{
    Q_OBJECT
private slots:
    void followsRandomEditsLikeAFreshRead()
    {
        FakeDocument document;
        textmodel::TextModel model(document);
        QRandomGenerator random(3);
        const QStringList pieces = {"a", QString(QChar(kSeparator)), "あい", "", "xy", "\u240D"};
        for (int step = 0; step < 2000; ++step) {
            const int from = random.bounded(int(document.raw.size()) + 1);
            const int removed = random.bounded(int(document.raw.size()) - from + 1) % 4;
            const QString added = pieces.at(random.bounded(pieces.size()));
            const char16_t standIn = random.bounded(4) == 0 ? u'\r' : 0;
            const QString before = model.text();
            const QString rawBefore = document.raw;
            document.replace(from, removed, added, standIn);
            const bool changed = model.documentChanged(from, removed, int(added.size()));
            QCOMPARE(model.text(), document.modelOf(document.raw, 0, int(document.raw.size())));
            QCOMPARE(changed, model.text() != before || document.raw != rawBefore);
        }
    }

    void standInTypedOverByItsGlyphIsAChange()
    {
        FakeDocument document;
        textmodel::TextModel model(document);
        document.replace(0, 0, QStringLiteral("a\u240D"), 0);
        document.standInFor[1] = u'\r';
        QVERIFY(model.documentChanged(0, 0, 2));
        QCOMPARE(model.text(), QStringLiteral("a\r"));
        // The same characters; the stand-in became the glyph itself.
        document.standInFor[1] = 0;
        QVERIFY(model.documentChanged(1, 1, 1));
        QCOMPARE(model.text(), QStringLiteral("a\u240D"));
        // A change of nothing the model holds is none.
        QVERIFY(!model.documentChanged(0, 1, 1));
    }

    void changedRunLeavesOutWhatStayedTheSame_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("removed");
        QTest::addColumn<QString>("inserted");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("end");
        // An input method's whole line reported for a pre-edit: nothing changed.
        QTest::newRow("line reported, nothing changed") << "ab\u240Dcd" << 0 << 5 << "" << 5 << 5;
        // A commit inside the line reported whole: only the committed characters.
        QTest::newRow("commit in a reported line") << "ab\u240Dcd" << 0 << 5 << "日本" << 3 << 5;
        QTest::newRow("typed, reported exactly") << "abcd" << 2 << 0 << "x" << 2 << 3;
        // A run that repeats its neighbours is still seen at its place, as far as it can be.
        QTest::newRow("repeats a neighbour") << "aab" << 0 << 3 << "a" << 2 << 3;
    }

    void changedRunLeavesOutWhatStayedTheSame()
    {
        QFETCH(QString, before);
        QFETCH(int, from);
        QFETCH(int, removed);
        QFETCH(QString, inserted);
        QFETCH(int, start);
        QFETCH(int, end);
        FakeDocument document;
        textmodel::TextModel model(document);
        document.replace(0, 0, before, 0);
        QVERIFY(model.documentChanged(0, 0, int(before.size())));
        // The reported run is replaced by itself with the inserted text put in after its
        // first start - from characters.
        QString after = before.mid(from, removed);
        after.insert(start - from, inserted);
        document.replace(from, removed, after, 0);
        const auto run = model.changedRun(from, removed, int(after.size()));
        QCOMPARE(run.first, start);
        QCOMPARE(run.second, end);
        // A whole last line reported with its line break, one past the end.
        const auto past = model.changedRun(from, removed + 1, int(after.size()) + 1);
        QCOMPARE(past.first, start);
        QCOMPARE(past.second, end);
    }

    void changedRunOfAReportThatDoesNotFitIsWhole()
    {
        // Two characters said to give way to three, in a text whose length is the same:
        // the report cannot be followed, so all it names counts as changed.
        FakeDocument document;
        textmodel::TextModel model(document);
        document.replace(0, 0, QStringLiteral("abc"), 0);
        QVERIFY(model.documentChanged(0, 0, 3));
        const auto run = model.changedRun(0, 2, 3);
        QCOMPARE(run.first, 0);
        QCOMPARE(run.second, 3);
    }

    void notificationItCannotFollowMeansAFreshRead()
    {
        FakeDocument document;
        textmodel::TextModel model(document);
        document.replace(0, 0, QStringLiteral("ab"), 0);
        QVERIFY(model.documentChanged(5, 0, 9));
        QCOMPARE(model.text(), QStringLiteral("ab"));
    }

    void eachStandInShowsItsGlyph()
    {
        // Lone CR and LF, NUL, the separators Qt takes for its own, a byte kept undecoded:
        // each shown as its own glyph, which is then all a reader looks for.
        const QString model = QStringLiteral("a\rb\nc") + QChar(0) +
                              QStringLiteral("\u2029\uFDD0\uFDD1") + QChar(0xDC81) +
                              QStringLiteral("d\r\ne");
        QString shown;
        QString standIns;
        for (const textmodel::Segment &segment : textmodel::documentSegments(model)) {
            shown += segment.text;
            if (segment.isStandIn)
                standIns += segment.text;
        }
        QCOMPARE(shown, QStringLiteral("a\u240Db\u240Ac\u2400\u00B6\u25C7\u25C7\uFFFDd\ne"));
        QCOMPARE(standIns, QStringLiteral("\u240D\u240A\u2400\u00B6\u25C7\u25C7\uFFFD"));
        for (const QChar glyph : standIns)
            QVERIFY(textmodel::isStandInGlyph(glyph));
        for (const QChar plain : QStringLiteral("ad\u3042\u2401\u25C6"))
            QVERIFY(!textmodel::isStandInGlyph(plain));
    }

    void standInDocumentGivesTheModelBack()
    {
        QTextDocument textDocument;
        StandInDocument document(&textDocument);
        textmodel::TextModel model(document);
        const QString text =
            QStringLiteral("a\r\nb\rc\nd") + QChar(0) + QStringLiteral("\u2029e\r\n");
        QTextCursor cursor(&textDocument);
        StandInDocument::insert(cursor, text, Qt::gray);
        QCOMPARE(document.modelOf(document.rawText(), 0, textDocument.characterCount() - 1), text);
        QCOMPARE(document.lineCount(), 3);
        // Model offsets and document positions: the second line starts at model offset 3.
        QCOMPARE(document.toDocument(3), 2);
        QCOMPARE(document.toModel(2), 3);
        QCOMPARE(document.toDocument(2), 1); // between CR and LF: the line's end
        // Text typed just after a stand-in takes its format until it is unmarked: a
        // stand-in's glyph typed there counts as a stand-in meanwhile, other text never.
        QTextCursor typing(&textDocument);
        typing.setPosition(4); // after the lone CR's stand-in
        typing.insertText(QStringLiteral("Z\u240D"));
        QCOMPARE(document.modelOf(document.rawText(), 4, 6), QStringLiteral("Z\r"));
        document.unmark(4, 6);
        QCOMPARE(document.modelOf(document.rawText(), 0, textDocument.characterCount() - 1),
                 QStringLiteral("a\r\nb\rZ\u240Dc\nd") + QChar(0) + QStringLiteral("\u2029e\r\n"));
    }
};

QTEST_MAIN(TestTextModel)
#include "tst_textmodel.moc"
