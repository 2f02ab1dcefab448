// OpenDocument, load and NewSave on real files: replace and insert, the size limit,
// missing files, the extension warning, the caption rules, failed writes.
#include "support/fixture.h"

#include "platform/charsetattribute.h"
#include "platform/codepage.h"
#include "settings/form7.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QTest>
#include <QWindow>

class TestOpenSave : public QObject
{
    Q_OBJECT
private slots:
    void openReplacesDocument()
    {
        Fixture f;
        Form1 &w = f.start();
        f.write("letter.txt", platform::toAnsi(QStringLiteral("拝啓\r\n敬具\r\n")));
        w.Text1->setText(QStringLiteral("old"));
        w.OpenDocument(f.path("letter.txt"));
        QCOMPARE(w.Text1->text(), QStringLiteral("拝啓\r\n敬具"));
        QCOMPARE(w.windowTitle(), QStringLiteral("letter.txt - Vellit"));
        QCOMPARE(w.state.documentPath, f.path("letter.txt"));
        QVERIFY(!w.state.isModified);
        QVERIFY(!w.state.isUntitled);
        QVERIFY(!w.item("mnuBack")->isEnabled());
        QVERIFY(!w.item("mnuIE")->isEnabled());
        QVERIFY(f.boxes.shown.isEmpty());
        // The backup follows the text.
        QCOMPARE(f.read("backup.txt"), platform::toAnsi(QStringLiteral("拝啓\r\n敬具\r\n")));
    }

    void fullPathOptionAndPreview()
    {
        Fixture f;
        Form1 &w = f.start();
        w.form7()->Check2->setChecked(true);
        f.write("page.html", "<p>");
        w.OpenDocument(f.path("page.html"));
        QCOMPARE(w.windowTitle(), f.path("page.html") + QStringLiteral(" - Vellit"));
        QVERIFY(w.item("mnuIE")->isEnabled());
        f.write("PAGE.HTM", "<p>");
        w.OpenDocument(f.path("PAGE.HTM"));
        QVERIFY(!w.item("mnuIE")->isEnabled());
    }

    void sizeLimit()
    {
        Fixture f;
        Form1 &w = f.start();
        f.write("exact.txt", QByteArray(64000, 'a'));
        f.write("over.txt", QByteArray(64001, 'b'));
        w.OpenDocument(f.path("exact.txt"));
        QCOMPARE(w.Text1->text().size(), 64000);
        w.OpenDocument(f.path("over.txt"));
        QCOMPARE(w.Text1->text(), QString(64000, u'a'));
        QCOMPARE(f.boxes.shown.size(), 1);
        QCOMPARE(f.boxes.shown.at(0).text, QStringLiteral("ファイルサイズが大き過ぎます"));
        QCOMPARE(f.boxes.shown.at(0).icon, platform::Icon::Exclamation);
        QCOMPARE(w.state.documentPath, f.path("exact.txt"));
    }

    void missingFileChangesNothing()
    {
        Fixture f;
        Form1 &w = f.start();
        w.Text1->setText(QStringLiteral("keep"));
        w.state.insertAtCaret = 1;
        w.OpenDocument(f.path("nothing.txt"));
        w.OpenDocument(f.dir.path());
        QCOMPARE(w.Text1->text(), QStringLiteral("keep"));
        QCOMPARE(w.state.insertAtCaret, 0);
        QVERIFY(w.state.isUntitled);
        QVERIFY(f.boxes.shown.isEmpty());
    }

    void emptyFileGivesEmptyDocument()
    {
        Fixture f;
        Form1 &w = f.start();
        f.write("empty.txt", QByteArray());
        w.Text1->setText(QStringLiteral("x"));
        w.OpenDocument(f.path("empty.txt"));
        QCOMPARE(w.Text1->text(), QString());
        QVERIFY(!w.state.isUntitled);
        QCOMPARE(w.windowTitle(), QStringLiteral("empty.txt - Vellit"));
    }

    void dangerousExtensionWarnsAfterLoading()
    {
        Fixture f;
        Form1 &w = f.start();
        f.write("setup.eXe", "MZ");
        w.OpenDocument(f.path("setup.eXe"));
        QCOMPARE(w.Text1->text(), QStringLiteral("MZ"));
        QCOMPARE(f.boxes.shown.size(), 1);
        QVERIFY(f.boxes.shown.at(0).text.startsWith(QStringLiteral("拡張子が\"eXe\"の物を")));
    }

