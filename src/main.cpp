// Vellit: starts the main window with the command line as one string.
#include "app/form1.h"
#include "platform/displayserver.h"
#include "platform/qttexts.h"

#include <QApplication>
#include <QGuiApplication>

int main(int argc, char *argv[])
{
    platform::preferXWayland();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vellit"));
    // The desktop links the window to its menu entry by this name and by the window's
    // class, "Vellit" from the application name (StartupWMClass).
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.Vellit"));

    platform::installJapaneseQtTexts();

    const QStringList args = QApplication::arguments().mid(1);
    Form1 window;
    window.Form_Load(args.join(u' '));
    window.show();
    return QApplication::exec();
}
