// Where Conf.ini and backup.txt live: decided once at start-up, and a program directory
// that cannot be written still gives up the backup and the settings it holds. The
// program directory is a real tmpfs, filled up in the middle or read-only from the start.
#include "support/fixture.h"
#include "support/mounts.h"

#include "platform/codepage.h"
#include "settings/form7.h"

#include <QLineEdit>
#include <QTest>

namespace {

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

// A program directory on its own tmpfs and a private user configuration directory.
struct Locations
{
    Locations() : mount(root.filePath("program"), "size=1m")
    {
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(root.filePath("config")));
        platform::setProgramDirOverride(program());
        platform::setPreviousInstanceOverride(false);
        platform::setEndProgram([] {});
    }
    ~Locations()
    {
        window.reset();
        mount.remountWritable();
        platform::setEndProgram({});
        platform::setPreviousInstanceOverride(std::nullopt);
        platform::setProgramDirOverride(QString());
        qunsetenv("XDG_CONFIG_HOME");
    }
    QString program() const { return root.filePath("program"); }
    QString user() const { return platform::userDataDir(); }
    Form1 &start()
    {
        window.reset();
        platform::setProgramDirOverride(program()); // a new run decides anew
        window = std::make_unique<Form1>();
        window->Form_Load(QString());
        return *window;
    }

    QTemporaryDir root;
    SmallMount mount;
    ScriptedBoxes boxes;
    ScriptedDialogs dialogs;
    std::unique_ptr<Form1> window;
};

} // namespace

class TestDataDir : public QObject
{
    Q_OBJECT
private slots:
    void decidedOnceForTheWholeRun()
    {
        Locations l;
        if (!l.mount.ok())
            QSKIP("needs root to mount a tmpfs");
        Form1 &w = l.start();
        QCOMPARE(w.state.backupPath, l.program() + "/backup.txt");
        // The program directory fills up (a running copy holds its lock file open for
        // writing, so its file system cannot be remounted read-only under it).
        const QString filler = l.program() + "/filler";
        {
            QFile f(filler);
            QVERIFY(f.open(QIODevice::WriteOnly));
            const QByteArray block(64 * 1024, 'x');
            while (f.write(block) == block.size() && f.flush()) {
            }
        }
        w.Text1->setSelText(QStringLiteral("a"));
        // The backup does not move: it fails where it is, and the user is told once.
        QCOMPARE(w.state.backupPath, l.program() + "/backup.txt");
        QVERIFY(!QFile::exists(l.user() + "/backup.txt"));
        QCOMPARE(l.boxes.shown.size(), 1);
        QVERIFY(
            l.boxes.shown.at(0).text.contains(QStringLiteral("ディスクの空き容量が足りません。")));
        w.Text1->setSelText(QStringLiteral("b"));
        QCOMPARE(l.boxes.shown.size(), 1);
        QVERIFY(QFile::remove(filler));
        w.Text1->setSelText(QStringLiteral("c"));
        QCOMPARE(readFile(l.program() + "/backup.txt"), QByteArray("abc\r\n"));
    }

    void unwritableProgramDirectoryStillGivesUpItsBackupAndSettings()
    {
        Locations l;
        if (!l.mount.ok())
            QSKIP("needs root to mount a tmpfs");
        writeFile(l.program() + "/backup.txt", platform::toAnsi(QStringLiteral("残った文\r\n")));
        writeFile(l.program() + "/Conf.ini",
                  platform::toAnsi(QStringLiteral("[Option]\r\nFileName=古い題名\r\n")));
        QVERIFY(l.mount.remountReadOnly());

        Form1 &w = l.start();
        QCOMPARE(w.state.backupPath, l.user() + "/backup.txt");
        QCOMPARE(l.boxes.shown.size(), 1);
        QCOMPARE(w.Text1->text(), QStringLiteral("残った文\r\n"));
        // The settings came along, and the restored text is safe in the user's backup.
        QCOMPARE(w.form7()->Text1->text(), QStringLiteral("古い題名"));
        QCOMPARE(readFile(l.user() + "/Conf.ini"), readFile(l.program() + "/Conf.ini"));
        QCOMPARE(readFile(l.user() + "/backup.txt"),
                 platform::toAnsi(QStringLiteral("残った文\r\n\r\n")));

        // A normal end; the left-behind backup cannot be deleted, but is not offered again.
        w.mnuHakiEnd_Click();
        QVERIFY(!QFile::exists(l.user() + "/backup.txt"));
        l.boxes.shown.clear();
        Form1 &again = l.start();
        QVERIFY(l.boxes.shown.isEmpty());
        QCOMPARE(again.Text1->text(), QString());
    }
};

QTEST_MAIN(TestDataDir)
#include "tst_datadir.moc"
