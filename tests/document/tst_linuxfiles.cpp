// Linux text files: UTF-8 and LF-only files recognised, opened with their lines, and
// saved back byte for byte; a backup that never loses a character.
#include "support/fixture.h"

#include "document/documentformat.h"
#include "platform/codepage.h"

#include <QTest>

using documentformat::Encoding;
using documentformat::Form;

namespace {

QByteArray sjis(const QString &text)
{
    return platform::toAnsi(text);
}

} // namespace

class TestLinuxFiles : public QObject
{
    Q_OBJECT
private slots:
    void recognition_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("utf8");
        QTest::addColumn<bool>("bom");
        QTest::addColumn<bool>("lf");
        QTest::addColumn<QString>("text");
        QTest::newRow("UTF-8 Japanese, LF") << QStringLiteral("日本語\n二行目\n").toUtf8() << true
                                            << false << true << "日本語\r\n二行目";
        QTest::newRow("UTF-8 with BOM, CR LF")
            << "\xEF\xBB\xBF" + QStringLiteral("日本\r\n").toUtf8() << true << true << false
            << "日本";
        QTest::newRow("Shift-JIS Japanese")
            << sjis("日本語\r\n") << false << false << false << "日本語";
        // ﾃｩ in Shift-JIS is C3 A9, which is also valid UTF-8 (é): read as UTF-8.
        QTest::newRow("Shift-JIS that is valid UTF-8")
            << sjis("ﾃｩ") << true << false << false << "é";
        QTest::newRow("ASCII, LF") << QByteArray("a\nb\n") << false << false << true << "a\r\nb";
        QTest::newRow("EUC-JP read as Shift-JIS")
            << QByteArray("\xC6\xFC\xCB\xDC\r\n") << false << false << false
            << platform::fromAnsi("\xC6\xFC\xCB\xDC");
        QTest::newRow("invalid UTF-8 after a valid start")
            << QByteArray("\xE6\x97\xA5\x81\r\n") << false << false << false
            << platform::fromAnsi("\xE6\x97\xA5\x81");
        QTest::newRow("mixed: CR makes the Part's rules")
            << QByteArray("a\nb\r\nc\rd") << false << false << false << "a\nb\r\nc\r\nd";
    }

    void recognition()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, utf8);
        QFETCH(bool, bom);
        QFETCH(bool, lf);
        QFETCH(QString, text);
        const Form form = documentformat::recognise(bytes);
        QCOMPARE(form.encoding == Encoding::Utf8, utf8);
        QCOMPARE(form.byteOrderMark, bom);
        QCOMPARE(form.lfLineEnds, lf);
        QCOMPARE(documentformat::read(bytes, form), text);
    }

    void savedUnchangedIsByteIdentical_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("UTF-8 LF") << QStringLiteral("こんにちは\n世界\n").toUtf8();
        QTest::newRow("UTF-8 LF, no final line end") << QStringLiteral("こんにちは\n世界").toUtf8();
        QTest::newRow("UTF-8 CR LF") << QStringLiteral("𠮷野家\r\n😀\r\n").toUtf8();
        QTest::newRow("UTF-8 with BOM") << "\xEF\xBB\xBF" + QStringLiteral("見出し\n").toUtf8();
        QTest::newRow("Shift-JIS CR LF") << sjis("日本語\r\n二行目\r\n");
        QTest::newRow("ASCII LF") << QByteArray("one\ntwo\n");
        QTest::newRow("Shift-JIS with a lone LF inside a line") << sjis("a\nb\r\n");
    }

    void savedUnchangedIsByteIdentical()
    {
        QFETCH(QByteArray, bytes);
        Fixture f;
        Form1 &w = f.start();
        f.write("file.txt", bytes);
        w.OpenDocument(f.path("file.txt"));
        // An edit made and taken back, then 上書き保存.
        w.Text1->setSelStart(1);
        w.Text1->setSelText(QStringLiteral("x"));
        w.Text1->setSelStart(1);
        w.Text1->setSelLength(1);
        w.Text1->setSelText(QString());
        w.mnuSave_Click();
        QVERIFY(f.boxes.shown.isEmpty());
        QCOMPARE(f.read("file.txt"), bytes);
    }

    void saveAsKeepsTheFormAndInsertingDoesNotChangeIt()
    {
        Fixture f;
        Form1 &w = f.start();
        f.write("linux.txt", QStringLiteral("行一\n").toUtf8());
        f.write("windows.txt", sjis("挿入\r\n"));
        w.OpenDocument(f.path("linux.txt"));
        w.Text1->setSelStart(2);
        w.state.insertAtCaret = 1;
        w.OpenDocument(f.path("windows.txt"));
        QCOMPARE(w.Text1->text(), QStringLiteral("行一挿入"));
        f.dialogs.files.enqueue({f.path("copy.txt")});
        w.mnuAllsave_Click();
        QCOMPARE(f.read("copy.txt"), QStringLiteral("行一挿入\n").toUtf8());
        // New documents are Shift-JIS with CR LF again.
        w.mnuNew_Click();
        w.Text1->setText(QStringLiteral("新"));
        f.dialogs.files.enqueue({f.path("new.txt")});
        w.mnuAllsave_Click();
        QCOMPARE(f.read("new.txt"), sjis("新\r\n"));
    }

    void characterOutsideShiftJis()
    {
        // A Shift-JIS document still asks; a UTF-8 one saves without asking.
        Fixture f;
        Form1 &w = f.start();
        f.write("sjis.txt", sjis("あ\r\n"));
        w.OpenDocument(f.path("sjis.txt"));
        w.Text1->setSelText(QStringLiteral("😀"));
        f.boxes.answers.enqueue(platform::IdNo);
        w.mnuSave_Click();
        QCOMPARE(f.boxes.shown.size(), 1);
        QCOMPARE(f.read("sjis.txt"), sjis("あ\r\n"));
        f.write("utf8.txt", QStringLiteral("い\n").toUtf8());
        w.OpenDocument(f.path("utf8.txt"));
        w.Text1->setSelText(QStringLiteral("😀"));
        w.mnuSave_Click();
        QCOMPARE(f.boxes.shown.size(), 1);
        QCOMPARE(f.read("utf8.txt"), QStringLiteral("😀い\n").toUtf8());
    }

    void backupNeverLosesACharacter()
    {
        const QString kept = QStringLiteral("𠮷野家で😀\r\n二行目");
        Fixture f;
        {
            Form1 &w = f.start();
            f.write("page.txt", QStringLiteral("𠮷野家\n").toUtf8());
            w.OpenDocument(f.path("page.txt"));
            w.Text1->setSelStart(4); // 𠮷 is two UTF-16 units
            w.Text1->setSelText(QStringLiteral("で😀\r\n二行目"));
            QCOMPARE(w.Text1->text(), kept);
            QVERIFY(f.read("backup.txt").startsWith("\xEF\xBB\xBF"));
        }
        // The editor is gone without a normal end: the next start restores.
        f.window.release();
        Form1 &again = f.start();
        QCOMPARE(again.Text1->text(), kept + QStringLiteral("\r\n"));
        f.dialogs.files.enqueue({f.path("saved.txt")});
        again.mnuAllsave_Click();
        QCOMPARE(f.boxes.shown.size(), 1); // the recovery question only
        QCOMPARE(f.read("saved.txt"), QStringLiteral("𠮷野家で😀\n二行目\n\n").toUtf8());
        // Representable text goes back to the Shift-JIS backup.
        again.Text1->setText(QStringLiteral("あ"));
        QCOMPARE(f.read("backup.txt"), sjis("あ\r\n"));
    }
};

QTEST_MAIN(TestLinuxFiles)
#include "tst_linuxfiles.moc"
