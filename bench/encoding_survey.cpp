// Run by hand over a directory of real files named NNN__ENCODING__KIND.bin, each with
// NNN__ENCODING__KIND.ref beside it (the same text in UTF-8 with LF line ends, or empty
// when unknown): for each file, whether it is recognised as ENCODING, shown as the
// reference, saved unchanged byte for byte, and whether one edit in its middle line
// leaves every other line's bytes alone. Prints a line a file and a table by encoding.
#include "document/documentformat.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <cstdio>

namespace {

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct Tally
{
    int files = 0, recognised = 0, withReference = 0, shown = 0, identical = 0, local = 0;
};

// Whether an edit of the middle line changes no other line's bytes: what comes before
// that line is written unchanged, and so is what comes after it.
bool editIsLocal(const QByteArray &bytes, const documentformat::Reading &reading)
{
    const documentformat::Form &form = reading.form;
    if (form.lines.size() < 3)
        return true;
    const qsizetype middle = form.lines.size() / 2;
    QStringList lines = reading.text.split(QStringLiteral("\r\n"));
    lines[middle] += QStringLiteral("追加");
    const QByteArray saved = documentformat::write(lines.join(QStringLiteral("\r\n")), form);
    qsizetype all = 0;
    for (const auto &l : form.lines)
        all += l.bytes.size() + l.end.size();
    qsizetype before = bytes.size() - all;
    for (qsizetype i = 0; i < middle; ++i)
        before += form.lines[i].bytes.size() + form.lines[i].end.size();
    const qsizetype after =
        bytes.size() - before - form.lines[middle].bytes.size() - form.lines[middle].end.size();
    const bool shiftJis = form.encoding == platform::Charset::ShiftJis;
    // A Shift-JIS file always ends with CR LF.
    const qsizetype tail = shiftJis && !bytes.endsWith("\r\n") ? 0 : after;
    return saved.left(before) == bytes.left(before) && saved.right(tail) == bytes.right(tail);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: encoding_survey DIR\n");
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    QMap<QString, Tally> tallies;
    for (const QString &name : dir.entryList({QStringLiteral("*.bin")}, QDir::Files, QDir::Name)) {
        const QStringList parts = name.chopped(4).split(QStringLiteral("__"));
        const QString expected = parts.value(1);
        const QByteArray bytes = contents(dir.filePath(name));
        const QByteArray reference =
            contents(dir.filePath(name.chopped(4) + QStringLiteral(".ref")));
        const documentformat::Reading reading = documentformat::read(bytes);
        const QString got = platform::charsetName(reading.form.encoding);
        Tally &t = tallies[expected];
        ++t.files;
        const bool recognised = got == expected;
        t.recognised += recognised;
        QString shown = QStringLiteral("-");
        if (!reference.isEmpty()) {
            ++t.withReference;
            QString text = reading.text;
            text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
            const QString want = QString::fromUtf8(reference);
            const bool same = text == want || text + u'\n' == want;
            t.shown += same;
            shown = same ? QStringLiteral("yes") : QStringLiteral("NO");
        }
        const bool identical = documentformat::write(reading.text, reading.form) == bytes ||
                               (reading.form.encoding == platform::Charset::ShiftJis &&
                                documentformat::write(reading.text, reading.form) ==
                                    bytes + (bytes.endsWith("\r\n") ? "" : "\r\n"));
        t.identical += identical;
        const bool local = editIsLocal(bytes, reading);
        t.local += local;
        std::printf("%-40s %-16s %-4s shown %-3s undecodable %4d  unchanged %-9s edit %s\n",
                    qPrintable(name), qPrintable(got), recognised ? "ok" : "MISS",
                    qPrintable(shown), reading.undecodableBytes,
                    identical ? "identical" : "DIFFERS", local ? "local" : "SPREADS");
    }
    std::printf("\n| encoding | files | recognised | shown right | unchanged save identical | "
                "one edit local |\n|---|---|---|---|---|---|\n");
    for (auto it = tallies.cbegin(); it != tallies.cend(); ++it) {
        const Tally &t = it.value();
        std::printf("| %s | %d | %d | %d/%d | %d | %d |\n", qPrintable(it.key()), t.files,
                    t.recognised, t.shown, t.withReference, t.identical, t.local);
    }
    return 0;
}
