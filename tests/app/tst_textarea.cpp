// The text model of the text area: CR LF lines, lone CR and LF, offsets, selection,
// notifications and the read-only flag.
#include "app/textarea.h"

#include <QRandomGenerator>

#include <QInputMethodEvent>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <QTextDocument>

namespace {

// The whole model text read from the document, not from the model kept change by change.
QString readAfresh(const TextArea &area)
{
    const StandInDocument document(area.document());
    return document.modelOf(document.rawText(), 0, area.document()->characterCount() - 1);
}

} // namespace

class TestTextArea : public QObject
{
    Q_OBJECT
private slots:
    void modelKeepsLineBreaksAndLoneCharacters_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("lines");
        QTest::newRow("empty") << QString() << 1;
        QTest::newRow("crlf") << QStringLiteral("ab\r\ncd") << 2;
        QTest::newRow("trailing crlf") << QStringLiteral("ab\r\n") << 2;
        QTest::newRow("lone lf") << QStringLiteral("a\nb") << 1;
        QTest::newRow("lone cr") << QStringLiteral("a\rb") << 1;
        QTest::newRow("lf cr") << QStringLiteral("a\n\rb\r\n") << 2;
        QTest::newRow("cr crlf") << QStringLiteral("a\r\r\nb") << 2;
        QTest::newRow("qt separators") << QStringLiteral("a\u2029b\uFDD0c\uFDD1d\u2028") << 1;
        QTest::newRow("nbsp and tab") << QStringLiteral("a\u00A0\tb") << 1;
        QTest::newRow("user-defined characters") << QStringLiteral("\uE000\uE757") << 1;
        // The glyphs and code points once used as stand-ins are ordinary characters.
        QTest::newRow("stand-in look-alikes")
            << QStringLiteral("\u240D\r\u240A\n\u00B6\u25C7\uF8F0\uF8F1\uF8F2\uF8F3") << 1;
    }

    void modelKeepsLineBreaksAndLoneCharacters()
    {
        QFETCH(QString, text);
        QFETCH(int, lines);
        TextArea area;
        area.setText(text);
        QCOMPARE(area.text(), text);
        QCOMPARE(area.lineCount(), lines);
        QCOMPARE(area.selStart(), 0);
        QCOMPARE(area.selLength(), 0);
    }

    void typedNextToAStandInIsWhatWasTyped()
    {
        TextArea area;
        area.show();
        area.setText(QStringLiteral("a\rb"));
        area.setSelStart(2);
        QTest::sendKeyEvent(QTest::Click, &area, Qt::Key_unknown, QStringLiteral("\u240D"),
                            Qt::NoModifier);
        QTest::keyClick(&area, Qt::Key_X);
        QCOMPARE(area.text(), QStringLiteral("a\r\u240Dxb"));
        area.setSelStart(1);
        QTest::keyClick(&area, Qt::Key_Y);
        QCOMPARE(area.text(), QStringLiteral("ay\r\u240Dxb"));
        QCOMPARE(readAfresh(area), area.text());
    }

    void offsetsCountCrLfAsTwo()
    {
        TextArea area;
        area.setText(QStringLiteral("ab\r\ncd\r\nef"));
        area.setSelStart(4);
        QCOMPARE(area.selStart(), 4);
        area.setSelLength(4);
        QCOMPARE(area.selText(), QStringLiteral("cd\r\n"));
        area.setSelStart(8);
        area.setSelLength(100);
        QCOMPARE(area.selLength(), 2);
        QCOMPARE(area.selText(), QStringLiteral("ef"));
        area.setSelStart(1000);
        QCOMPARE(area.selStart(), 10);
        QCOMPARE(area.selLength(), 0);
        // Between the CR and the LF of a line break the caret stays at the line's end.
        area.setSelStart(3);
        QCOMPARE(area.selStart(), 2);
    }

    void replaceSelectionLeavesCaretAfterInsertedText()
    {
        TextArea area;
        area.setText(QStringLiteral("hello world"));
        area.setSelStart(6);
        area.setSelLength(5);
        area.setSelText(QStringLiteral("a\r\nb\nc"));
        QCOMPARE(area.text(), QStringLiteral("hello a\r\nb\nc"));
        QCOMPARE(area.selStart(), 12);
        QCOMPARE(area.selLength(), 0);
        area.setSelStart(0);
        area.setSelText(QStringLiteral(">"));
        QCOMPARE(area.text(), QStringLiteral(">hello a\r\nb\nc"));
        QCOMPARE(area.selStart(), 1);
    }

    void oneNotificationPerChange()
    {
        TextArea area;
        QSignalSpy spy(&area, &TextArea::changed);
        area.setText(QStringLiteral("abc\r\ndef"));
        QCOMPARE(spy.count(), 1);
        area.setSelStart(1);
        area.setSelLength(5);
        area.setSelText(QStringLiteral("X"));
        QCOMPARE(spy.count(), 2);
        QCOMPARE(area.text(), QStringLiteral("aXef"));
        // Nothing changes: no notification.
        area.setText(QStringLiteral("aXef"));
        area.setSelText(QString());
        QCOMPARE(spy.count(), 2);
        QTextCharFormat bold;
        bold.setFontWeight(QFont::Bold);
        QTextCursor(area.document()).mergeCharFormat(bold);
        area.setSelStart(0);
        area.setSelLength(2);
        area.textCursor().mergeCharFormat(bold);
        QCOMPARE(spy.count(), 2);
        area.setText(QString());
        QCOMPARE(spy.count(), 3);
    }

    void typingNotifiesOncePerKey()
    {
        TextArea area;
        area.show();
        QSignalSpy spy(&area, &TextArea::changed);
        QTest::keyClicks(&area, QStringLiteral("ab"));
        QCOMPARE(spy.count(), 2);
        area.setSelStart(0);
        area.setSelLength(2);
        QTest::keyClick(&area, Qt::Key_C);
        QCOMPARE(spy.count(), 3);
        QCOMPARE(area.text(), QStringLiteral("c"));
        QTest::keyClick(&area, Qt::Key_Return);
        QCOMPARE(area.text(), QStringLiteral("c\r\n"));
        QCOMPARE(spy.count(), 4);
    }

    void inputMethodCompositionIsNoChange()
    {
        TextArea area;
        area.show();
        area.setText(QStringLiteral("x"));
        area.setSelStart(1);
        QSignalSpy spy(&area, &TextArea::changed);
        QInputMethodEvent compose(QStringLiteral("にほ"), {});
        QApplication::sendEvent(&area, &compose);
        QInputMethodEvent compose2(QStringLiteral("にほん"), {});
        QApplication::sendEvent(&area, &compose2);
        QCOMPARE(spy.count(), 0);
        QInputMethodEvent commit;
        commit.setCommitString(QStringLiteral("日本"));
        QApplication::sendEvent(&area, &commit);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(area.text(), QStringLiteral("x日本"));
    }

    void inputMethodKeepsTheStandInsOfItsLine()
    {
        // A pre-edit and a commit are reported as a change of the whole line: the
        // stand-ins in it stay what they stand for, and what is committed right after one
        // is what was committed.
        TextArea area;
        area.show();
        const QString text = QStringLiteral("a\rb\n\u0000c\r\nd");
        area.setText(text);
        area.setSelStart(2);
        QInputMethodEvent compose(QStringLiteral("に"), {});
        QApplication::sendEvent(&area, &compose);
        QInputMethodEvent cancel;
        QApplication::sendEvent(&area, &cancel);
        QCOMPARE(area.text(), text);
        QApplication::sendEvent(&area, &compose);
        QInputMethodEvent commit;
        commit.setCommitString(QStringLiteral("x"));
        QApplication::sendEvent(&area, &commit);
        QCOMPARE(area.text(), QStringLiteral("a\rxb\n\u0000c\r\nd"));
        QCOMPARE(area.text(), readAfresh(area));
        // The last line is reported with a line break past the end of the text.
        area.setText(QStringLiteral("a\rb"));
        area.setSelStart(3);
        QApplication::sendEvent(&area, &compose);
        QApplication::sendEvent(&area, &cancel);
        QCOMPARE(area.text(), QStringLiteral("a\rb"));
        QCOMPARE(readAfresh(area), QStringLiteral("a\rb"));
    }

    void composingOverASelectionKeepsItUntilTheCommit()
    {
        TextArea area;
        area.show();
        area.setText(QStringLiteral("abcdef"));
        area.setSelStart(3);
        area.setSelLength(3);
        QSignalSpy spy(&area, &TextArea::changed);
        QInputMethodEvent compose(QStringLiteral("d"), {});
        QApplication::sendEvent(&area, &compose);
        QInputMethodEvent compose2(QStringLiteral("で"), {});
        QApplication::sendEvent(&area, &compose2);
        QCOMPARE(area.text(), QStringLiteral("abcdef"));
        QCOMPARE(spy.count(), 0);
        // Escape: the input method cancels with an empty event; all is as it was.
        QInputMethodEvent cancel;
        QApplication::sendEvent(&area, &cancel);
        QCOMPARE(area.text(), QStringLiteral("abcdef"));
        QCOMPARE(area.selText(), QStringLiteral("def"));
        QCOMPARE(spy.count(), 0);

        QApplication::sendEvent(&area, &compose2);
        QInputMethodEvent commit;
        commit.setCommitString(QStringLiteral("出"));
        QApplication::sendEvent(&area, &commit);
        QCOMPARE(area.text(), QStringLiteral("abc出"));
        QCOMPARE(spy.count(), 1);
        QCOMPARE(area.selStart(), 4);
        QCOMPARE(area.selLength(), 0);
    }

    void readOnlyBlocksTheInputMethod()
    {
        TextArea area;
        area.show();
        area.setText(QStringLiteral("abc"));
        area.setLocked(true);
        QSignalSpy spy(&area, &TextArea::changed);
        QVERIFY(!area.inputMethodQuery(Qt::ImEnabled).toBool());
        QVERIFY(!area.testAttribute(Qt::WA_InputMethodEnabled));
        QInputMethodEvent commit;
        commit.setCommitString(QStringLiteral("変換"));
        QApplication::sendEvent(&area, &commit);
        QCOMPARE(area.text(), QStringLiteral("abc"));
        QCOMPARE(spy.count(), 0);
        area.setLocked(false);
        QVERIFY(area.inputMethodQuery(Qt::ImEnabled).toBool());
        QApplication::sendEvent(&area, &commit);
        QCOMPARE(area.text(), QStringLiteral("変換abc"));
    }

    void readOnlyBlocksTypingOnly()
    {
        TextArea area;
        area.show();
        area.setText(QStringLiteral("abc"));
        area.setLocked(true);
        area.setSelStart(3);
        QTest::keyClicks(&area, QStringLiteral("zz"));
        QTest::keyClick(&area, Qt::Key_Backspace);
        QCOMPARE(area.text(), QStringLiteral("abc"));
        // The caret still moves from the keyboard.
        QTest::keyClick(&area, Qt::Key_Left);
        QCOMPARE(area.selStart(), 2);
        area.setSelText(QStringLiteral("!"));
        QCOMPARE(area.text(), QStringLiteral("ab!c"));
        area.setText(QStringLiteral("new"));
        QCOMPARE(area.text(), QStringLiteral("new"));
        area.setLocked(false);
        area.setSelStart(3);
        QTest::keyClicks(&area, QStringLiteral("s"));
        QCOMPARE(area.text(), QStringLiteral("news"));
    }

    void deleteWithoutSelectionDeletesNextCharacter()
    {
        TextArea area;
        area.setReservedShortcuts({QKeySequence(Qt::Key_Delete), QKeySequence("Ctrl+Z")});
        area.show();
        area.setText(QStringLiteral("abc"));
        area.setSelStart(1);
        QTest::keyClick(&area, Qt::Key_Delete);
        QCOMPARE(area.text(), QStringLiteral("ac"));
        // With a selection the key belongs to the menu; with no menu item enabled the
        // widget does nothing with it.
        area.setSelStart(0);
        area.setSelLength(1);
        QTest::keyClick(&area, Qt::Key_Delete);
        QCOMPARE(area.text(), QStringLiteral("ac"));
        QTest::keyClick(&area, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(area.text(), QStringLiteral("ac"));
    }

    void modelStaysRightThroughRandomEdits()
    {
        // The model is kept up to date change by change; after every edit it must equal
        // the model built afresh from the document.
        TextArea area;
        area.show();
        QRandomGenerator random(7);
        // Stand-in glyphs among them: typed or inserted, they are the characters they are.
        const QStringList pieces = {"a", "\r\n",        "\r",     "\n",     "あい",   "\u2029",
                                    "",  "xyz\r\n\r\n", "\u240D", "\u240A", "\uF8F0", "\u00B6"};
        for (int step = 0; step < 400; ++step) {
            const int size = area.text().size();
            area.setSelStart(random.bounded(size + 1));
            area.setSelLength(random.bounded(4));
            switch (random.bounded(4)) {
            case 0:
                area.setSelText(pieces.at(random.bounded(pieces.size())));
                break;
            case 1:
                QTest::keyClick(&area, random.bounded(2) ? Qt::Key_Backspace : Qt::Key_Return);
                break;
            case 2:
                QTest::sendKeyEvent(QTest::Click, &area, Qt::Key_unknown, QStringLiteral("\u240D"),
                                    Qt::NoModifier);
                break;
            default:
                QTest::keyClick(&area, Qt::Key_B);
                break;
            }
            QCOMPARE(area.text(), readAfresh(area));
        }
    }

    void onlyFileListsAreDropped()
    {
        TextArea area;
        area.setAcceptFileDrops(true);
        area.setText(QStringLiteral("keep"));
        QSignalSpy dropped(&area, &TextArea::filesDropped);
        // As a real drag does: enter, then drop.
        auto drop = [&](QMimeData *data) {
            QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, data, Qt::LeftButton,
                                  Qt::NoModifier);
            QApplication::sendEvent(area.viewport(), &enter);
            QDropEvent event(QPointF(5, 5), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(area.viewport(), &event);
        };
        QMimeData files;
        files.setUrls({QUrl::fromLocalFile("/tmp/a.txt"), QUrl::fromLocalFile("/tmp/b.txt")});
        drop(&files);
        QCOMPARE(dropped.count(), 1);
        QCOMPARE(dropped.at(0).at(0).toStringList(), QStringList({"/tmp/a.txt", "/tmp/b.txt"}));
        QMimeData text;
        text.setText(QStringLiteral("dragged text"));
        drop(&text);
        QCOMPARE(dropped.count(), 1);
        QCOMPARE(area.text(), QStringLiteral("keep"));
    }

    void modelOfLargeText()
    {
        QString text;
        for (int i = 0; i < 2000; ++i)
            text += QString(30, QChar(u'あ')) + QStringLiteral("\r\n");
        TextArea area;
        area.setText(text);
        QCOMPARE(area.text(), text);
        QCOMPARE(area.lineCount(), 2001);
        area.setSelStart(32 * 1000 + 5);
        QCOMPARE(area.selStart(), 32 * 1000 + 5);
        QCOMPARE(area.textCursor().blockNumber(), 1000);
    }
};

QTEST_MAIN(TestTextArea)
#include "tst_textarea.moc"
