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
    void atomicWriteKeepsPermissions()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("doc.txt");
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("old");
        f.close();
        ::chmod(QFile::encodeName(path).constData(), 0640);
        QVERIFY(writeFileAtomically(path, "new", true).ok);
        QFile g(path);
        QVERIFY(g.open(QIODevice::ReadOnly));
        QCOMPARE(g.readAll(), QByteArray("new"));
        struct stat st;
        QCOMPARE(::stat(QFile::encodeName(path).constData(), &st), 0);
        QCOMPARE(int(st.st_mode & 0777), 0640);
    }

    void failedWriteReportsReasonAndLeavesNothing()
    {
        QTemporaryDir dir;
        const WriteResult r = writeFileAtomically(dir.filePath("missing/doc.txt"), "x", true);
        QVERIFY(!r.ok);
        QVERIFY(!r.message.isEmpty());
        QVERIFY(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
    }

    void sizeExistenceAndDeletion()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("f");
        QVERIFY(!fileExists(path));
        QCOMPARE(fileSize(path), qint64(-1));
        QVERIFY(writeFileAtomically(path, QByteArray(1234, 'a'), false).ok);
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
        auto first = std::make_unique<InstanceLock>(lockPath);
        QVERIFY(!first->otherWasRunning());
        auto second = std::make_unique<InstanceLock>(lockPath);
        QVERIFY(second->otherWasRunning());
        // The first copy ends; the second still runs, so a third is a second instance.
        first.reset();
        InstanceLock third(lockPath);
        QVERIFY(third.otherWasRunning());
        second.reset();
    }

    void lockOfAKilledProcessDoesNotCount()
    {
        QTemporaryDir dir;
        const QString lockPath = dir.filePath(".lock");
        // A child holds a lock on the file, then is killed.
        QProcess child;
        child.start("sh", {"-c", "exec 9>\"$0\"; flock -s 9; exec sleep 30", lockPath});
        QVERIFY(child.waitForStarted());
        QTRY_VERIFY(InstanceLock(lockPath).otherWasRunning());
        child.kill();
        child.waitForFinished();
        QVERIFY(!InstanceLock(lockPath).otherWasRunning());
    }
};

QTEST_GUILESS_MAIN(TestFiles)
#include "tst_files.moc"
