// The edit and special menu commands in the main window: undo, the clipboard commands,
// insertions, the count, the viewing mode and the conversions.
#include "support/fixture.h"

#include "platform/clipboard.h"

#include <QAction>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QTest>

class TestEditCommands : public QObject
{
    Q_OBJECT
    void type(Form1 &w, const QString &text) { w.Text1->setSelText(text); }

private slots:
    void init() { QGuiApplication::clipboard()->clear(); }

    void undoTogglesBetweenTheLastTwoStates()
    {
        Fixture f;
        Form1 &w = f.start();
        type(w, "a");
        // The first undo after start-up brings back the empty text.
        w.mnuBack_Click();
        QCOMPARE(w.Text1->text(), QString());
        w.mnuBack_Click();
        QCOMPARE(w.Text1->text(), QStringLiteral("a"));
        w.mnuGoMouseLast_Click();
        type(w, "b");
        w.mnuBack_Click();
        QCOMPARE(w.Text1->text(), QStringLiteral("a"));
        w.mnuBack_Click();
        QCOMPARE(w.Text1->text(), QStringLiteral("ab"));
    }

    void composingOverASelectionIsOneUndoableChange()
    {
        Fixture f;
        Form1 &w = f.start();
        w.show();
        w.Text1->setText(QStringLiteral("abcdef"));
        w.Text1->setSelStart(3);
        w.Text1->setSelLength(3);
        QInputMethodEvent compose(QStringLiteral("で"), {});
        QApplication::sendEvent(w.Text1, &compose);
        // The pre-edit changes nothing: the backup still holds the selected text.
        QCOMPARE(f.read("backup.txt"), QByteArray("abcdef\r\n"));
        QInputMethodEvent commit;
        commit.setCommitString(QStringLiteral("出"));
        QApplication::sendEvent(w.Text1, &commit);
        QCOMPARE(w.Text1->text(), QStringLiteral("abc出"));
        w.mnuBack_Click();
        QCOMPARE(w.Text1->text(), QStringLiteral("abcdef"));
    }

    void undoClampsTheCaret()
    {
        Fixture f;
        Form1 &w = f.start();
        w.Text1->setText(QStringLiteral("12345"));
        w.Text1->setText(QStringLiteral("1234567890"));
        w.Text1->setSelStart(10);
        w.mnuBack_Click();
        QCOMPARE(w.Text1->text(), QStringLiteral("12345"));
        QCOMPARE(w.Text1->selStart(), 5);
        w.Text1->setSelStart(2);
        w.mnuBack_Click();
        QCOMPARE(w.Text1->selStart(), 2);
    }

