// The search fold, forward search, and Replace All's plan.
#include "search/matching.h"
#include "search/replaceall.h"

#include <QTest>

using namespace matching;

class TestMatching : public QObject
{
    Q_OBJECT
private slots:
    void foldEqualities_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::newRow("case") << "ABC"
                              << "abc";
        QTest::newRow("full-width upper") << "ABC"
                                          << "ＡＢＣ";
        QTest::newRow("full-width lower") << "ABC"
                                          << "ａｂｃ";
        QTest::newRow("katakana") << "かな"
                                  << "カナ";
        QTest::newRow("half-width katakana") << "かな"
                                             << "ｶﾅ";
        QTest::newRow("ideographic space") << "a b"
                                           << "a\u3000b";
        QTest::newRow("punctuation") << "、。「」・ー"
                                     << "､｡｢｣･ｰ";
        QTest::newRow("half-width voiced pair") << "か゛"
                                                << "ｶﾞ";
        QTest::newRow("vu") << "ゔ"
                            << "ヴ";
        QTest::newRow("greek") << "ΣΑΣ"
                               << "σασ";
    }

    void foldEqualities()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QVERIFY(equal(a, b, false));
        QVERIFY(!equal(a, b, true));
        QCOMPARE(fold(a).size(), a.size());
    }

    void storedAlikeCompareAlikeUnderBothRules_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("readBack");
        QTest::newRow("wave dash") << "1〜2"
                                   << "1～2";
        QTest::newRow("minus") << "−5"
                               << "－5";
        QTest::newRow("double vertical line") << "a‖b"
                                              << "a∥b";
        QTest::newRow("dash") << "—"
                              << "―";
        QTest::newRow("cent pound not") << "¢£¬"
                                        << "￠￡￢";
        QTest::newRow("broken bar") << "¦"
                                    << "￤";
    }

    void storedAlikeCompareAlikeUnderBothRules()
    {
        QFETCH(QString, typed);
        QFETCH(QString, readBack);
        for (bool exact : {true, false}) {
            QVERIFY(equal(typed, readBack, exact));
            QCOMPARE(find(QStringLiteral("xx") + readBack, typed, 0, exact), 2);
            QCOMPARE(find(QStringLiteral("xx") + typed, readBack, 0, exact), 2);
        }
    }

    void foldInequalities()
    {
        QVERIFY(!equal(QStringLiteral("が"), QStringLiteral("か"), false));
        QVERIFY(!equal(QStringLiteral("ガ"), QStringLiteral("ｶﾞ"), false)); // lengths differ
        QVERIFY(!equal(QStringLiteral("ß"), QStringLiteral("ss"), false));
        QCOMPARE(fold(QStringLiteral("ß")), QStringLiteral("ß"));
        QVERIFY(!equal(QStringLiteral("漢"), QStringLiteral("字"), false));
    }

    void forwardSearch()
    {
        const QString text = QStringLiteral("xabcabc");
        QCOMPARE(find(text, "abc", 0, true), 1);
        QCOMPARE(find(text, "abc", 4, true), 4);
        QCOMPARE(find(text, "abc", 5, true), -1);
        QCOMPARE(find(text, "ABC", 2, false), 4);
        QCOMPARE(find(text, "ABC", 2, true), -1);
        QCOMPARE(find("aaa", "aa", 2, true), -1);
        QCOMPARE(find(QString(), "a", 0, false), -1);
        QCOMPARE(find("abc", QString(), 0, false), -1);
        QCOMPARE(find("abc", "c", 3, false), -1);
        QCOMPARE(find("ｶﾅとカナ", "かな", 1, false), 3);
    }

    void replaceAllWithNoSearchTextLeavesTheText()
    {
        const replaceall::Outcome out = replaceall::plan("abc", 1, 1, "", "x", true);
        QCOMPARE(out.finalText, QStringLiteral("abc"));
        QVERIFY(!out.replaced);
        QCOMPARE(out.selStart, 1);
        QCOMPARE(out.selLength, 1);
    }

    void exactRuleFindsStoredAlikeCharactersInReplaceAll()
    {
        const replaceall::Outcome out =
            replaceall::plan(QStringLiteral("〜a～a"), 0, 0, QStringLiteral("～"), "X", true);
        QCOMPARE(out.finalText, QStringLiteral("XaXa"));
        QCOMPARE(out.changes, 2);
    }
};

QTEST_APPLESS_MAIN(TestMatching)
#include "tst_matching.moc"
