// The seven conversions on the examples and on characters that are easy to get wrong.
#include "commands/conversions.h"

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
        QCOMPARE(lower(QStringLiteral("𐐀")), QStringLiteral("𐐨"));
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
        QTest::newRow("vu and iteration marks") << "ヴヽヾ"
                                                << "ゔゝゞ";
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
        // ヵ, ヶ and ヷ–ヺ stay katakana; ゕ and ゖ become ヵ and ヶ.
        QCOMPARE(toHiragana(QStringLiteral("一ヶ月ヵヷヸヹヺ")),
                 QStringLiteral("一ヶ月ヵヷヸヹヺ"));
        QCOMPARE(toKatakana(QStringLiteral("ゕゖ")), QStringLiteral("ヵヶ"));
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
        QCOMPARE(toWide(QStringLiteral("ｳﾞﾜﾞｦﾞ")), QStringLiteral("ヴヷヺ"));
    }
};

QTEST_APPLESS_MAIN(TestConversions)
#include "tst_conversions.moc"
