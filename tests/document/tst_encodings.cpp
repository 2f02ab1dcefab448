// Japanese text files in every encoding: recognised, read as the text they hold, and
// written back byte for byte; an edit changes only the edited line; bytes an encoding
// cannot read are kept; characters with two codes keep the code they were read with.
#include "document/backupformat.h"
#include "document/charsetguess.h"
#include "document/documentformat.h"
#include "platform/codepage.h"

#include <QFile>
#include <QTest>

using documentformat::Form;
using documentformat::LineEnds;
using platform::Charset;

namespace {

QByteArray dataFile(const QString &name)
{
    QFile file(QStringLiteral(VELLIT_TEST_DATA "/encodings/") + name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing test data %s", qPrintable(name));
    return file.readAll();
}

QString escaped(unsigned char byte)
{
    return QString(QChar(platform::byteEscape(byte)));
}

// The file's lines as bytes, split after each LF code unit.
QList<QByteArray> byteLines(const QByteArray &bytes, int unit, bool bigEndian)
{
    QList<QByteArray> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i + unit <= bytes.size(); i += unit) {
        const bool lf = unit == 1 ? bytes[i] == '\n'
                                  : bytes[i + (bigEndian ? 1 : 0)] == '\n' &&
                                        bytes[i + (bigEndian ? 0 : 1)] == 0;
        if (lf) {
            lines.append(bytes.mid(start, i + unit - start));
            start = i + unit;
        }
    }
    lines.append(bytes.mid(start));
    return lines;
}

} // namespace

