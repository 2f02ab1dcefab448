// Writing never turns kept bytes into other text: a line still in its place keeps its
// bytes and line end; a kept byte that cannot be written as it was, or that would join
// the characters written beside it, is reported before anything is written; stateful
// and UTF-16 files stay in step.
#include "document/documentformat.h"
#include "platform/codepage.h"

#include <QTest>

using documentformat::Form;
using documentformat::Trouble;
using documentformat::WriteCheck;
using platform::Charset;

namespace {

QString escaped(unsigned char byte)
{
    return QString(QChar(platform::byteEscape(byte)));
}

// The bytes written and what stands in their way.
struct Written
{
    QByteArray bytes;
    WriteCheck check;
};

Written writeChecked(const QString &text, const Form &form)
{
    Written w;
    w.bytes = documentformat::write(text, form, &w.check);
    return w;
}

} // namespace

class TestKeptBytes : public QObject
{
    Q_OBJECT
private slots:
    void linesAreKeptByPlaceNotByText()
    {
        // ∵ in its two Shift-JIS codes: each line keeps its own.
        const QByteArray twoCodes("\x81\xE6\r\n\x87\x9A\r\n");
        const documentformat::Reading r = documentformat::read(twoCodes, Charset::ShiftJis);
        QCOMPARE(r.text, QStringLiteral("∵\r\n∵"));
        QCOMPARE(documentformat::write(r.text, r.form), twoCodes);
        // An edit elsewhere leaves both codes where they were.
        QCOMPARE(documentformat::write(QStringLiteral("x\r\n") + r.text, r.form),
                 QByteArray("x\r\n") + twoCodes);

        // ISO-2022-JP: a line holding only a return to ASCII does not lend its bytes to
        // the empty lines.
        const QByteArray jis("a\n\x1B(B\n\nb\n");
        const documentformat::Reading j = documentformat::read(jis, Charset::Iso2022Jp);
        QCOMPARE(documentformat::write(j.text, j.form), jis);
        QCOMPARE(documentformat::write(j.text + QStringLiteral("c"), j.form),
                 QByteArray("a\n\x1B(B\n\nbc\n"));
    }

    void anEditKeepsLineEndsElsewhere()
    {
        // A lone CR in a UTF-8 file of CR LF lines, and in EUC-JP, stays as it was.
        for (const Charset c : {Charset::Utf8, Charset::EucJp, Charset::Utf16Le}) {
            const QByteArray bytes = platform::encode(QStringLiteral("一\r二\r\n三\r\n"), c);
            const documentformat::Reading r = documentformat::read(bytes, c);
            QCOMPARE(r.text, QStringLiteral("一\r\n二\r\n三"));
            const QByteArray saved = documentformat::write(r.text + QStringLiteral("四"), r.form);
            QCOMPARE(saved, platform::encode(QStringLiteral("一\r二\r\n三四\r\n"), c));
        }
    }

    void aKeptByteNeverJoinsATypedCharacter()
    {
        // A Shift-JIS line ending in a cut character, with a typed after it: 82 61 would
        // read back as Ｂ. In EUC-JP the cut A4 with あ typed after it would read as い.
        for (const Charset c : {Charset::ShiftJis, Charset::EucJp}) {
            const bool shiftJis = c == Charset::ShiftJis;
            const QByteArray bytes = shiftJis ? QByteArray("ok\x82\r\n") : QByteArray("ok\xA4\r\n");
            const documentformat::Reading r = documentformat::read(bytes, c);
            const QString typed = r.text + (shiftJis ? QStringLiteral("a") : QStringLiteral("あ"));
            const Written w = writeChecked(typed, r.form);
            QCOMPARE(w.check.trouble, Trouble::ReadsOtherwise);
            QCOMPARE(w.check.offset, qsizetype(2));
        }
        // A byte kept inside a shifted run of ISO-2022-JP, with x typed after it.
        const QByteArray jis("\x1B$B$\"$\x1B(B\n");
        const documentformat::Reading j = documentformat::read(jis, Charset::Iso2022Jp);
        QCOMPARE(j.text, QStringLiteral("あ") + escaped('$'));
        const Written w = writeChecked(j.text + QStringLiteral("x"), j.form);
        QVERIFY(w.check.trouble != Trouble::None);
    }

