// The command line's file read ahead: what opening takes from it, and when it must read
// the file itself because the file is not the one that was read.
#include "app/readahead.h"

#include "platform/charsetattribute.h"
#include "platform/codepage.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

namespace {

const QString kText = QStringLiteral("一行目の文章です\r\n二行目は漢字とかな");

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

} // namespace

class TestReadAhead : public QObject
{
    Q_OBJECT
private slots:
    void theNamedFileIsReadRecognisedAndDecoded()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("名前 に 空白.txt"));
        writeFile(path, platform::encode(kText, platform::Charset::ShiftJis));
        for (const QString &commandLine : {path, u'"' + path + u'"'}) {
            readahead::start(commandLine);
            const std::optional<readahead::Document> ahead = readahead::take(path);
            QVERIFY(ahead);
            QCOMPARE(ahead->charset, platform::Charset::ShiftJis);
            QCOMPARE(ahead->reading.text, kText);
            // Taken once: a second open reads the file itself.
            QVERIFY(!readahead::take(path));
        }
    }

    void anotherPathTakesNothing()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("a.txt"));
        writeFile(path, platform::encode(kText, platform::Charset::ShiftJis));
        readahead::start(path);
        QVERIFY(!readahead::take(dir.filePath(QStringLiteral("b.txt"))));
        QVERIFY(!readahead::take(path));
    }

    void aFileChangedSinceIsNeverTakenAsItWas()
    {
        // The file is rewritten, or given another recorded encoding, after the read
        // starts: whether the read came before or after, what is taken is never the old
        // reading. Run many times, the change a little later each time, so that both
        // orders happen.
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("changing.txt"));
        const QString newer = QStringLiteral("三行目だけ");
        writeFile(path, "probe");
        platform::setCharsetAttribute(path, QStringLiteral("UTF-8"));
        const bool recordsEncodings = platform::charsetAttribute(path) == u"UTF-8";
        int takenAfterTheChange = 0;
        for (int round = 0; round < 40; ++round) {
            const bool rewrite = round % 2 == 0 || !recordsEncodings;
            // ASCII reads as Shift-JIS unless the file records UTF-8, which it can then be.
            writeFile(path, rewrite ? platform::encode(kText, platform::Charset::ShiftJis)
                                    : QByteArray("plain"));
            platform::setCharsetAttribute(path, QString());
            readahead::start(path);
            // At once in the first rounds, later and later after them, so that the read
            // comes first in the later rounds.
            if (round >= 10)
                QThread::usleep(round * 25);
            if (rewrite)
                writeFile(path, platform::encode(newer, platform::Charset::ShiftJis));
            else
                platform::setCharsetAttribute(path, QStringLiteral("UTF-8"));
            const std::optional<readahead::Document> ahead = readahead::take(path);
            if (!ahead)
                continue;
            ++takenAfterTheChange;
            if (rewrite)
                QCOMPARE(ahead->reading.text, newer);
            else
                QCOMPARE(ahead->charset, platform::Charset::Utf8);
        }
        qInfo("read after the change in %d rounds of 40", takenAfterTheChange);
    }

    void nothingIsReadThatCannotBeOpened()
    {
        QTemporaryDir dir;
        const QString large = dir.filePath(QStringLiteral("large.txt"));
        writeFile(large, QByteArray(64001, 'a'));
        QVERIFY(!readahead::read(large));
        QVERIFY(!readahead::read(dir.path()));
        QVERIFY(!readahead::read(dir.filePath(QStringLiteral("missing.txt"))));
        readahead::start(large);
        QVERIFY(!readahead::take(large));
    }
};

QTEST_GUILESS_MAIN(TestReadAhead)
#include "tst_readahead.moc"