    void insertAtCaretKeepsDocument()
    {
        Fixture f;
        Form1 &w = f.start();
        f.write("part.txt", "XY\r\n");
        w.OpenDocument(f.path("part.txt"));
        f.write("ins.txt", "12\r\n34\r\n");
        w.Text1->setSelStart(1);
        w.state.insertAtCaret = 1;
        w.OpenDocument(f.path("ins.txt"));
        QCOMPARE(w.Text1->text(), QStringLiteral("X12\r\n34Y"));
        QCOMPARE(w.windowTitle(), QStringLiteral("part.txt - Vellit"));
        QCOMPARE(w.state.documentPath, f.path("part.txt"));
        QVERIFY(w.state.isModified);
        QCOMPARE(w.state.insertAtCaret, 0);
    }

    void everyCharacterAFileCanHoldSurvivesAnEdit()
    {
        // Every one- and two-byte sequence that the code page reads as a character and
        // writes back as the same bytes, the bytes Windows alone reads among them, in a
        // file with lone LFs inside its lines.
        QByteArray file;
        int sequences = 0;
        auto add = [&](const QByteArray &bytes) {
            const QString ch = platform::fromAnsi(bytes);
            if (ch.size() != 1 || ch == QChar(0xFFFD) || platform::toAnsi(ch) != bytes ||
                bytes == "\r" || bytes == "\n")
                return;
            file += bytes;
            if (++sequences % 32 == 0)
                file += (sequences % 64 == 0) ? "\r\n" : "\n";
        };
        for (int b = 0; b < 0x100; ++b)
            add(QByteArray(1, char(b)));
        for (int lead = 0x81; lead <= 0xFC; ++lead)
            for (int trail = 0x40; trail <= 0xFC; ++trail)
                add(QByteArray(1, char(lead)) + char(trail));
        file += "\r\n";
        for (const char *windowsOnly : {"\x80", "\xA0", "\xFD", "\xFE", "\xFF"})
            QVERIFY(file.contains(windowsOnly));
        QCOMPARE(sequences, 9400);

        Fixture f;
        Form1 &w = f.start();
        f.write("all.txt", file);
        w.OpenDocument(f.path("all.txt"));
        w.Text1->setSelStart(10);
        w.Text1->setSelText(QStringLiteral("x"));
        w.Text1->setSelStart(10);
        w.Text1->setSelLength(1);
        w.Text1->setSelText(QString());
        w.mnuSave_Click();
        QVERIFY2(f.boxes.shown.isEmpty(), qPrintable(f.boxes.shown.value(0).text));
        QCOMPARE(f.read("all.txt"), file);
    }

    void captionShowsTheNameAsItIs()
    {
        // Qt would read "[*]" in a title as its modified marker and drop it.
        Fixture f;
        Form1 &w = f.start();
        w.show();
        f.write("a[*]b.txt", "x");
        w.OpenDocument(f.path("a[*]b.txt"));
        QCOMPARE(w.windowHandle()->title(), QStringLiteral("a[*]b.txt - Vellit"));
        w.mnuLocked_Click();
        QCOMPARE(w.windowHandle()->title(), QStringLiteral("a[*]b.txt - Vellit\u3000[閲覧モード]"));
    }

    void loadThroughTheOpenDialog()
    {
        Fixture f;
        Form1 &w = f.start();
        f.write("a.txt", "abc");
        f.dialogs.files.enqueue({f.path("a.txt"), true});
        w.load();
        QCOMPARE(w.Text1->text(), QStringLiteral("abc"));
        QCOMPARE(w.windowTitle(), QStringLiteral("a.txt - Vellit\u3000[閲覧モード]"));
        QVERIFY(w.item("mnuLocked")->isChecked());
        // Opened for viewing: typing changes nothing.
        QTest::keyClick(w.Text1, Qt::Key_X);
        QCOMPARE(w.Text1->text(), QStringLiteral("abc"));
        QCOMPARE(f.dialogs.proposedNames.at(0), QStringLiteral("無題"));
        QCOMPARE(f.dialogs.filters.at(0),
                 QStringLiteral("テキストファイル(*.txt,*.ini) (*.txt *.ini);;"
                                "HTMLドキュメント(*.html,*.htm) (*.html *.htm);;"
                                "全てのファイル(*.*) (*)"));
        f.dialogs.files.enqueue({f.path("a.txt"), false});
        w.load();
        QVERIFY(!w.item("mnuLocked")->isChecked());
        QCOMPARE(w.windowTitle(), QStringLiteral("a.txt - Vellit"));
        // Cancelled: nothing changes.
        w.load();
        QCOMPARE(w.Text1->text(), QStringLiteral("abc"));
        // Opened for editing: typing goes in.
        QTest::keyClick(w.Text1, Qt::Key_X);
        QCOMPARE(w.Text1->text(), QStringLiteral("xabc"));
    }

