// Replacing a file's content on real file systems: modes, links, other owners, protected
// and read-only files, a full disk, and a kill at every step of a write; the backup's
// rewrite through a spare file.
#include "platform/files.h"
#include "support/mounts.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace platform;

namespace {

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

struct stat statOf(const QString &path)
{
    struct stat st
    {
    };
    ::lstat(QFile::encodeName(path).constData(), &st);
    return st;
}

QStringList entries(const QString &dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
}

// A directory that the unprivileged user can reach.
struct SharedDir
{
    SharedDir() { ::chmod(QFile::encodeName(dir.path()).constData(), 0755); }
    QString path(const QString &name) const { return dir.filePath(name); }
    QTemporaryDir dir;
};

void chownPath(const QString &path, int uid, int gid)
{
    QCOMPARE(::chown(QFile::encodeName(path).constData(), uid, gid), 0);
}

// Whether the file system under dir swaps two names in one step (renameat2).
bool canExchangeNames(const QString &dir)
{
    const QByteArray a = QFile::encodeName(dir + "/probe-a");
    const QByteArray b = QFile::encodeName(dir + "/probe-b");
    writeFile(QFile::decodeName(a), "a");
    writeFile(QFile::decodeName(b), "b");
    const bool exchanged =
        ::renameat2(AT_FDCWD, a.constData(), AT_FDCWD, b.constData(), RENAME_EXCHANGE) == 0;
    ::unlink(a.constData());
    ::unlink(b.constData());
    return exchanged;
}

} // namespace

class TestReplaceFile : public QObject
{
    Q_OBJECT
private slots:
    void documentKeepsItsModeAndPrivateFilesAreOwnerOnly()
    {
        QTemporaryDir dir;
        const QString doc = dir.filePath("doc.txt");
        writeFile(doc, "old");
        ::chmod(QFile::encodeName(doc).constData(), 0640);
        QVERIFY(replaceFile(doc, "new", FileKind::Document, true).ok);
        QCOMPARE(readFile(doc), QByteArray("new"));
        QCOMPARE(int(statOf(doc).st_mode & 07777), 0640);

        // A backup left with any mode, even none, becomes private again.
        const QString backup = dir.filePath("backup.txt");
        for (mode_t old : {mode_t(0644), mode_t(0)}) {
            writeFile(backup, "old");
            ::chmod(QFile::encodeName(backup).constData(), old);
            QVERIFY(replaceFile(backup, "text", FileKind::Private, false).ok);
            QCOMPARE(int(statOf(backup).st_mode & 07777), 0600);
        }
        // A new private file is private whatever the umask.
        const mode_t mask = ::umask(0);
        QVERIFY(replaceFile(dir.filePath("Conf.ini"), "[a]", FileKind::Private, true).ok);
        ::umask(mask);
        QCOMPARE(int(statOf(dir.filePath("Conf.ini")).st_mode & 07777), 0600);
        QCOMPARE(entries(dir.path()), QStringList({"Conf.ini", "backup.txt", "doc.txt"}));
    }

    void symbolicLinkIsFollowedAndStaysALink()
    {
        QTemporaryDir dir;
        QDir(dir.path()).mkdir("dotfiles");
        const QString target = dir.filePath("dotfiles/Conf.ini");
        writeFile(target, "old");
        const QString link = dir.filePath("Conf.ini");
        QVERIFY(QFile::link("dotfiles/Conf.ini", link));
        QVERIFY(replaceFile(link, "new", FileKind::Private, true).ok);
        QVERIFY(S_ISLNK(statOf(link).st_mode));
        QCOMPARE(readFile(target), QByteArray("new"));
        QCOMPARE(entries(dir.path()), QStringList({"Conf.ini", "dotfiles"}));
        QCOMPARE(entries(dir.filePath("dotfiles")), QStringList({"Conf.ini"}));
    }

    void hardLinkedFileIsWrittenInPlace()
    {
        QTemporaryDir dir;
        const QString a = dir.filePath("a.txt");
        const QString b = dir.filePath("b.txt");
        writeFile(a, "a longer old text");
        QCOMPARE(::link(QFile::encodeName(a).constData(), QFile::encodeName(b).constData()), 0);
        const ino_t inode = statOf(a).st_ino;
        QVERIFY(replaceFile(a, "short", FileKind::Document, true).ok);
        QCOMPARE(statOf(a).st_ino, inode);
        QCOMPARE(readFile(b), QByteArray("short"));
        QVERIFY(replaceFile(b, "a much longer new text than before", FileKind::Document, true).ok);
        QCOMPARE(readFile(a), QByteArray("a much longer new text than before"));
    }

