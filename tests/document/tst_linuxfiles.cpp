// Linux text files: UTF-8 and LF-only files recognised, opened with their lines, and
// saved back byte for byte; a backup that never loses a character.
#include "support/fixture.h"

#include "document/documentformat.h"
#include "platform/codepage.h"

#include <QTest>

using documentformat::Form;
using documentformat::LineEnds;
using platform::Charset;

namespace {

QByteArray sjis(const QString &text)
{
    return platform::toAnsi(text);
}

QString escaped(unsigned char byte)
{
    return QString(QChar(platform::byteEscape(byte)));
}

} // namespace

class TestLinuxFiles : public QObject
{
    Q_OBJECT
private slots:
    void recognition_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("charset");
        QTest::addColumn<bool>("bom");
        QTest::addColumn<int>("lineEnds");
        QTest::addColumn<QString>("text");
        const int crlf = int(LineEnds::CrLf);
        const int lf = int(LineEnds::Lf);
        QTest::newRow("UTF-8 Japanese, LF")
            << QStringLiteral("日本語\n二行目\n").toUtf8() << int(Charset::Utf8) << false << lf
            << "日本語\r\n二行目";
        QTest::newRow("UTF-8 with BOM, CR LF")
            << "\xEF\xBB\xBF" + QStringLiteral("日本\r\n").toUtf8() << int(Charset::Utf8) << true
            << crlf << "日本";
        QTest::newRow("Shift-JIS Japanese")
            << sjis("日本語\r\n") << int(Charset::ShiftJis) << false << crlf << "日本語";
        // ﾃｽ in Shift-JIS is C3 BD, which is also valid UTF-8 (ý): the half-width
        // katakana are the likelier reading.
        QTest::newRow("Shift-JIS that is valid UTF-8")
            << sjis("ﾃｽ") << int(Charset::ShiftJis) << false << crlf << "ﾃｽ";
        QTest::newRow("UTF-8 accented word")
            << QStringLiteral("café\n").toUtf8() << int(Charset::Utf8) << false << lf << "café";
        QTest::newRow("ASCII, LF")
            << QByteArray("a\nb\n") << int(Charset::ShiftJis) << false << lf << "a\r\nb";
        QTest::newRow("EUC-JP") << QByteArray("\xC6\xFC\xCB\xDC\r\n") << int(Charset::EucJp)
                                << false << crlf << "日本";
        QTest::newRow("UTF-8 with a stray byte after a valid start")
            << QByteArray("\xE6\x97\xA5\x81\r\n") << int(Charset::Utf8) << false << crlf
            << QStringLiteral("日") + escaped(0x81);
        QTest::newRow("mixed: CR makes the Windows rules")
            << QByteArray("a\nb\r\nc\rd") << int(Charset::ShiftJis) << false << crlf
            << "a\nb\r\nc\r\nd";
    }

    void recognition()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, charset);
        QFETCH(bool, bom);
        QFETCH(int, lineEnds);
        QFETCH(QString, text);
        const documentformat::Reading reading = documentformat::read(bytes);
        QCOMPARE(int(reading.form.encoding), charset);
        QCOMPARE(reading.form.byteOrderMark, bom);
        QCOMPARE(int(reading.form.lineEnds), lineEnds);
        QCOMPARE(reading.text, text);
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
            QVERIFY(f.read("backup.txt").startsWith("\xFF\xFE"));
        }
        // The editor is gone without a normal end: the next start restores.
        f.crash();
        Form1 &again = f.start();
        QCOMPARE(again.Text1->text(), kept + QStringLiteral("\r\n"));
        f.dialogs.files.enqueue({f.path("saved.txt")});
        again.mnuAllsave_Click();
        QCOMPARE(f.boxes.shown.size(), 1); // the recovery question only
        QCOMPARE(f.read("saved.txt"), QStringLiteral("𠮷野家で😀\n二行目\n\n").toUtf8());
        // A new document is Shift-JIS again, and so is its backup.
        again.mnuNew_Click();
        again.Text1->setText(QStringLiteral("あ"));
        QCOMPARE(f.read("backup.txt"), sjis("あ\r\n"));
    }
};

QTEST_MAIN(TestLinuxFiles)
#include "tst_linuxfiles.moc"
