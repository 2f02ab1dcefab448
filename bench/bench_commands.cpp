// Each conversion of a 64000-character mixed Japanese/ASCII text, and the quoted paste
// of a 5000-line clipboard text through the main window.
#include "support/fixture.h"

#include "commands/conversions.h"
#include "commands/textcommands.h"

#include <QClipboard>
#include <QTest>

namespace {

QString mixedText()
{
    const QString line = QStringLiteral("Hello World かなカナｶﾅ漢字ＡＢＣ、。「」ガパ 123\r\n");
    QString text;
    while (text.size() < 64000)
        text += line;
    text.truncate(64000);
    return text;
}

} // namespace

class BenchCommands : public QObject
{
    Q_OBJECT
private slots:
    void conversion_data()
    {
        QTest::addColumn<int>("which");
        const char *names[] = {"lower",      "upper",    "properCase", "toHiragana",
                               "toKatakana", "toNarrow", "toWide"};
        for (int i = 0; i < 7; ++i)
            QTest::newRow(names[i]) << i;
    }

    void conversion()
    {
        QFETCH(int, which);
        QString (*const functions[])(const QString &) = {
            conversions::lower,      conversions::upper,      conversions::properCase,
            conversions::toHiragana, conversions::toKatakana, conversions::toNarrow,
            conversions::toWide};
        const QString text = mixedText();
        QString out;
        QBENCHMARK
        {
            out = functions[which](text);
        }
        QVERIFY(!out.isEmpty());
    }

    void quotedPaste5000Lines()
    {
        Fixture f;
        Form1 &w = f.start();
        QString clip;
        for (int i = 0; i < 5000; ++i)
            clip += QStringLiteral("引用される行 %1\n").arg(i);
        QGuiApplication::clipboard()->setText(clip);
        QBENCHMARK
        {
            w.Text1->setText(QString());
            w.mnuInPaste_Click();
        }
        QCOMPARE(w.Text1->lineCount(), 5001);
    }
};

QTEST_MAIN(BenchCommands)
#include "bench_commands.moc"
