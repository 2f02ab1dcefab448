// Start-up reads no image through Qt's image plugins: a reader left to find an image's
// format first asks every plugin, loading Qt's SVG library among them. The menu bar's
// overflow icon is made when first drawn, the window icon is read as the PNGs it is;
// both look as before.
#include "app/appicon.h"
#include "app/deferrediconstyle.h"

#include <QApplication>
#include <QFile>
#include <QMainWindow>
#include <QMenuBar>
#include <QStyleFactory>
#include <QTest>

namespace {

// Whether any of Qt's image format plugins is loaded into this process.
bool imagePluginLoaded()
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly))
        return true;
    return maps.readAll().contains("/imageformats/");
}

QImage drawn(const QIcon &icon, int size)
{
    return icon.pixmap(QSize(size, size)).toImage().convertToFormat(QImage::Format_ARGB32);
}

} // namespace

class TestDeferredIconStyle : public QObject
{
    Q_OBJECT
private slots:
    // Run in this order: a plugin once loaded stays.
    void aWindowWithMenusLoadsNoImagePlugin()
    {
        QApplication::setStyle(new DeferredIconStyle(QApplication::style()));
        QMainWindow window;
        window.menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        // The icons a menu bar and a tool bar make for their overflow button.
        const QIcon horizontal =
            QApplication::style()->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton);
        const QIcon vertical =
            QApplication::style()->standardIcon(QStyle::SP_ToolBarVerticalExtensionButton);
        QVERIFY(!horizontal.isNull() && !vertical.isNull());
        QVERIFY(!imagePluginLoaded());
    }

    void theWindowIconIsReadAsPng()
    {
        const QIcon icon = appicon::icon();
        QVERIFY(!imagePluginLoaded());
        for (const int size : {16, 24, 32, 48, 64, 128}) {
            QVERIFY(icon.availableSizes().contains(QSize(size, size)));
            const QIcon file(QStringLiteral(":/icons/org.example.Vellit-%1.png").arg(size));
            QCOMPARE(drawn(icon, size), drawn(file, size));
        }
    }

    void theOverflowIconLooksAsTheStylesOwn()
    {
        auto *style = new DeferredIconStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        QApplication::setStyle(style);
        for (const QStyle::StandardPixmap which :
             {QStyle::SP_ToolBarHorizontalExtensionButton,
              QStyle::SP_ToolBarVerticalExtensionButton, QStyle::SP_MessageBoxWarning}) {
            const QIcon icon = style->standardIcon(which);
            const QIcon own = style->baseStyle()->standardIcon(which);
            QVERIFY(!own.isNull());
            QCOMPARE(icon.availableSizes(), own.availableSizes());
            for (const int size : {12, 16, 32})
                QCOMPARE(drawn(icon, size), drawn(own, size));
        }
    }
};

QTEST_MAIN(TestDeferredIconStyle)
#include "tst_deferrediconstyle.moc"
