// Caption composition and the preview rule.
#include "app/caption.h"

#include <QTest>

class TestCaption : public QObject
{
    Q_OBJECT
private slots:
    void composition()
    {
        QCOMPARE(caption::compose(QStringLiteral("無題")), QStringLiteral("無題 - Vellit"));
        QCOMPARE(caption::compose(QString()), QStringLiteral(" - Vellit"));
        QCOMPARE(caption::withViewingMarker(QStringLiteral("b.txt - Vellit")),
                 QStringLiteral("b.txt - Vellit\u3000[閲覧モード]"));
        QCOMPARE(caption::forOpenedFile(QStringLiteral("/docs/letter.txt"), false),
                 QStringLiteral("letter.txt - Vellit"));
        QCOMPARE(caption::forOpenedFile(QStringLiteral("/docs/letter.txt"), true),
                 QStringLiteral("/docs/letter.txt - Vellit"));
    }

    void preview_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("html") << "/a/index.html" << true;
        QTest::newRow("htm") << "/a/index.htm" << true;
        QTest::newRow("upper case") << "/a/INDEX.HTML" << false;
        QTest::newRow("HTM") << "/a/page.HTM" << false;
        QTest::newRow("no dot still ends in html") << "/a/xhtml" << true;
        QTest::newRow("txt") << "/a/a.txt" << false;
        QTest::newRow("empty") << "" << false;
    }

    void preview()
    {
        QFETCH(QString, path);
        QFETCH(bool, enabled);
        QCOMPARE(caption::previewEnabled(path), enabled);
    }
};

QTEST_APPLESS_MAIN(TestCaption)
#include "tst_caption.moc"
