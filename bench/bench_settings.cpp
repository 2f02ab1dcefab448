// Start-up reads of a large Conf.ini: the four settings groups loaded from a 10 MB file
// of empty lines and comments with the real sections at its end, and the peak memory.
#include "support/fixture.h"

#include "settings/module1.h"

#include <QTest>

#include <sys/resource.h>

class BenchSettings : public QObject
{
    Q_OBJECT

    static long peakKilobytes()
    {
        struct rusage usage;
        getrusage(RUSAGE_SELF, &usage);
        return usage.ru_maxrss;
    }

private slots:
    void startUpReadsOf10MbConf_data()
    {
        QTest::addColumn<QByteArray>("filler");
        QTest::newRow("empty lines") << QByteArray("\r\n");
        QTest::newRow("comment lines") << QByteArray("; a comment line of the file\r\n");
    }

    void startUpReadsOf10MbConf()
    {
        QFETCH(QByteArray, filler);
        Fixture f;
        Form1 &w = f.start();
        QByteArray conf;
        conf.reserve(10'000'100);
        while (conf.size() < 10'000'000)
            conf += filler;
        conf += "[Font]\r\nFsize=12\r\nFName=IPAGothic\r\n[Text]\r\nt1=a\r\n"
                "[Option]\r\nFileName=x\r\nCheck1=1\r\nWindowW=9000\r\n";
        f.write("Conf.ini", conf);
        const long before = peakKilobytes();
        QBENCHMARK
        {
            // A change on disk each time, so that every iteration parses the file anew.
            f.write("Conf.ini", conf);
            for (qint16 group : {1, 2, 3, 4})
                Module1::LoadSettings(w, group);
        }
        QCOMPARE(w.Text1->fontSize(), 12.0);
        qInfo("peak memory: %ld KiB before, %ld KiB after (file: %lld KiB)", before,
              peakKilobytes(), static_cast<long long>(conf.size() / 1024));
    }
};

QTEST_MAIN(BenchSettings)
#include "bench_settings.moc"