class TestEncodings : public QObject
{
    Q_OBJECT
private slots:
    void realFiles_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("charset");
        QTest::addColumn<QString>("reference"); // the same text in UTF-8, or empty
        QTest::newRow("Shift_JIS")
            << "shift_jis.txt" << int(Charset::ShiftJis) << "shift_jis-utf8.txt";
        QTest::newRow("EUC-JP") << "euc_jp.txt" << int(Charset::EucJp) << "euc_jp-utf8.txt";
        QTest::newRow("EUC-JP dictionary")
            << "skk-jisyo-head.txt" << int(Charset::EucJp) << QString();
        QTest::newRow("ISO-2022-JP")
            << "iso2022_jp.txt" << int(Charset::Iso2022Jp) << "iso2022_jp-utf8.txt";
        QTest::newRow("Shift_JIS-2004")
            << "shift_jisx0213.txt" << int(Charset::ShiftJis2004) << "shift_jisx0213-utf8.txt";
        QTest::newRow("EUC-JIS-2004")
            << "euc_jisx0213.txt" << int(Charset::EucJis2004) << "euc_jisx0213-utf8.txt";
        QTest::newRow("UTF-8") << "euc_jp-utf8.txt" << int(Charset::Utf8) << "euc_jp-utf8.txt";
        QTest::newRow("UTF-16LE with BOM")
            << "utf16le-bom.txt" << int(Charset::Utf16Le) << "euc_jp-utf8.txt";
        QTest::newRow("UTF-16BE with BOM")
            << "utf16be-bom.txt" << int(Charset::Utf16Be) << "euc_jp-utf8.txt";
    }

    void realFiles()
    {
        QFETCH(QString, file);
        QFETCH(int, charset);
        QFETCH(QString, reference);
        const QByteArray bytes = dataFile(file);
        const documentformat::Reading reading = documentformat::read(bytes);
        QCOMPARE(int(reading.form.encoding), charset);
        QCOMPARE(reading.undecodableBytes, 0);
        QVERIFY(!documentformat::hasByteEscapes(reading.text));
        if (!reference.isEmpty())
            QCOMPARE(reading.text, documentformat::read(dataFile(reference), Charset::Utf8).text);
        // Saved unchanged: byte for byte.
        QCOMPARE(documentformat::write(reading.text, reading.form), bytes);
        // The writer on its own, without the bytes the lines were read from, gives the
        // text back, unchanged and edited.
        Form withheld = reading.form;
        withheld.lines.clear();
        documentformat::WriteCheck fresh;
        const QString appended = reading.text + QStringLiteral("追加");
        for (const QString &text : {reading.text, appended}) {
            const QByteArray written = documentformat::write(text, withheld, &fresh);
            QCOMPARE(fresh.trouble, documentformat::Trouble::None);
            QCOMPARE(documentformat::read(written, reading.form.encoding).text, text);
        }

        // One edit in the middle changes that line's bytes and no other.
        const QStringList lines = reading.text.split(QStringLiteral("\r\n"));
        const int edited = int(lines.size() / 2);
        QStringList changed = lines;
        changed[edited] = QStringLiteral("追加") + changed[edited];
        documentformat::WriteCheck check;
        const QByteArray saved =
            documentformat::write(changed.join(QStringLiteral("\r\n")), reading.form, &check);
        QCOMPARE(check.trouble, documentformat::Trouble::None);
        const int unit = platform::unitSize(reading.form.encoding);
        const bool bigEndian = reading.form.encoding == Charset::Utf16Be;
        const QList<QByteArray> before = byteLines(bytes, unit, bigEndian);
        const QList<QByteArray> after = byteLines(saved, unit, bigEndian);
        QCOMPARE(after.size(), before.size());
        for (int i = 0; i < before.size(); ++i) {
            if (i != edited)
                QCOMPARE(after[i], before[i]);
        }
        QCOMPARE(documentformat::read(saved, reading.form.encoding).text,
                 changed.join(QStringLiteral("\r\n")));
    }

    void formsRoundTrip_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("charset");
        QTest::newRow("UTF-8 CR LF then a lone LF at the end")
            << QStringLiteral("行\r\n\n").toUtf8() << int(Charset::Utf8);
        QTest::newRow("UTF-8 without a final line end")
            << QStringLiteral("一\n二").toUtf8() << int(Charset::Utf8);
        QTest::newRow("U+FEFF at the start of a UTF-8 file with a BOM")
            << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBF") + QStringLiteral("字\n").toUtf8()
            << int(Charset::Utf8);
        QTest::newRow("UTF-8 with stray Latin-1 bytes")
            << QByteArray("caf\xE9 ") + QStringLiteral("日本語のテキスト\n").toUtf8()
            << int(Charset::Utf8);
        QTest::newRow("UTF-8 cut inside its last character")
            << QStringLiteral("日本語の文章です").toUtf8().chopped(1) << int(Charset::Utf8);
        QTest::newRow("UTF-16LE, CR only")
            << QByteArray("\xFF\xFE", 2) + QByteArray("a\0\r\0b\0\r\0", 8) << int(Charset::Utf16Le);
        QTest::newRow("UTF-16LE with a lone surrogate") << QByteArray("\xFF\xFE"
                                                                      "a\0\x00\xDC"
                                                                      "b\0",
                                                                      8)
                                                        << int(Charset::Utf16Le);
        QTest::newRow("UTF-16LE without BOM")
            << QByteArray("a\0b\0\x42\x30\n\0", 8) << int(Charset::Utf16Le);
        QTest::newRow("UTF-16BE without BOM")
            << QByteArray("\0a\0b\x30\x42\0\n", 8) << int(Charset::Utf16Be);
        QTest::newRow("ISO-2022-JP with the old JIS escape")
            << QByteArray("\x1B$@F|K\\\x1B(J \x1B(B\r\n") << int(Charset::Iso2022Jp);
        QTest::newRow("ISO-2022-JP half-width katakana")
            << QByteArray("\x1B(I12\x1B(B\n") << int(Charset::Iso2022Jp);
        QTest::newRow("EUC-JP with JIS X 0212")
            << QByteArray("\xA4\xA2\x8F\xB0\xA1\xA4\xA4\n") << int(Charset::EucJp);
        QTest::newRow("Shift-JIS: 髙 in its NEC-selected code")
            << platform::toAnsi(QStringLiteral("高橋と")) + "\xEE\xE0" +
                   platform::toAnsi(QStringLiteral("橋さん\r\n"))
            << int(Charset::ShiftJis);
    }

    void formsRoundTrip()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, charset);
        const documentformat::Reading reading = documentformat::read(bytes);
        QCOMPARE(int(reading.form.encoding), charset);
        QCOMPARE(documentformat::write(reading.text, reading.form), bytes);
        // What is written reads back as the same text, and so does the backup.
        const QString edited = reading.text + QStringLiteral("\r\n");
        const QByteArray saved = documentformat::write(edited, reading.form);
        QCOMPARE(documentformat::read(saved, reading.form.encoding).text, edited);
        const backupformat::Recovery recovered =
            backupformat::read(backupformat::write(edited, reading.form));
        QCOMPARE(recovered.text, edited + QStringLiteral("\r\n"));
        QCOMPARE(recovered.form.encoding, reading.form.encoding);
        QCOMPARE(recovered.form.lineEnds, reading.form.lineEnds);
        QCOMPARE(recovered.form.byteOrderMark, reading.form.byteOrderMark);
    }

    void undecodableBytesAreKept()
    {
        const QByteArray bytes("caf\xE9 ok\xFF\r\n", 10);
        const documentformat::Reading reading = documentformat::read(bytes, Charset::Utf8);
        QCOMPARE(reading.text,
                 QStringLiteral("caf") + escaped(0xE9) + QStringLiteral(" ok") + escaped(0xFF));
        QCOMPARE(reading.undecodableBytes, 2);
        QCOMPARE(documentformat::firstByteEscape(reading.text), qsizetype(3));
        QCOMPARE(documentformat::write(reading.text, reading.form), bytes);
        // Every byte value, in every encoding, comes back as it was.
        QByteArray all;
        for (int b = 0; b < 256; ++b) {
            if (b != '\r' && b != '\n')
                all.append(char(b));
        }
        all += "\r\n";
        for (const Charset c : platform::kCharsets) {
            const documentformat::Reading r = documentformat::read(all, c);
            QCOMPARE(documentformat::write(r.text, r.form), all);
        }
        // A UTF-16 file cut after an odd byte.
        const QByteArray odd("\xFF\xFE"
                             "a\0"
                             "b",
                             5);
        const documentformat::Reading r = documentformat::read(odd);
        QCOMPARE(r.text, QStringLiteral("a") + escaped('b'));
        QCOMPARE(documentformat::write(r.text, r.form), odd);
    }

    void aCharacterWithTwoCodesKeepsItsCode()
    {
        // 髙 read as EE E0 stays EE E0 on its line; typed anew it gets Windows' FB FC.
        const QByteArray bytes = QByteArray("\xEE\xE0\r\n") + "x\r\n";
        const documentformat::Reading reading = documentformat::read(bytes, Charset::ShiftJis);
        QCOMPARE(reading.text, QStringLiteral("髙\r\nx"));
        QCOMPARE(documentformat::write(reading.text + QStringLiteral("髙"), reading.form),
                 QByteArray("\xEE\xE0\r\nx\xFB\xFC\r\n"));
    }

    void yenAndOverlineAreNotShiftJis()
    {
        // Written as \ and ~ they would come back as other characters: the save asks.
        documentformat::WriteCheck check;
        QCOMPARE(documentformat::write(QStringLiteral("a¥1,000"), Form(), &check),
                 QByteArray("a?1,000\r\n"));
        QCOMPARE(check.trouble, documentformat::Trouble::Unrepresentable);
        QCOMPARE(check.offset, qsizetype(1));
        Form eucJp;
        eucJp.encoding = Charset::EucJp;
        documentformat::write(QStringLiteral("‾"), eucJp, &check);
        QCOMPARE(check.offset, qsizetype(0));
        // ISO-2022-JP holds them in JIS-Roman.
        Form jis;
        jis.encoding = Charset::Iso2022Jp;
        const QByteArray bytes = documentformat::write(QStringLiteral("¥1"), jis, &check);
        QCOMPARE(check.trouble, documentformat::Trouble::None);
        QCOMPARE(documentformat::read(bytes, Charset::Iso2022Jp).text, QStringLiteral("¥1"));
        // The backup keeps them.
        const QString text = QStringLiteral("¥1,000");
        QCOMPARE(backupformat::read(backupformat::write(text, Form())).text,
                 text + QStringLiteral("\r\n"));
        // The settings file stores them as Windows does.
        QCOMPARE(platform::toAnsi(text), QByteArray("\\1,000"));
    }

    void shortTextsReopenInTheirEncoding_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("charset");
        // Latin-1 symbols and letters beside ASCII, and words of other scripts, are UTF-8
        // (as Shift-JIS they would be half-width katakana beside ASCII).
        for (const char *text :
             {"¥1,000", "Copyright © 2024", "25°C", "Price: €5", "café", "naïve", "±0.5", "«»",
              "/* Copyright © 2024 Example */", "안녕하세요", "สวัสดีครับ", "שלום עולם",
              "مرحبا بالعالم", "Tiếng Việt", "Añadir canción", "Čeština", "日本語のテキスト"})
            QTest::newRow(text) << QString::fromUtf8(text) << int(Charset::Utf8);
        // Half-width katakana words, and kana and kanji, in Shift-JIS and EUC-JP.
        for (const char *text : {"ﾃｽﾄ", "ｱｲｳｴｵ", "ｶﾞｷﾞｸﾞ", "ﾃﾞｰﾀ", "ﾌｧｲﾙ", "ﾊﾟｿｺﾝ", "ｶﾀｶﾅ",
                                 "テスト", "日本", "漢字かな"})
            QTest::newRow(qPrintable(QStringLiteral("Shift_JIS ") + QString::fromUtf8(text)))
                << QString::fromUtf8(text) << int(Charset::ShiftJis);
        // The last: its bytes spell, in Shift-JIS, half-width letters alone between
        // half-width punctuation.
        for (const char *text : {"テスト", "日本", "漢字かな", "ー", "の（注）」」」」"})
            QTest::newRow(qPrintable(QStringLiteral("EUC-JP ") + QString::fromUtf8(text)))
                << QString::fromUtf8(text) << int(Charset::EucJp);
    }

    void shortTextsReopenInTheirEncoding()
    {
        QFETCH(QString, text);
        QFETCH(int, charset);
        Form form;
        form.encoding = Charset(charset);
        form.lineEnds = LineEnds::Lf;
        const QByteArray bytes = documentformat::write(text, form);
        QCOMPARE(int(charsetguess::recognise(bytes)), charset);
        QCOMPARE(documentformat::read(bytes).text, text);
    }

    void shiftJisKanjiReopenAsShiftJis()
    {
        // Every level-2 kanji before a hiragana, and alone, as the editor writes them:
        // their bytes may be valid UTF-8 too. (Before ア the bytes spell one valid UTF-8
        // character and an A: see the manual.)
        QStringList misread;
        for (int code = 0x989F; code <= 0xEAA4; ++code) {
            const QByteArray kanji{char(code >> 8), char(code & 0xFF)};
            const QString text = platform::fromAnsi(kanji);
            if (text.size() != 1 || text.at(0) == QChar(0xFFFD))
                continue;
            for (const QString &after : {QStringLiteral("の"), QStringLiteral("は"), QString()}) {
                const QString t = text + after;
                if (documentformat::read(documentformat::write(t)).text != t)
                    misread.append(t);
            }
        }
        QVERIFY2(misread.isEmpty(), qPrintable(misread.mid(0, 20).join(u' ')));
    }

    void binaryFilesAreNoticed()
    {
        QVERIFY(charsetguess::looksBinary(QByteArray("\x7F"
                                                     "ELF\0\0\1",
                                                     7),
                                          Charset::ShiftJis));
        QVERIFY(!charsetguess::looksBinary(QByteArray(200, 'a') + '\0', Charset::ShiftJis));
        QVERIFY(!charsetguess::looksBinary(QByteArray("a\0b\0", 4), Charset::Utf16Le));
        QVERIFY(!charsetguess::looksBinary("plain text", Charset::ShiftJis));
    }
};

QTEST_APPLESS_MAIN(TestEncodings)
#include "tst_encodings.moc"
