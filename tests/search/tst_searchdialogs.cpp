// The find and replace dialogs beside the main window, and replace all against the
// step-by-step procedure it stands for.
#include "support/fixture.h"

#include "platform/codepage.h"
#include "search/form2.h"
#include "search/form3.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTest>

namespace {

QString notFound(const QString &text)
{
    return u'"' + text + QStringLiteral("\"が見つかりません");
}

Form3 &openReplace(Form1 &w, const QString &search, const QString &replacement, bool exact)
{
    w.mnuOki_Click();
    Form3 &r = *w.findChild<Form3 *>();
    r.Text1->setText(search);
    r.Text2->setText(replacement);
    r.Check1->setChecked(exact);
    return r;
}

} // namespace

class TestSearchDialogs : public QObject
{
    Q_OBJECT
private slots:
    void findNextWalksForward()
    {
        Fixture f;
        Form1 &w = f.start();
        w.show();
        w.Text1->setText(QStringLiteral("xabcabc"));
        w.mnuKensaku_Click();
        Form2 *find = w.form2();
        QVERIFY(find->isVisible());
        QVERIFY(w.isEnabled());
        find->Text1->setText(QStringLiteral("abc"));
        find->Command1->click();
        QCOMPARE(w.Text1->selStart(), 1);
        QCOMPARE(w.Text1->selLength(), 3);
        find->Command1->click();
        QCOMPARE(w.Text1->selStart(), 4);
        find->Command1->click();
        find->Command1->click();
        QCOMPARE(f.boxes.shown.size(), 2);
        QCOMPARE(f.boxes.shown.at(0).text, notFound("abc"));
        QCOMPARE(w.Text1->selStart(), 4);
        QCOMPARE(w.Text1->selLength(), 3);
        w.Text1->setSelStart(0);
        w.mnuKensaku2_Click();
        QCOMPARE(w.Text1->selStart(), 1);
    }

    void searchTextOutlivesTheWindow()
    {
        Fixture f;
        Form1 &w = f.start();
        w.show();
        w.Text1->setText(QStringLiteral("ABC abc"));
        // Find next before anything was typed opens the dialog instead.
        w.mnuKensaku2_Click();
        QVERIFY(w.form2()->isVisible());
        QVERIFY(f.boxes.shown.isEmpty());
        w.form2()->Text1->setText(QStringLiteral("abc"));
        w.form2()->Check1->setChecked(true);
        w.form2()->Command2->click();
        QTRY_VERIFY(!w.findChild<Form2 *>());
        // Hidden dialog, unticked box: the search ignores case again.
        w.mnuKensaku2_Click();
        QCOMPARE(w.Text1->selStart(), 0);
        QVERIFY(!w.form2()->isVisible());
        QCOMPARE(w.form2()->Text1->text(), QString());
        w.mnuKensaku_Click();
        QVERIFY(w.form2()->isVisible());
        QCOMPARE(w.form2()->Text1->text(), QString());
        w.mnuKensaku2_Click();
        QCOMPARE(w.Text1->selStart(), 4);
    }

    void findDialogLayout()
    {
        Fixture f;
        Form1 &w = f.start();
        Form2 *find = w.form2();
        QCOMPARE(find->windowTitle(), QStringLiteral("検索"));
        QCOMPARE(find->Label1->text(), QStringLiteral("検索する文字列(&N):"));
        QCOMPARE(find->Command1->text(), QStringLiteral("次を検索(&F)"));
        QCOMPARE(find->Check1->text(),
                 QStringLiteral("大文字/小文字、全角/半角、平仮名/片仮名を区別する"));
        QCOMPARE(find->size(), QSize(457, 84));
        QVERIFY(!find->Command1->autoDefault());
    }

    void replaceDialogLabels()
    {
        Fixture f;
        Form1 &w = f.start();
        Form3 &r = openReplace(w, "", "", false);
        QCOMPARE(r.windowTitle(), QStringLiteral("置換"));
        QCOMPARE(r.Label1->text(), QStringLiteral("検索する文字列(&N):"));
        QCOMPARE(r.Label2->text(), QStringLiteral("置換る文字列(&I):"));
        QCOMPARE(r.Command3->text(), QStringLiteral("全て置換(&A)"));
        QCOMPARE(r.size(), QSize(393, 111));
    }

    void replaceSteps()
    {
        Fixture f;
        Form1 &w = f.start();
        w.Text1->setText(QStringLiteral("abcabc"));
        Form3 &r = openReplace(w, "abc", "X", false);
        r.Command2->click(); // selects the first occurrence only
        QCOMPARE(w.Text1->text(), QStringLiteral("abcabc"));
        QCOMPARE(w.Text1->selLength(), 3);
        r.Command2->click();
        QCOMPARE(w.Text1->text(), QStringLiteral("Xabc"));
        QCOMPARE(w.Text1->selStart(), 1);
        r.Command2->click();
        QCOMPARE(w.Text1->text(), QStringLiteral("XX"));
        QCOMPARE(f.boxes.shown.size(), 1);
        QVERIFY(f.boxes.shown.at(0).text.endsWith(QStringLiteral("が見つかりません")));
    }

