// Run by hand over real files: how each is recognised, whether it holds bytes its
// encoding cannot read, and whether saving it unchanged gives back its bytes. With a
// reference (FILE=REFERENCE, REFERENCE being the same text in UTF-8), also whether the
// text read is the reference's.
#include "document/documentformat.h"

#include <QFile>
#include <cstdio>

int main(int argc, char **argv)
{
    int identical = 0;
    int right = 0;
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        const QStringList parts = arg.split(u'=');
        QFile file(parts.at(0));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QByteArray bytes = file.readAll();
        const documentformat::Reading reading = documentformat::read(bytes);
        const bool same = documentformat::write(reading.text, reading.form) == bytes;
        QString shown = QStringLiteral("-");
        if (parts.size() > 1) {
            QFile reference(parts.at(1));
            reference.open(QIODevice::ReadOnly);
            const bool ok =
                documentformat::read(reference.readAll(), platform::Charset::Utf8).text ==
                reading.text;
            shown = ok ? QStringLiteral("yes") : QStringLiteral("NO");
            right += ok;
        }
        identical += same;
        std::printf("%-40s %-15s undecodable %3d  shown right %-3s  unchanged save %s\n",
                    qPrintable(parts.at(0)),
                    qPrintable(platform::charsetName(reading.form.encoding)),
                    reading.undecodableBytes, qPrintable(shown), same ? "identical" : "DIFFERS");
    }
    std::printf("%d files, %d shown right of those with a reference, %d identical\n", argc - 1,
                right, identical);
    return 0;
}
