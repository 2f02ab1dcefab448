// Vellit: starts the main window with the command line as one string.
#include "app/deferrediconstyle.h"
#include "app/form1.h"
#include "app/readahead.h"
#include "platform/displayserver.h"
#include "platform/qttexts.h"

#include <QApplication>
#include <QGuiApplication>

int main(int argc, char *argv[])
{
    platform::preferXWayland();
    // The file named on the command line is read while Qt connects to the display. Qt's
    // own options are still among the arguments here; with them the file is read again
    // when it is opened.
    QStringList given;
    for (int i = 1; i < argc; ++i)
        given.append(QString::fromLocal8Bit(argv[i]));
    readahead::start(given.join(u' '));
    QApplication app(argc, argv);
    QApplication::setStyle(new DeferredIconStyle(QApplication::style()));
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