    void replaceAllExamples_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("caret");
        QTest::addColumn<QString>("search");
        QTest::addColumn<QString>("replacement");
        QTest::addColumn<QString>("result");
        QTest::newRow("from the start") << "abcabc" << 0 << "abc"
                                        << "X"
                                        << "XX";
        QTest::newRow("from the middle") << "abcabc" << 3 << "abc"
                                         << "X"
                                         << "abcX";
        QTest::newRow("a to aa") << "aaa" << 0 << "a"
                                 << "aa"
                                 << "aaaaaa";
        QTest::newRow("empty replacement") << "a-b-c" << 0 << "-"
                                           << ""
                                           << "abc";
        QTest::newRow("empty search") << "abc" << 0 << ""
                                      << "X"
                                      << "abc";
        QTest::newRow("ignoring width") << "ＡＢＣ abc" << 0 << "abc"
                                        << "x"
                                        << "x x";
    }

    void replaceAllExamples()
    {
        QFETCH(QString, text);
        QFETCH(int, caret);
        QFETCH(QString, search);
        QFETCH(QString, replacement);
        QFETCH(QString, result);
        Fixture f;
        Form1 &w = f.start();
        w.Text1->setText(text);
        w.Text1->setSelStart(caret);
        Form3 &r = openReplace(w, search, replacement, false);
        r.Command3->click();
        QCOMPARE(w.Text1->text(), result);
        QCOMPARE(f.boxes.shown.size(), 1);
        QCOMPARE(f.boxes.shown.at(0).text, notFound(search));
    }

    void replaceAllTreatsStoredAlikeCharactersAlike()
    {
        // 〜 and ～ are one character in Shift-JIS: Replace and Replace All both take them.
        Fixture f;
        Form1 &w = f.start();
        w.Text1->setText(QStringLiteral("〜a～a"));
        openReplace(w, QStringLiteral("～"), "X", true).Command3_Click();
        QCOMPARE(w.Text1->text(), QStringLiteral("XaXa"));
    }

    void replaceChecksTheSelectionUnderTheRule()
    {
        Fixture f;
        Form1 &w = f.start();
        w.Text1->setText(QStringLiteral("ＡＢＣ abc"));
        w.Text1->setSelLength(3);
        Form3 &r = openReplace(w, "abc", "x", false);
        r.Command2->click();
        QCOMPARE(w.Text1->text(), QStringLiteral("x abc"));
        w.Text1->setText(QStringLiteral("ＡＢＣ abc"));
        w.Text1->setSelLength(3);
        r.Check1->setChecked(true);
        r.Command2->click();
        QCOMPARE(w.Text1->text(), QStringLiteral("ＡＢＣ abc"));
        QCOMPARE(w.Text1->selStart(), 4);
        // A selection holding an occurrence further in: only selects it.
        w.Text1->setText(QStringLiteral("xabc"));
        w.Text1->setSelLength(4);
        r.Command2->click();
        QCOMPARE(w.Text1->text(), QStringLiteral("xabc"));
        QCOMPARE(w.Text1->selStart(), 1);
        QCOMPARE(w.Text1->selLength(), 3);
    }

    void replaceAllMatchesStepByStep()
    {
        QRandomGenerator random(11);
        const QStringList searches = {"a", "ab", "AB", "か", "ｶ", "aa", "b", "～", "〜a", "−"};
        const QStringList replacements = {"", "x", "a", "aa", "AB", "カ", "ab", "〜"};
        for (int round = 0; round < 150; ++round) {
            QString text;
            const int length = random.bounded(30);
            // With characters Shift-JIS stores alike: 〜 ～, − －.
            const QString alphabet = QStringLiteral("aAbBかカｶ \r\n〜～−－");
            for (int i = 0; i < length; ++i)
                text += alphabet.at(random.bounded(alphabet.size()));
            text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
            text.replace(u'\r', u'\n').replace(u'\n', QStringLiteral("\r\n"));
            const QString search = searches.at(random.bounded(searches.size()));
            const QString replacement = replacements.at(random.bounded(replacements.size()));
            const bool exact = random.bounded(2);
            const int selStart = random.bounded(text.size() + 1);
            const int selLength = random.bounded(3);
            const int priorChanges = random.bounded(3);

            auto prepare = [&](Fixture &f) -> Form1 & {
                Form1 &w = f.start();
                for (int i = 0; i < priorChanges; ++i)
                    w.Text1->setText(text + QString::number(i));
                w.Text1->setText(text);
                w.Text1->setSelStart(selStart);
                w.Text1->setSelLength(selLength);
                return w;
            };
            Fixture stepwise;
            Form1 &a = prepare(stepwise);
            Form3 &ra = openReplace(a, search, replacement, exact);
            // Pressed until it says that nothing more is found.
            const qsizetype told = stepwise.boxes.shown.size();
            for (int guard = 0; stepwise.boxes.shown.size() == told && guard < 1000; ++guard)
                ra.Command2_Click();
            Fixture fast;
            Form1 &b = prepare(fast);
            openReplace(b, search, replacement, exact).Command3_Click();

            const QString what = QStringLiteral("%1 / %2 → %3").arg(text, search, replacement);
            QVERIFY2(a.Text1->text() == b.Text1->text(), qPrintable(what));
            QVERIFY2(a.Text1->selStart() == b.Text1->selStart(), qPrintable(what));
            QVERIFY2(a.Text1->selLength() == b.Text1->selLength(), qPrintable(what));
            QVERIFY2(a.state.undoTexts == b.state.undoTexts, qPrintable(what));
            QVERIFY2(a.state.undoSlot == b.state.undoSlot, qPrintable(what));
            QVERIFY2(a.state.isModified == b.state.isModified, qPrintable(what));
            QVERIFY2(stepwise.read("backup.txt") == fast.read("backup.txt"), qPrintable(what));
            QCOMPARE(stepwise.boxes.shown.size(), 1);
            QCOMPARE(fast.boxes.shown.size(), 1);
        }
    }
};

QTEST_MAIN(TestSearchDialogs)
#include "tst_searchdialogs.moc"