    void saveAsWritesAndRetitles()
    {
        Fixture f;
        Form1 &w = f.start();
        w.Text1->setText(QString());
        f.dialogs.files.enqueue({f.path("out.htm")});
        w.NewSave();
        QCOMPARE(f.read("out.htm"), QByteArray("\r\n"));
        QCOMPARE(f.dialogs.proposedNames.at(0), QStringLiteral("無題"));
        QCOMPARE(w.windowTitle(), f.path("out.htm") + QStringLiteral(" - Vellit"));
        QVERIFY(w.item("mnuIE")->isEnabled());
        QVERIFY(!w.state.isUntitled);
        QVERIFY(!w.state.isModified);
        QCOMPARE(w.CommonDialog1.Flags, 2054);
    }

    void cancelledSaveAsRaisesAndChangesNothing()
    {
        Fixture f;
        Form1 &w = f.start();
        w.Text1->setText(QStringLiteral("x"));
        QVERIFY_THROWS_EXCEPTION(platform::CancelError, w.NewSave());
        QVERIFY(w.state.isUntitled);
        QVERIFY(w.state.isModified);
        QCOMPARE(w.windowTitle(), QStringLiteral("無題 - Vellit"));
    }

    void failedWriteIsReportedAndKeepsModified()
    {
        Fixture f;
        Form1 &w = f.start();
        w.Text1->setText(QStringLiteral("text"));
        const QString target = f.path("missing-dir/out.txt");
        f.dialogs.files.enqueue({target});
        // A failure is not a cancel: it is told, and NewSave says it did not save.
        QVERIFY(!w.NewSave());
        QCOMPARE(f.boxes.shown.size(), 1);
        QVERIFY(f.boxes.shown.at(0).text.contains(target));
        QVERIFY(f.boxes.shown.at(0).text.startsWith(QStringLiteral("ファイル「")));
        QVERIFY(w.state.isModified);
        QVERIFY(w.state.isUntitled);
    }

    void unrepresentableCharactersAskFirst()
    {
        Fixture f;
        Form1 &w = f.start();
        w.Text1->setText(QStringLiteral("a한b"));
        f.boxes.answers.enqueue(platform::IdNo);
        QVERIFY(!w.writeDocument(f.path("k.txt")));
        QVERIFY(!f.exists("k.txt"));
        f.boxes.answers.enqueue(platform::IdYes);
        QVERIFY(w.writeDocument(f.path("k.txt")));
        QCOMPARE(f.read("k.txt"), QByteArray("a?b\r\n"));
        // No is the default answer: Enter keeps the file as it is.
        QCOMPARE(f.boxes.shown.at(0).buttons, platform::Buttons::YesNoDefaultNo);
    }

    void theSavedEncodingIsRecordedAndHonoured()
    {
        Fixture f;
        Form1 &w = f.start();
        // ASCII alone, and two half-width katakana that also spell ý in UTF-8: only the
        // record tells what they were saved as.
        const auto indexOf = [](platform::Charset c) {
            return int(
                std::find(std::begin(platform::kCharsets), std::end(platform::kCharsets), c) -
                std::begin(platform::kCharsets));
        };
        const struct
        {
            const char *text;
            platform::Charset charset;
        } cases[] = {{"plain ascii", platform::Charset::Utf8},
                     {"ﾃｽ", platform::Charset::ShiftJis},
                     {"ascii", platform::Charset::EucJp}};
        for (const auto &c : cases) {
            w.Text1->setText(QString::fromUtf8(c.text));
            f.dialogs.files.enqueue({f.path("rec.txt"), false, indexOf(c.charset)});
            QVERIFY(w.NewSave());
            if (platform::charsetAttribute(f.path("rec.txt")).isEmpty())
                QSKIP("the test directory's file system keeps no user attributes");
            QCOMPARE(platform::charsetAttribute(f.path("rec.txt")),
                     platform::charsetName(c.charset));
            w.OpenDocument(f.path("rec.txt"));
            QCOMPARE(w.state.documentForm.encoding, c.charset);
            QCOMPARE(w.Text1->text(), QString::fromUtf8(c.text));
        }
        // A record the bytes contradict (the file rewritten by another program) is not
        // believed.
        f.write("rec.txt", QStringLiteral("日本語のテキスト\n").toUtf8());
        platform::setCharsetAttribute(f.path("rec.txt"), QStringLiteral("Shift_JIS"));
        w.OpenDocument(f.path("rec.txt"));
        QCOMPARE(w.state.documentForm.encoding, platform::Charset::Utf8);
    }

