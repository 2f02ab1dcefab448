// The private-profile functions against real files: matching, value forms, cutting,
// writing into existing and new sections and files, and the atomic replace.
#include "platform/codepage.h"
#include "platform/profile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace platform;

class TestProfile : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    QString m_path;

    void writeFile(const QByteArray &bytes)
    {
        QFile f(m_path);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }
    QByteArray readFile()
    {
        QFile f(m_path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QString str(const QString &section, const QString &key, int size = 256)
    {
        return GetPrivateProfileString(section, key, QStringLiteral("<none>"), size, m_path);
    }

private slots:
    void init()
    {
        m_path = m_dir.filePath(QStringLiteral("Conf.ini"));
        QFile::remove(m_path);
    }

    void readsIgnoringCaseBlanksAndQuotes()
    {
        writeFile(toAnsi(QStringLiteral("; comment=1\r\n[Font]\r\nFsize=12\r\n"
                                        "  fname  =  \"ＭＳ ゴシック\"  \r\nq='single'\r\n"
                                        "half=\"open\r\nnoequals\r\n[text]\r\nt1= a b \r\n")));
        QCOMPARE(str("FONT", "FSIZE"), QStringLiteral("12"));
        QCOMPARE(str("Font", "FName"), QStringLiteral("ＭＳ ゴシック"));
        QCOMPARE(str("Font", "q"), QStringLiteral("single"));
        QCOMPARE(str("Font", "half"), QStringLiteral("\"open"));
        QCOMPARE(str("Font", "noequals"), QStringLiteral("<none>"));
        QCOMPARE(str("Text", "T1"), QStringLiteral("a b"));
        QCOMPARE(str("Missing", "t1"), QStringLiteral("<none>"));
        QCOMPARE(str(";", "comment"), QStringLiteral("<none>"));
    }

    void firstDuplicateWinsAndLineEndsReadAlike()
    {
        writeFile("[A]\rk=1\rk=2\n[a]\nk=3\nj=4\r\n");
        QCOMPARE(str("a", "k"), QStringLiteral("1"));
        // Keys of a later duplicate section are not seen.
        QCOMPARE(str("a", "j"), QStringLiteral("<none>"));
    }

    void missingFileGivesDefaults()
    {
        QCOMPARE(str("Font", "Fsize"), QStringLiteral("<none>"));
        QCOMPARE(GetPrivateProfileInt("Font", "Fsize", 7, m_path), 7);
    }

    void integers_data()
    {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<int>("expected");
        QTest::newRow("plain") << QByteArray("42") << 42;
        QTest::newRow("negative system colour") << QByteArray("-2147483643") << -2147483643;
        QTest::newRow("fraction ignored") << QByteArray("10.5") << 10;
        QTest::newRow("trailing text") << QByteArray("12px") << 12;
        QTest::newRow("no leading digit") << QByteArray("abc") << 0;
        QTest::newRow("wraps modulo 2^32") << QByteArray("4294967297") << 1;
        QTest::newRow("quoted") << QByteArray("\"5\"") << 5;
        QTest::newRow("empty value is missing") << QByteArray("") << 99;
    }

    void integers()
    {
        QFETCH(QByteArray, value);
        QFETCH(int, expected);
        writeFile("[S]\r\nk=" + value + "\r\n");
        QCOMPARE(GetPrivateProfileInt("S", "k", 99, m_path), expected);
    }

    void stringCutAtSizeMinusOneBytes()
    {
        // 127 double-byte characters fill 254 bytes; the 128th would need 256.
        const QString kana = QString(128, QChar(u'あ'));
        writeFile("[T]\r\nt1=" + toAnsi(kana) + "\r\nt2=" + QByteArray(300, 'x') + "\r\n");
        QCOMPARE(str("T", "t1"), QString(127, QChar(u'あ')));
        QCOMPARE(str("T", "t2"), QString(255, QChar(u'x')));
        QCOMPARE(str("T", "t2", 4), QStringLiteral("xxx"));
        QCOMPARE(GetPrivateProfileString("T", "none", "defaultvalue", 5, m_path),
                 QStringLiteral("defa"));
    }

    void writeCreatesFileAndSection()
    {
        QVERIFY(WritePrivateProfileString("Font", "Fsize", "10.5", m_path));
        QVERIFY(WritePrivateProfileString("Font", "Fbold", "False", m_path));
        QVERIFY(WritePrivateProfileString("Text", "t1", "日本語", m_path));
        QCOMPARE(readFile(), "[Font]\r\nFsize=10.5\r\nFbold=False\r\n[Text]\r\nt1=" +
                                 toAnsi(QStringLiteral("日本語")) + "\r\n");
    }

    void writeRewritesInPlaceAndKeepsOtherLines()
    {
        writeFile("; my settings\r\n[Option]\r\nfilename=old\r\nCheck1=1\r\n\r\n; tail\r\n"
                  "Unknown=x\n[Font]\r\nFsize=9");
        QVERIFY(WritePrivateProfileString("OPTION", "FileName", "新しい", m_path));
        QVERIFY(WritePrivateProfileString("Option", "Check2", "0", m_path));
        QVERIFY(WritePrivateProfileString("Font", "Fbold", "True", m_path));
        QCOMPARE(readFile(),
                 "; my settings\r\n[Option]\r\nfilename=" + toAnsi(QStringLiteral("新しい")) +
                     "\r\nCheck1=1\r\n\r\n; tail\r\nUnknown=x\nCheck2=0\r\n"
                     "[Font]\r\nFsize=9\r\nFbold=True\r\n");
    }

    void lineBreaksNeverReachTheFile()
    {
        QVERIFY(WritePrivateProfileString("Text", "t1", "first\r\n[Option]\r\nCheck1=1", m_path));
        QVERIFY(WritePrivateProfileString("Te\nxt", "t2\r", "second\nline", m_path));
        QCOMPARE(readFile(), QByteArray("[Text]\r\nt1=first\r\n[Te]\r\nt2=second\r\n"));
    }

    void lastLineWithoutLineEndGetsOneWhenRewritten()
    {
        writeFile("[A]\r\nk=old");
        QVERIFY(WritePrivateProfileString("A", "k", "new", m_path));
        QCOMPARE(readFile(), QByteArray("[A]\r\nk=new\r\n"));
    }

    void verticalTabIsABlank()
    {
        writeFile("[A]\r\n\vk\v=\v value\v\r\n");
        QCOMPARE(str("A", "k"), QStringLiteral("value"));
    }

    void namesAreMatchedAndWrittenWithoutSurroundingBlanks()
    {
        writeFile("[S]\r\nk=v\r\n");
        QCOMPARE(str(" S ", "\tk "), QStringLiteral("v"));
        QVERIFY(WritePrivateProfileString(" sec ", " key ", "x", m_path));
        QVERIFY(WritePrivateProfileString("sec", "key", "y", m_path));
        QCOMPARE(readFile(), QByteArray("[S]\r\nk=v\r\n[sec]\r\nkey=y\r\n"));
    }

    void namesEndAtNul()
    {
        // Names are C strings: what follows a NUL is not part of them, in reading and in
        // writing alike.
        const QString key = QStringLiteral("k") + QChar(0) + QStringLiteral("x");
        QVERIFY(WritePrivateProfileString("S", key, "v", m_path));
        QCOMPARE(readFile(), QByteArray("[S]\r\nk=v\r\n"));
        QCOMPARE(str("S", "k"), QStringLiteral("v"));
        QCOMPARE(str("S", QStringLiteral("k") + QChar(0) + QStringLiteral("y")),
                 QStringLiteral("v"));
        QCOMPARE(str(QStringLiteral("S") + QChar(0) + QStringLiteral("T"), "k"),
                 QStringLiteral("v"));
    }

    void defaultLosesTrailingBlanksAndValueEndsAtNul()
    {
        QCOMPARE(GetPrivateProfileString("A", "none", "  def \t", 256, m_path),
                 QStringLiteral("  def"));
        writeFile(QByteArray("[A]\r\nk=before\0after\r\n", 22));
        QCOMPARE(str("A", "k"), QStringLiteral("before"));
    }

    void sectionNameEndsAtTheFirstBracketOfItsOwn()
    {
        // ゾ is 83 5D: its trail byte is "]" and must not end the name.
        writeFile(toAnsi(QStringLiteral("[ゾ]\r\nk=1\r\n")));
        QCOMPARE(GetPrivateProfileInt(QStringLiteral("ゾ"), "k", 0, m_path), 1);
    }

    void fileChangedOnDiskIsReadAgain()
    {
        writeFile("[A]\r\nk=1\r\n");
        QCOMPARE(str("A", "k"), QStringLiteral("1"));
        // Same size, rewritten in place: another modification time.
        QTest::qWait(5);
        writeFile("[A]\r\nk=2\r\n");
        QCOMPARE(str("A", "k"), QStringLiteral("2"));
    }

    void writeToUnwritablePlaceFails()
    {
        QVERIFY(!WritePrivateProfileString("A", "b", "c", m_dir.filePath("no/such/dir/x.ini")));
    }

    void writeReplacesAtomically()
    {
        // The file is replaced by rename: a reader holding the old file still sees it
        // whole, and no temporary file is left behind.
        writeFile("[A]\r\nk=old\r\n");
        QFile before(m_path);
        QVERIFY(before.open(QIODevice::ReadOnly));
        QVERIFY(WritePrivateProfileString("A", "k", "new", m_path));
        QCOMPARE(before.readAll(), QByteArray("[A]\r\nk=old\r\n"));
        QCOMPARE(readFile(), QByteArray("[A]\r\nk=new\r\n"));
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files), QStringList{"Conf.ini"});
    }
};

QTEST_APPLESS_MAIN(TestProfile)
#include "tst_profile.moc"