    void keptBytesOfAnotherEncodingAreAsked()
    {
        // Save As from a flawed UTF-8 file: no raw byte, and in UTF-16 no single byte.
        const documentformat::Reading r =
            documentformat::read(QByteArray("caf\xE9 \xE6\x97\xA5\n"), Charset::Utf8);
        QCOMPARE(r.undecodableBytes, 1);
        for (const Charset to : platform::kCharsets) {
            if (to == Charset::Utf8)
                continue;
            const Form form = documentformat::convertedForm(r.form, to);
            const Written w = writeChecked(r.text, form);
            QCOMPARE(w.check.trouble, Trouble::KeptByte);
            QCOMPARE(w.check.offset, qsizetype(3));
            QVERIFY(!w.bytes.contains('\xE9'));
            if (platform::unitSize(to) == 2) {
                QCOMPARE(w.bytes.size() % 2, 0);
                QCOMPARE(documentformat::read(w.bytes, to).text, QStringLiteral("caf\uFFFD 日"));
            }
        }
        // Back in its own encoding the byte is written as it was read.
        const Form own = documentformat::convertedForm(
            documentformat::convertedForm(r.form, Charset::Utf16Le), Charset::Utf8);
        QVERIFY(writeChecked(r.text, own).bytes.endsWith("caf\xE9 \xE6\x97\xA5\n"));
    }

    void utf16KeepsUnitsWhole()
    {
        // A lone surrogate is one kept unit; reading goes on at the next unit.
        const QByteArray lone("\xFF\xFE"
                              "a\0\x00\xDC"
                              "b\0",
                              8);
        const documentformat::Reading r = documentformat::read(lone);
        QCOMPARE(r.text, QStringLiteral("a") + escaped(0x00) + escaped(0xDC) + QStringLiteral("b"));
        QCOMPARE(r.undecodableBytes, 2);
        // Typing after an odd kept byte: the byte cannot stay alone inside the file.
        const QByteArray odd("\xFF\xFE"
                             "a\0"
                             "b",
                             5);
        const documentformat::Reading o = documentformat::read(odd);
        const Written w = writeChecked(o.text + QStringLiteral("x"), o.form);
        QCOMPARE(w.check.trouble, Trouble::KeptByte);
        QCOMPARE(w.bytes.size() % 2, 0);
        QCOMPARE(documentformat::read(w.bytes, Charset::Utf16Le).text, QStringLiteral("a\uFFFDx"));
        // An odd last byte after a line end is a line of its own, read within the file.
        const QByteArray afterBreak("\xFF\xFE"
                                    "a\0\n\0"
                                    "b",
                                    7);
        const documentformat::Reading b = documentformat::read(afterBreak);
        QCOMPARE(b.text, QStringLiteral("a\r\n") + escaped('b'));
        QCOMPARE(documentformat::write(b.text, b.form), afterBreak);
    }

    void iso2022JpWritesOnlyItsOwnForms()
    {
        Form jis;
        jis.encoding = Charset::Iso2022Jp;
        // "?" for a character it lacks is written in ASCII, between the kanji.
        Written w = writeChecked(QStringLiteral("あ😀い"), jis);
        QCOMPARE(w.check.trouble, Trouble::Unrepresentable);
        QCOMPARE(documentformat::read(w.bytes, Charset::Iso2022Jp).text, QStringLiteral("あ?い"));
        // Korean and accented letters are not written through ISO-2022-JP-2's other sets.
        w = writeChecked(QStringLiteral("한é"), jis);
        QCOMPARE(w.check.trouble, Trouble::Unrepresentable);
        QVERIFY(!w.bytes.contains("\x1B$(C"));
        QVERIFY(!w.bytes.contains("\x1B$(D"));
        // Control characters that would shift or break lines are asked about.
        for (const char16_t control : {char16_t(0x1B), char16_t(0x8D), char16_t(0x0E)}) {
            w = writeChecked(QStringLiteral("a") + QChar(control) + QStringLiteral("(Jb"), jis);
            QCOMPARE(w.check.trouble, Trouble::Unrepresentable);
            QCOMPARE(documentformat::read(w.bytes, Charset::Iso2022Jp).text,
                     QStringLiteral("a?(Jb"));
        }
        // A file that used half-width katakana (ESC ( I) may have them written so again.
        const documentformat::Reading r =
            documentformat::read(QByteArray("\x1B(I12\x1B(B\n"), Charset::Iso2022Jp);
        w = writeChecked(r.text + QStringLiteral("ｳ"), r.form);
        QCOMPARE(w.check.trouble, Trouble::None);
        QCOMPARE(documentformat::read(w.bytes, Charset::Iso2022Jp).text, QStringLiteral("ｱｲｳ"));
    }

