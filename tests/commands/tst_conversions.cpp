// The seven conversions on the examples and on characters that are easy to get wrong.
#include "commands/conversions.h"

#include "platform/textcodec.h"

#include <QTest>

using namespace conversions;

class TestConversions : public QObject
{
    Q_OBJECT
private slots:
    void caseMappings()
    {
        QCOMPARE(lower(QStringLiteral("ABC ＡＢＣ ÀÉ")), QStringLiteral("abc ａｂｃ àé"));
        QCOMPARE(upper(QStringLiteral("abc ａｂｃ straße")), QStringLiteral("ABC ＡＢＣ STRASSE"));
        QCOMPARE(upper(QStringLiteral("かな漢字\r\n")), QStringLiteral("かな漢字\r\n"));
        // Character by character: a final Σ becomes σ, which Shift-JIS holds, not ς.
        QCOMPARE(lower(QStringLiteral("ΟΔΟΣ ΣΑΣ.")), QStringLiteral("οδοσ σασ."));
        QCOMPARE(conversions::properCase(QStringLiteral("ΟΔΟΣ")), QStringLiteral("Οδοσ"));
        // The angstrom sign, which Shift-JIS holds (81 F0), has no case partner it holds.
        QCOMPARE(lower(QStringLiteral("\u212B")), QStringLiteral("\u212B"));
        QCOMPARE(conversions::properCase(QStringLiteral("\u212B")), QStringLiteral("\u212B"));
        QCOMPARE(lower(QStringLiteral("𐐀")), QStringLiteral("𐐨"));
    }

    void properCaseTwiceIsProperCaseOnce()
    {
        // A word's first letter takes its one-letter title case: ß and ŉ, which have none,
        // stay (their capitals SS and ʼN would turn into Ss and ʼn the second time).
        for (const QString &word :
             {QStringLiteral("ßa"), QStringLiteral("\u0149a"), QStringLiteral("\u01C6a")}) {
            const QString once = conversions::properCase(word);
            QCOMPARE(conversions::properCase(once), once);
        }
        QCOMPARE(conversions::properCase(QStringLiteral("ßa straße")), QStringLiteral("ßa Straße"));
        QCOMPARE(conversions::properCase(QStringLiteral("\u01C6em")), QStringLiteral("\u01C5em"));
    }

    void properCase_data()
    {
        QTest::addColumn<QString>("in");
        QTest::addColumn<QString>("out");
        QTest::newRow("words") << "hELLO wORLD"
                               << "Hello World";
        QTest::newRow("hyphen inside a word") << "hello-world"
                                              << "Hello-world";
        QTest::newRow("apostrophe") << "don't"
                                    << "Don't";
        QTest::newRow("line break separates") << "abc\r\ndef"
                                              << "Abc\r\nDef";
        QTest::newRow("tab and nul")
            << QString("a\tb") + QChar(0) + "c" << QString("A\tB") + QChar(0) + "C";
        QTest::newRow("ideographic space") << "ｈｅｌｌｏ\u3000ｗｏｒｌｄ"
                                           << "Ｈｅｌｌｏ\u3000Ｗｏｒｌｄ";
        QTest::newRow("sentence") << "this is. a test"
                                  << "This Is. A Test";
    }

    void properCase()
    {
        QFETCH(QString, in);
        QFETCH(QString, out);
        QCOMPARE(conversions::properCase(in), out);
    }

    void kana_data()
    {
        QTest::addColumn<QString>("katakana");
        QTest::addColumn<QString>("hiragana");
        QTest::newRow("plain") << "カタカナ"
                               << "かたかな";
        QTest::newRow("iteration marks") << "ヽヾ"
                                         << "ゝゞ";
        QTest::newRow("prolonged sound mark stays") << "ラーメン"
                                                    << "らーめん";
        QTest::newRow("small kana") << "ァィゥェォッャュョヮ"
                                    << "ぁぃぅぇぉっゃゅょゎ";
        QTest::newRow("punctuation stays") << "、。「」・"
                                           << "、。「」・";
    }

    void kana()
    {
        QFETCH(QString, katakana);
        QFETCH(QString, hiragana);
        QCOMPARE(toHiragana(katakana), hiragana);
        QCOMPARE(toKatakana(hiragana), katakana);
    }