    void textBoxKeysCutCopyAndPaste()
    {
        // Shift+Del, Ctrl+Insert and Shift+Insert are the text box's own cut, copy and
        // paste keys: they run the menu commands, with their enabling.
        Fixture f;
        Form1 &w = f.start();
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.Text1->setFocus();
        QTest::keyClick(w.Text1, Qt::Key_Delete, Qt::ShiftModifier);
        QCOMPARE(platform::getClipboardText(), QString());
        w.Text1->setText(QStringLiteral("ab\r\ncd"));
        w.Text1->setSelStart(1);
        w.Text1->setSelLength(4);
        QTest::keyClick(w.Text1, Qt::Key_Insert, Qt::ControlModifier);
        QCOMPARE(platform::getClipboardText(), QStringLiteral("b\r\nc"));
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("b\nc"));
        QTest::keyClick(w.Text1, Qt::Key_Delete, Qt::ShiftModifier);
        QCOMPARE(w.Text1->text(), QStringLiteral("ad"));
        QTest::keyClick(w.Text1, Qt::Key_Insert, Qt::ShiftModifier);
        QCOMPARE(w.Text1->text(), QStringLiteral("ab\r\ncd"));
        QCOMPARE(w.item("mnuKiru")->shortcut(), QKeySequence(QStringLiteral("Ctrl+X")));
    }

    void appendCommands()
    {
        Fixture f;
        Form1 &w = f.start();
        w.Text1->setText(QStringLiteral("def"));
        platform::setClipboardText(QStringLiteral("abc"));
        w.mnuAll_Click();
        w.mnuCopy2_Click();
        QCOMPARE(platform::getClipboardText(), QStringLiteral("abcdef"));
        QCOMPARE(w.Text1->text(), QStringLiteral("def"));
        QGuiApplication::clipboard()->clear();
        w.mnuKiru2_Click();
        QCOMPARE(platform::getClipboardText(), QStringLiteral("def"));
        QCOMPARE(w.Text1->text(), QString());
    }

    void noSelectionChangesNothing()
    {
        Fixture f;
        Form1 &w = f.start();
        w.Text1->setText(QStringLiteral("text"));
        platform::setClipboardText(QStringLiteral("clip"));
        const bool modified = w.state.isModified;
        w.state.isModified = false;
        for (auto handler : {&Form1::mnuKiru_Click, &Form1::mnuCopy_Click, &Form1::mnuKiru2_Click,
                             &Form1::mnuCopy2_Click, &Form1::mnuDel_Click})
            (w.*handler)();
        QCOMPARE(w.Text1->text(), QStringLiteral("text"));
        QCOMPARE(platform::getClipboardText(), QStringLiteral("clip"));
        QVERIFY(!w.state.isModified);
        QVERIFY(modified);
    }

    void cutPasteAndClipboardLineEnds()
    {
        Fixture f;
        Form1 &w = f.start();
        w.Text1->setText(QStringLiteral("one\r\ntwo"));
        w.mnuAll_Click();
        w.mnuKiru_Click();
        // Other programs see LF line ends.
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("one\ntwo"));
        QGuiApplication::clipboard()->setText(QStringLiteral("x\ny"));
        w.mnuPaest_Click();
        QCOMPARE(w.Text1->text(), QStringLiteral("x\r\ny"));
        QCOMPARE(w.Text1->lineCount(), 2);
    }

    void quotedPasteReplacesSelection()
    {
        Fixture f;
        Form1 &w = f.start();
        w.Text1->setText(QStringLiteral("[sel]"));
        w.Text1->setSelStart(1);
        w.Text1->setSelLength(3);
        QGuiApplication::clipboard()->setText(QStringLiteral("one\ntwo\n"));
        w.mnuInPaste_Click();
        QCOMPARE(w.Text1->text(), QStringLiteral("[> one\r\n> two\r\n> ]"));
        QCOMPARE(w.state.undoTexts[w.state.undoSlot == 1 ? 1 : 0], w.Text1->text());
    }

    void clipboardViewShowsTheText()
    {
        Fixture f;
        Form1 &w = f.start();
        w.mnuClip_Click();
        QGuiApplication::clipboard()->setText(QStringLiteral("見る"));
        w.mnuClip_Click();
        QCOMPARE(f.boxes.shown.size(), 2);
        QCOMPARE(f.boxes.shown.at(0).text, QString());
        QCOMPARE(f.boxes.shown.at(1).text, QStringLiteral("見る"));
        QCOMPARE(f.boxes.shown.at(1).icon, platform::Icon::Information);
    }

    void drawLineAsksTwice()
    {
        Fixture f;
        Form1 &w = f.start();
        f.boxes.inputs << "-="
                       << "3";
        w.mnuSen_Click();
        QCOMPARE(w.Text1->text(), QStringLiteral("-=-=-="));
        QCOMPARE(f.boxes.prompts,
                 QStringList({"線として引く文字を書いてください(省略した場合は*になります)",
                              "繰り返す回数を書いてください(省略した場合は72になります)"}));
        w.mnuSen_Click();
        QCOMPARE(w.Text1->text(), QStringLiteral("-=-=-=") + QString(72, u'*'));
        // A negative count still removes the selection.
        w.mnuAll_Click();
        f.boxes.inputs << "x"
                       << "-1";
        w.mnuSen_Click();
        QCOMPARE(w.Text1->text(), QString());
    }

    void insertionsAndCaret()
    {
        Fixture f;
        Form1 &w = f.start();
        w.mnuRandom_Click();
        const int n = w.Text1->text().toInt();
        QVERIFY(n >= 1 && n <= 10000);
        w.mnuGoMouseTop_Click();
        QCOMPARE(w.Text1->selStart(), 0);
        w.mnuDatet_Click();
        QVERIFY(w.Text1->text().contains(u':'));
        w.mnuGoMouseLast_Click();
        QCOMPARE(w.Text1->selStart(), w.Text1->text().size());
    }

    void characterCount()
    {
        Fixture f;
        Form1 &w = f.start();
        w.Text1->setText(QStringLiteral("ab\r\ncd"));
        w.item("mnupopMozi")->trigger();
        QCOMPARE(f.boxes.shown.size(), 1);
        QVERIFY(f.boxes.shown.at(0).text.startsWith(
            QStringLiteral("現在の総文字数は\u30004\u3000文字で、\u30002\u3000行です。")));
    }

    void viewingModeCaption()
    {
        Fixture f;
        f.write("b.txt", "text");
        Form1 &w = f.start(f.path("b.txt"));
        QAction *locked = w.item("mnuLocked");
        locked->trigger();
        QVERIFY(locked->isChecked());
        QTest::keyClick(w.Text1, Qt::Key_X); // refused while viewing
        QCOMPARE(w.Text1->text(), QStringLiteral("text"));
        QCOMPARE(w.windowTitle(), QStringLiteral("b.txt - Vellit\u3000[閲覧モード]"));
        locked->trigger();
        QVERIFY(!locked->isChecked());
        QCOMPARE(w.windowTitle(), f.path("b.txt") + QStringLiteral(" - Vellit"));
        locked->trigger();
        QCOMPARE(w.windowTitle(), f.path("b.txt") + QStringLiteral(" - Vellit\u3000[閲覧モード]"));
        QVERIFY(!w.state.isModified);
    }

    void conversionsInViewingModeAreOneChange()
    {
        Fixture f;
        Form1 &w = f.start();
        w.Text1->setText(QStringLiteral("hELLO wORLD"));
        w.item("mnuLocked")->trigger();
        w.mnuEnglish_Click();
        QCOMPARE(w.Text1->text(), QStringLiteral("Hello World"));
        QCOMPARE(w.Text1->selStart(), 0);
        w.mnuBack_Click();
        QCOMPARE(w.Text1->text(), QStringLiteral("hELLO wORLD"));
        // On a selection: only the selection, caret after it.
        w.Text1->setSelStart(6);
        w.Text1->setSelLength(5);
        w.mnuOmozi_Click();
        QCOMPARE(w.Text1->text(), QStringLiteral("hELLO WORLD"));
        QCOMPARE(w.Text1->selStart(), 11);
        QCOMPARE(w.Text1->selLength(), 0);
        w.Text1->setText(QStringLiteral("ガ"));
        w.mnuHan_Click();
        QCOMPARE(w.Text1->text(), QStringLiteral("ｶﾞ"));
        w.mnuZen_Click();
        QCOMPARE(w.Text1->text(), QStringLiteral("ガ"));
        w.mnuHira_Click();
        QCOMPARE(w.Text1->text(), QStringLiteral("が"));
        w.mnuKata_Click();
        QCOMPARE(w.Text1->text(), QStringLiteral("ガ"));
    }
};

QTEST_MAIN(TestEditCommands)
#include "tst_editcommands.moc"