    void questionMarkFollowsWhatTheConverterHeld()
    {
        // Shift_JIS-2004 holds か back (it may take a semi-voiced mark): the "?" for ¥
        // comes after it.
        Form form;
        form.encoding = Charset::ShiftJis2004;
        const Written w = writeChecked(QStringLiteral("か¥"), form);
        QCOMPARE(w.bytes, QByteArray("\x82\xA9?\r\n"));
        QCOMPARE(w.check.trouble, Trouble::Unrepresentable);
        QCOMPARE(w.check.offset, qsizetype(1));
    }

    void aLeadingByteOrderMarkCharacterSurvives()
    {
        for (const Charset c : {Charset::Utf8, Charset::Utf16Le, Charset::Utf16Be}) {
            Form form;
            form.encoding = c;
            form.finalLineEnd = false;
            const QString text = QStringLiteral("\uFEFFab");
            const Written w = writeChecked(text, form);
            QCOMPARE(w.check.trouble, Trouble::None);
            QCOMPARE(documentformat::read(w.bytes, c).text, text);
        }
    }

    void textsThatWouldReadOtherwiseAreReported()
    {
        // A lone CR typed into a file of LF lines would split the line on reading.
        Form lf;
        lf.encoding = Charset::Utf8;
        lf.lineEnds = documentformat::LineEnds::Lf;
        const Written w = writeChecked(QStringLiteral("a\r\nb\rc"), lf);
        QCOMPARE(w.check.trouble, Trouble::ReadsOtherwise);
        // An ordinary edit reads back as made; 〜 typed by a Linux input method reads
        // back from Shift-JIS as Windows' ～, which is no trouble.
        QCOMPARE(writeChecked(QStringLiteral("a\r\nbc"), lf).check.trouble, Trouble::None);
        QCOMPARE(writeChecked(QStringLiteral("a〜−"), Form()).check.trouble, Trouble::None);
    }

    void windowsEucJpIsReadAndKept()
    {
        // NEC row 13 (①, ㍉) and code page 51932's IBM rows (纊 at F9 A1) and eucJP-ms's
        // JIS X 0212 form of the same kanji (8F D4 E3).
        const QByteArray bytes("\xAD\xA1\xAD\xC0\n\xF9\xA1\x8F\xD4\xE3\n");
        const documentformat::Reading r = documentformat::read(bytes, Charset::EucJpMs);
        QCOMPARE(r.text, QStringLiteral("①㍉\r\n纊纊"));
        QCOMPARE(r.undecodableBytes, 0);
        QCOMPARE(documentformat::write(r.text, r.form), bytes);
        const QByteArray edited = documentformat::write(r.text + QStringLiteral("①"), r.form);
        QCOMPARE(documentformat::read(edited, Charset::EucJpMs).text, r.text + QStringLiteral("①"));
        QVERIFY(edited.startsWith("\xAD\xA1\xAD\xC0\n"));
    }

    void iso2022Jp2004IsReadAndKept()
    {
        // か゚ and 俱 (JIS X 0213 planes through ESC $ ( Q) as Emacs writes them.
        const QByteArray bytes =
            platform::encode(QStringLiteral("か゚と俱\nあ\n"), Charset::Iso2022Jp2004);
        QVERIFY(bytes.contains("\x1B$(Q"));
        const documentformat::Reading r = documentformat::read(bytes, Charset::Iso2022Jp2004);
        QCOMPARE(r.text, QStringLiteral("か゚と俱\r\nあ"));
        QCOMPARE(documentformat::write(r.text, r.form), bytes);
        const Written w = writeChecked(r.text + QStringLiteral("俱"), r.form);
        QCOMPARE(w.check.trouble, Trouble::None);
        QVERIFY(w.bytes.startsWith(bytes.left(bytes.indexOf('\n') + 1)));
    }

    void theWriterAloneGivesTheTextBack()
    {
        // Without the bytes the lines were read from, every form writes texts that read
        // back as they are.
        for (const Charset c : platform::kCharsets) {
            // Plain ISO-2022-JP has no half-width katakana.
            const QString text = QStringLiteral("日本語のテキスト、abc\r\n二行目。\r\n") +
                                 (platform::isStateful(c) ? QString() : QStringLiteral("ｶﾀｶﾅ"));
            Form form;
            form.encoding = c;
            const Written w = writeChecked(text, form);
            QCOMPARE(w.check.trouble, Trouble::None);
            QCOMPARE(documentformat::read(w.bytes, c).text, text);
        }
    }
};

QTEST_APPLESS_MAIN(TestKeptBytes)
#include "tst_keptbytes.moc"