    void kanaWithoutCounterpart()
    {
        // ヴ, ヵ, ヶ and ヷ–ヺ stay katakana (Shift-JIS has no ゔ); ゔ, ゕ and ゖ become
        // ヴ, ヵ and ヶ.
        QCOMPARE(toHiragana(QStringLiteral("ヴァイオリン一ヶ月ヵヷヸヹヺ")),
                 QStringLiteral("ヴぁいおりん一ヶ月ヵヷヸヹヺ"));
        QCOMPARE(toKatakana(QStringLiteral("ゔゕゖ")), QStringLiteral("ヴヵヶ"));
        // Half-width katakana is left alone by both.
        QCOMPARE(toHiragana(QStringLiteral("ｶﾀｶﾅ")), QStringLiteral("ｶﾀｶﾅ"));
        QCOMPARE(toKatakana(QStringLiteral("ｶﾀｶﾅ漢字abc")), QStringLiteral("ｶﾀｶﾅ漢字abc"));
    }

    void width_data()
    {
        QTest::addColumn<QString>("wide");
        QTest::addColumn<QString>("narrow");
        QTest::newRow("ascii") << "ＡＢＣａｂｃ１２３！＃"
                               << "ABCabc123!#";
        QTest::newRow("space") << "ａ\u3000ｂ"
                               << "a b";
        QTest::newRow("voiced") << "ガパヴ"
                                << "ｶﾞﾊﾟｳﾞ";
        QTest::newRow("punctuation") << "、。「」・ー"
                                     << "､｡｢｣･ｰ";
        QTest::newRow("small katakana") << "ァッャ"
                                        << "ｧｯｬ";
        QTest::newRow("backslash") << "＼"
                                   << "\\";
        QTest::newRow("line breaks and tab") << "ア\r\nイ\tウ"
                                             << "ｱ\r\nｲ\tｳ";
    }

    void width()
    {
        QFETCH(QString, wide);
        QFETCH(QString, narrow);
        QCOMPARE(toNarrow(wide), narrow);
        QCOMPARE(toWide(narrow), wide);
    }

    void formsStoredAlikeConvertAlike()
    {
        // 〜 and − are typed on Linux for what a file reads back as ～ and －.
        QCOMPARE(toNarrow(QStringLiteral("1〜2−3～4－5")), QStringLiteral("1~2-3~4-5"));
        QCOMPARE(toWide(QStringLiteral("〜−‖—")), QStringLiteral("〜−‖—"));
    }

    void widthLeavesOtherCharacters()
    {
        // Hiragana, kanji, and the full-width symbols Shift-JIS only holds in wide form.
        const QString keep = QStringLiteral("ひらがな漢字￥￠￡￢￣￤→■│");
        QCOMPARE(toNarrow(keep), keep);
        QCOMPARE(toWide(QStringLiteral("¥")), QStringLiteral("¥"));
        // A lone half-width mark becomes the spacing full-width mark.
        QCOMPARE(toWide(QStringLiteral("ﾞﾟaﾞ")), QStringLiteral("゛゜ａ゛"));
        // ヷ and ヺ are not Shift-JIS: ﾜﾞ and ｦﾞ widen to the letter and the spacing mark.
        QCOMPARE(toWide(QStringLiteral("ｳﾞﾜﾞｦﾞ")), QStringLiteral("ヴワ゛ヲ゛"));
    }

    void conversionsStayWithinShiftJis()
    {
        // Every character code page 932 holds, and every half-width kana before a voiced
        // or semi-voiced mark, through each conversion: the result is still text the code
        // page holds, so a Shift-JIS save never asks about characters nobody typed.
        QStringList inputs;
        for (int c = 0x80; c < 0x10000; ++c) {
            qsizetype bad = -1;
            const QString one{QChar(char16_t(c))};
            platform::encode(one, platform::Charset::ShiftJis, &bad);
            if (!QChar::isSurrogate(char16_t(c)) && bad < 0)
                inputs.append(one);
        }
        for (char16_t kana = 0xFF61; kana <= 0xFF9F; ++kana) {
            inputs.append(QString(QChar(kana)) + QChar(0xFF9E));
            inputs.append(QString(QChar(kana)) + QChar(0xFF9F));
        }
        const std::pair<const char *, QString (*)(const QString &)> all[] = {
            {"lower", lower},
            {"upper", upper},
            {"properCase", conversions::properCase},
            {"toHiragana", toHiragana},
            {"toKatakana", toKatakana},
            {"toNarrow", toNarrow},
            {"toWide", toWide}};
        QStringList outside;
        for (const auto &[name, conversion] : all) {
            for (const QString &in : inputs) {
                qsizetype bad = -1;
                platform::encode(conversion(in), platform::Charset::ShiftJis, &bad);
                if (bad >= 0)
                    outside.append(QStringLiteral("%1(%2)=%3").arg(name, in, conversion(in)));
            }
        }
        QVERIFY2(outside.isEmpty(), qPrintable(outside.join(u' ')));
    }
};

QTEST_APPLESS_MAIN(TestConversions)
#include "tst_conversions.moc"