    void fileTheUserMayNotWriteIsRefused()
    {
        if (!canDropPrivileges())
            QSKIP("needs root and setpriv to act as an unprivileged user");
        SharedDir d;
        chownPath(d.dir.path(), kNobody, kNobody);
        const QString file = d.path("readonly.txt");
        writeFile(file, "old");
        chownPath(file, kNobody, kNobody);
        ::chmod(QFile::encodeName(file).constData(), 0444);
        QCOMPARE(runAsNobody(REPLACE_HELPER, {file, "new", "document"}), 1);
        QCOMPARE(readFile(file), QByteArray("old"));
        QCOMPARE(int(statOf(file).st_mode & 07777), 0444);
        QCOMPARE(entries(d.dir.path()), QStringList({"readonly.txt"}));
    }

    void otherOwnerUnwritableDirectoryAndStickyDirectoryKeepTheFile_data()
    {
        QTest::addColumn<int>("fileOwner");
        QTest::addColumn<int>("dirOwner");
        QTest::addColumn<int>("dirMode");
        // A rename by nobody would make nobody the owner of root's group-writable file.
        QTest::newRow("file of another owner") << 0 << kNobody << 0755;
        // nobody may write the file but may not create a file beside it.
        QTest::newRow("directory not writable") << kNobody << 0 << 0755;
        // /tmp-like: writable by all, sticky, owned by root.
        QTest::newRow("sticky directory of another") << kNobody << 0 << 01777;
    }

    void otherOwnerUnwritableDirectoryAndStickyDirectoryKeepTheFile()
    {
        QFETCH(int, fileOwner);
        QFETCH(int, dirOwner);
        QFETCH(int, dirMode);
        if (!canDropPrivileges())
            QSKIP("needs root and setpriv to act as an unprivileged user");
        SharedDir d;
        const QString sub = d.path("sub");
        QDir().mkdir(sub);
        chownPath(sub, dirOwner, dirOwner);
        ::chmod(QFile::encodeName(sub).constData(), dirMode);
        const QString file = sub + "/doc.txt";
        writeFile(file, "old text");
        chownPath(file, fileOwner, fileOwner);
        ::chmod(QFile::encodeName(file).constData(), 0666);
        const ino_t inode = statOf(file).st_ino;

        QCOMPARE(runAsNobody(REPLACE_HELPER, {file, "new, longer text", "document"}), 0);
        QCOMPARE(readFile(file), QByteArray("new, longer text"));
        const struct stat after = statOf(file);
        QCOMPARE(after.st_ino, inode);
        QCOMPARE(int(after.st_uid), fileOwner);
        QCOMPARE(int(after.st_gid), fileOwner);
        QCOMPARE(int(after.st_mode & 07777), 0666);
        QCOMPARE(entries(sub), QStringList({"doc.txt"}));
    }

    void readOnlyMountAndImmutableFileAreRefused()
    {
        QTemporaryDir dir;
        SmallMount mount(dir.filePath("mnt"), "size=64k");
        if (!mount.ok())
            QSKIP("needs root to mount a tmpfs");
        const QString file = dir.filePath("mnt/doc.txt");
        writeFile(file, "old");
        QVERIFY(mount.remountReadOnly());
        WriteResult r = replaceFile(file, "new", FileKind::Document, true);
        QVERIFY(!r.ok);
        QCOMPARE(r.error, EROFS);
        QCOMPARE(r.message, QStringLiteral("読み取り専用のファイルシステムです。"));
        QCOMPARE(readFile(file), QByteArray("old"));

        const QString locked = dir.filePath("locked.txt");
        writeFile(locked, "old");
        if (QProcess::execute("chattr", {"+i", locked}) != 0)
            QSKIP("chattr +i is not possible here");
        r = replaceFile(locked, "new", FileKind::Document, true);
        QProcess::execute("chattr", {"-i", locked});
        QVERIFY(!r.ok);
        QCOMPARE(r.error, EPERM);
        QCOMPARE(readFile(locked), QByteArray("old"));
        QCOMPARE(entries(dir.path()), QStringList({"locked.txt", "mnt"}));
    }

    void fullDiskFailsBeforeAnInPlaceWriteOverwrites()
    {
        QTemporaryDir dir;
        const QString mountDir = dir.filePath("mnt");
        SmallMount mount(mountDir, "size=64k");
        if (!mount.ok())
            QSKIP("needs root to mount a tmpfs");
        const QString a = mountDir + "/a.txt";
        const QByteArray old(20000, 'o');
        writeFile(a, old);
        QCOMPARE(::link(QFile::encodeName(a).constData(),
                        QFile::encodeName(mountDir + "/b.txt").constData()),
                 0);
        const WriteResult r = replaceFile(a, QByteArray(200000, 'n'), FileKind::Document, true);
        QVERIFY(!r.ok);
        QCOMPARE(r.error, ENOSPC);
        QCOMPARE(readFile(a), old);
        QCOMPARE(entries(mountDir), QStringList({"a.txt", "b.txt"}));
    }

