// The baseline of the start-up measure: a QMainWindow with a menu bar and a
// QPlainTextEdit, showing the Shift-JIS file given on the command line (decoded with
// iconv, so that it draws the same text as the editor).
#include <QApplication>
#include <QFile>
#include <QMainWindow>
#include <QMenuBar>
#include <QPlainTextEdit>

#include <iconv.h>

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
        if (file.open(QIODevice::ReadOnly)) {
            QByteArray bytes = file.readAll();
            QByteArray utf8(bytes.size() * 2, '\0');
            iconv_t cd = iconv_open("UTF-8", "CP932");
            char *in = bytes.data();
            char *out = utf8.data();
            size_t inLeft = bytes.size();
            size_t outLeft = utf8.size();
            iconv(cd, &in, &inLeft, &out, &outLeft);
            iconv_close(cd);
            utf8.truncate(out - utf8.data());
            edit->setPlainText(QString::fromUtf8(utf8));
        }
    }
    window.resize(755, 510);
    window.show();
    return app.exec();
}
