// The baseline of the start-up measure: a QMainWindow with a menu bar and a
// QPlainTextEdit, opening the file given on the command line as plain text.
#include <QApplication>
#include <QFile>
#include <QMainWindow>
#include <QMenuBar>
#include <QPlainTextEdit>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("minimal - Qt"));
    window.menuBar()->addMenu(QStringLiteral("File"))->addAction(QStringLiteral("Quit"));
    auto *edit = new QPlainTextEdit(&window);
    window.setCentralWidget(edit);
    if (argc > 1) {
        QFile file(QString::fromLocal8Bit(argv[1]));
        if (file.open(QIODevice::ReadOnly))
            edit->setPlainText(QString::fromLocal8Bit(file.readAll()));
    }
    window.resize(755, 510);
    window.show();
    return app.exec();
}
