// Vellit: starts the main window with the command line as one string.
#include "app/form1.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QTranslator>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vellit"));
    // The desktop links the window to its menu entry by this name and by the window's
    // class, "Vellit" from the application name (StartupWMClass).
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.Vellit"));

    // Qt's own texts (message-box buttons, file, font, colour and print dialogs) in
    // Japanese, whatever the user's locale.
    QTranslator qtTranslator;
    if (qtTranslator.load(QStringLiteral("qt_ja"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);

    const QStringList args = QApplication::arguments().mid(1);
    Form1 window;
    window.Form_Load(args.join(u' '));
    window.show();
    return QApplication::exec();
}