    void backupRewriteReusesTwoFiles()
    {
        QTemporaryDir dir;
        const QString backup = dir.filePath("backup.txt");
        QVERIFY(rewritePrivateFile(backup, "first").ok); // no file yet: made as usual
        QSet<ino_t> inodes;
        for (const char *text : {"second", "third", "fourth", "fifth"}) {
            const WriteResult r = rewritePrivateFile(backup, text);
            QVERIFY(r.ok);
            QCOMPARE(readFile(backup), QByteArray(text));
            QCOMPARE(statOf(backup).st_mode & 07777, mode_t(0600));
            inodes.insert(statOf(backup).st_ino);
        }
        if (!canExchangeNames(dir.path()))
            QSKIP("this file system cannot exchange two names");
        QCOMPARE(inodes.size(), 2);
        QCOMPARE(entries(dir.path()), QStringList({"backup.txt", "backup.txt.vellit-spare0"}));
        // The spare holds the version before, never read; it goes with the file.
        removeSpareOf(backup);
        QCOMPARE(entries(dir.path()), QStringList({"backup.txt"}));
    }

    void backupRewriteLeavesLinksAndOthersFilesAsReplaceDoes()
    {
        QTemporaryDir dir;
        const QString real = dir.filePath("real.txt");
        const QString backup = dir.filePath("backup.txt");
        writeFile(real, "old");
        QVERIFY(QFile::link(real, backup));
        QVERIFY(rewritePrivateFile(backup, "new").ok);
        QVERIFY(S_ISLNK(statOf(backup).st_mode));
        QCOMPARE(readFile(real), QByteArray("new"));
        // A spare that is a link is never written through.
        const QString plain = dir.filePath("plain.txt");
        const QString elsewhere = dir.filePath("elsewhere.txt");
        writeFile(plain, "old");
        writeFile(elsewhere, "untouched");
        QVERIFY(QFile::link(elsewhere, plain + ".vellit-spare0"));
        QVERIFY(rewritePrivateFile(plain, "new").ok);
        QCOMPARE(readFile(plain), QByteArray("new"));
        QCOMPARE(readFile(elsewhere), QByteArray("untouched"));
        // Nor a FIFO, which would wait for a reader.
        const QString piped = dir.filePath("piped.txt");
        writeFile(piped, "old");
        QCOMPARE(::mkfifo(QFile::encodeName(piped + ".vellit-spare0").constData(), 0600), 0);
        QVERIFY(rewritePrivateFile(piped, "new").ok);
        QCOMPARE(readFile(piped), QByteArray("new"));
    }

    void killAtEveryStepLeavesAWholeFile_data()
    {
        QTest::addColumn<QString>("step");
        QTest::addColumn<QString>("kind");
        for (const char *step :
             {"pwrite:1", "fchmod:1", "fsync:1", "linkat:1", "close:1", "rename:1", "fsync:2"})
            QTest::newRow(step) << QString::fromLatin1(step) << QStringLiteral("private");
        for (const char *step : {"pwrite:1", "ftruncate:1", "close:1", "renameat2:1"})
            QTest::addRow("backup %s", step)
                << QString::fromLatin1(step) << QStringLiteral("backup");
    }

    void killAtEveryStepLeavesAWholeFile()
    {
        QFETCH(QString, step);
        QFETCH(QString, kind);
        QTemporaryDir dir;
        const QString backup = dir.filePath("backup.txt");
        writeFile(backup, "old text\r\n");
        // A file of the user's that merely looks like a temporary must survive too.
        writeFile(dir.filePath("backup.txt.backup"), "mine");

        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("LD_PRELOAD", KILL_SHIM);
        env.insert("VELLIT_KILL_AT", step);
        child.setProcessEnvironment(env);
        child.start(REPLACE_HELPER, {backup, "new text\r\n", kind});
        QVERIFY(child.waitForFinished());
        QCOMPARE(child.exitStatus(), QProcess::CrashExit);

        const QByteArray now = readFile(backup);
        QVERIFY2(now == "old text\r\n" || now == "new text\r\n", now.constData());
        QStringList left = entries(dir.path());
        left.removeAll("backup.txt");
        left.removeAll("backup.txt.backup");
        // The only name that can be left is a temporary: a complete one between its
        // naming and the rename, or the backup's spare, which is never read; the next
        // start of the editor removes it.
        QVERIFY2(left.size() <= 1, qPrintable(left.join(' ')));
        if (!left.isEmpty()) {
            QVERIFY(left.constFirst().startsWith("backup.txt.vellit-"));
            if (kind != u"backup")
                QCOMPARE(readFile(dir.filePath(left.constFirst())), QByteArray("new text\r\n"));
        }
        removeStrayTemporaries(dir.path(), {"backup.txt", "Conf.ini"});
        QCOMPARE(entries(dir.path()), QStringList({"backup.txt", "backup.txt.backup"}));
    }
};

QTEST_GUILESS_MAIN(TestReplaceFile)
#include "tst_replacefile.moc"
