// File operations and the previous-instance lock.
#include "platform/files.h"
#include "platform/process.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace platform;

class TestFiles : public QObject
{
    Q_OBJECT
private slots:
    void failedWriteReportsReasonInJapaneseAndLeavesNothing()
    {
        QTemporaryDir dir;
        const WriteResult r =
            replaceFile(dir.filePath("missing/doc.txt"), "x", FileKind::Document, true);
        QVERIFY(!r.ok);
        QCOMPARE(r.error, ENOENT);
        QCOMPARE(r.message, QStringLiteral("指定されたフォルダーが見つかりません。"));
        QVERIFY(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
    }

    void sizeExistenceAndDeletion()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("f");
        QVERIFY(!fileExists(path));
        QCOMPARE(fileSize(path), qint64(-1));
        QVERIFY(replaceFile(path, QByteArray(1234, 'a'), FileKind::Document, false).ok);
        QVERIFY(isRegularFile(path));
        QCOMPARE(fileSize(path), qint64(1234));
        QVERIFY(!isRegularFile(dir.path()));
        QVERIFY(deleteFile(path));
        QVERIFY(!fileExists(path));
    }

    void instanceLockSeesRunningCopies()
    {
        QTemporaryDir dir;
        const QString lockPath = dir.filePath(".lock");
        auto first = std::make_unique<FileLock>(lockPath, FileLock::Kind::Shared);
        QVERIFY(!first->otherWasHeld());
        auto second = std::make_unique<FileLock>(lockPath, FileLock::Kind::Shared);
        QVERIFY(second->otherWasHeld());
        // The first copy ends; the second still runs, so a third is a second instance.
        first.reset();
        FileLock third(lockPath, FileLock::Kind::Shared);
        QVERIFY(third.otherWasHeld());
        second.reset();
    }

    void lockOfAKilledProcessDoesNotCount()
    {
        QTemporaryDir dir;
        const QString lockPath = dir.filePath(".lock");
        // A child holds a shared record lock on the file, then is killed.
        QProcess child;
        child.start("python3", {"-c",
                                "import fcntl, sys, time\n"
                                "f = open(sys.argv[1], 'a+')\n"
                                "fcntl.lockf(f, fcntl.LOCK_SH)\n"
                                "time.sleep(30)",
                                lockPath});
        QVERIFY(child.waitForStarted());
        QTRY_VERIFY(FileLock(lockPath, FileLock::Kind::Shared).otherWasHeld());
        child.kill();
        child.waitForFinished();
        QVERIFY(!FileLock(lockPath, FileLock::Kind::Shared).otherWasHeld());
    }
};

QTEST_GUILESS_MAIN(TestFiles)
#include "tst_files.moc"