    void saveAsIntoAnotherEncodingAsksAboutKeptBytes()
    {
        Fixture f;
        Form1 &w = f.start();
        const QByteArray flawed("caf\xE9 \xE6\x97\xA5\n");
        f.write("flawed.txt", flawed);
        w.OpenDocument(f.path("flawed.txt"));
        QCOMPARE(w.state.documentForm.encoding, platform::Charset::Utf8);
        const int utf16 = int(std::find(std::begin(platform::kCharsets),
                                        std::end(platform::kCharsets), platform::Charset::Utf16Le) -
                              std::begin(platform::kCharsets));
        // No, the default, writes nothing.
        f.boxes.shown.clear();
        f.boxes.answers.enqueue(platform::IdNo);
        f.dialogs.files.enqueue({f.path("wide.txt"), false, utf16});
        QVERIFY(!w.NewSave());
        QVERIFY(!f.exists("wide.txt"));
        QCOMPARE(f.boxes.shown.size(), 1);
        QVERIFY(f.boxes.shown.at(0).text.contains(QStringLiteral("1行目")));
        QCOMPARE(f.boxes.shown.at(0).buttons, platform::Buttons::YesNoDefaultNo);
        // Yes writes U+FFFD in its place, never a lone byte: the file reopens whole.
        f.boxes.answers.enqueue(platform::IdYes);
        f.dialogs.files.enqueue({f.path("wide.txt"), false, utf16});
        QVERIFY(w.NewSave());
        const QByteArray wide = f.read("wide.txt");
        QCOMPARE(wide.size() % 2, 0);
        w.OpenDocument(f.path("wide.txt"));
        QCOMPARE(w.Text1->text(), QStringLiteral("caf\uFFFD 日"));
    }

    void saveAsChangesLineEndsAndMark()
    {
        // A Windows user's CR LF file with a BOM, saved as LF without the BOM and back.
        Fixture f;
        Form1 &w = f.start();
        f.write("win.txt", "\xEF\xBB\xBF\xE4\xB8\x80\r\ntwo\r\n");
        w.OpenDocument(f.path("win.txt"));
        const QLabel *form = w.findChild<QLabel *>(QStringLiteral("formLabel"));
        QCOMPARE(form->text(), QStringLiteral("UTF-8 (BOM付き)  CRLF"));
        const int utf8 = int(std::find(std::begin(platform::kCharsets),
                                       std::end(platform::kCharsets), platform::Charset::Utf8) -
                             std::begin(platform::kCharsets));
        f.dialogs.files.enqueue({f.path("unix.txt"), false, -1, {1, 0}});
        QVERIFY(w.NewSave());
        // The lists were preset to the document's own form.
        const QList<platform::FileChoice> shown = f.dialogs.choices.constLast();
        QCOMPARE(shown.size(), 3);
        QCOMPARE(shown.at(0).index, utf8);
        QCOMPARE(shown.at(1).items.at(shown.at(1).index), QStringLiteral("CRLF"));
        QCOMPARE(shown.at(2).index, 1);
        QCOMPARE(f.read("unix.txt"), QByteArray("\xE4\xB8\x80\ntwo\n"));
        QCOMPARE(w.state.documentForm.lineEnds, documentformat::LineEnds::Lf);
        QCOMPARE(form->text(), QStringLiteral("UTF-8  LF"));
        f.dialogs.files.enqueue({f.path("back.txt"), false, -1, {0, 1}});
        QVERIFY(w.NewSave());
        QCOMPARE(f.read("back.txt"), f.read("win.txt"));
        // Shift-JIS keeps its own rules: a lone CR asked for still breaks lines with CR LF,
        // and no mark is written.
        f.dialogs.files.enqueue({f.path("sjis.txt"), false, 0, {2, 1}});
        QVERIFY(w.NewSave());
        QCOMPARE(f.read("sjis.txt"), QByteArray("\x88\xEA\r\ntwo\r\n"));
    }
};

QTEST_MAIN(TestOpenSave)
#include "tst_opensave.moc"
