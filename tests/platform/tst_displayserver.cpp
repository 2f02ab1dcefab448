// Under a Wayland session with XWayland the program chooses X11; a platform the user
// chose is kept.
#include "platform/displayserver.h"

#include <QTest>

using platform::preferredPlatform;

class TestDisplayServer : public QObject
{
    Q_OBJECT
private slots:
    void xwaylandIsChosenOnlyWhenTheUserChoseNothing()
    {
        QCOMPARE(preferredPlatform("", "wayland-0", ":0"), QByteArray("xcb"));
        QCOMPARE(preferredPlatform("", "wayland-0", ""), QByteArray()); // no XWayland
        QCOMPARE(preferredPlatform("", "", ":0"), QByteArray());        // plain X11
        QCOMPARE(preferredPlatform("wayland", "wayland-0", ":0"), QByteArray());
        QCOMPARE(preferredPlatform("offscreen", "", ""), QByteArray());
    }
};

QTEST_GUILESS_MAIN(TestDisplayServer)
#include "tst_displayserver.moc"
