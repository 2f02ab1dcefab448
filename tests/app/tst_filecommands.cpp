// New, Open, Insert, Save, Save As, drop, the three exits and the closing handler, with
// every answer of the save prompt; failed writes on a real read-only and a real full
// file system.
#include "support/fixture.h"

#include "settings/form7.h"
#include "support/mounts.h"

#include <QAction>
#include <QLineEdit>
#include <QProcess>
#include <QTest>

#include <unistd.h>

namespace {

QString savePrompt(const QString &name)
{
    return QStringLiteral("ファイル\u3000") + name +
           QStringLiteral("\u3000の内容が変更されています\r\n変更を保存しますか？");
}

} // namespace

class TestFileCommands : public QObject
{
    Q_OBJECT
private slots:
    void newWithoutChangesAsksNothing()
    {
        Fixture f;
        Form1 &w = f.start();
        w.form7()->Text1->setText(QStringLiteral("新しい題"));
        w.mnuNew_Click();
        QVERIFY(f.boxes.shown.isEmpty());
        QCOMPARE(w.windowTitle(), QStringLiteral("新しい題 - Vellit"));
        QCOMPARE(w.state.documentPath, QStringLiteral("新しい題"));
    }

    void newPromptAnswers()
    {
        Fixture f;
        Form1 &w = f.start();
        w.Text1->setText(QStringLiteral("draft"));
        // Cancel: nothing changes.
        f.boxes.answers.enqueue(platform::IdCancel);
        w.mnuNew_Click();
        QCOMPARE(f.boxes.shown.at(0).text, savePrompt(QStringLiteral("無題")));
        QCOMPARE(f.boxes.shown.at(0).buttons, platform::Buttons::YesNoCancel);
        QCOMPARE(w.Text1->text(), QStringLiteral("draft"));
        // Yes, save dialog cancelled: nothing changes.
        f.boxes.answers.enqueue(platform::IdYes);
        w.mnuNew_Click();
        QCOMPARE(f.dialogs.proposedNames.at(0), QStringLiteral("無題"));
        QCOMPARE(w.Text1->text(), QStringLiteral("draft"));
        QVERIFY(w.state.isModified);
        // Yes, saved: a new empty document follows.
        f.boxes.answers.enqueue(platform::IdYes);
        f.dialogs.files.enqueue({f.path("draft.txt")});
        w.mnuNew_Click();
        QCOMPARE(f.read("draft.txt"), QByteArray("draft\r\n"));
        QCOMPARE(w.Text1->text(), QString());
        QVERIFY(w.state.isUntitled);
        QVERIFY(!w.state.isModified);
        QCOMPARE(w.windowTitle(), QStringLiteral("無題 - Vellit"));
        QCOMPARE(f.read("backup.txt"), QByteArray("\r\n"));
        // No: discarded.
        w.Text1->setText(QStringLiteral("more"));
        f.boxes.answers.enqueue(platform::IdNo);
        w.mnuNew_Click();
        QCOMPARE(w.Text1->text(), QString());
        QCOMPARE(f.boxes.shown.size(), 4);
    }

    void openPromptCancelStillOpens()
    {
        Fixture f;
        Form1 &w = f.start();
        f.write("b.txt", "B");
        w.Text1->setText(QStringLiteral("A"));
        f.boxes.answers.enqueue(platform::IdCancel);
        f.dialogs.files.enqueue({f.path("b.txt")});
        w.mnuOpen_Click();
        QCOMPARE(f.dialogs.opened, 1);
        QCOMPARE(w.Text1->text(), QStringLiteral("B"));
    }

    void openPromptYesWithFileKeepsModifiedWhenDialogCancelled()
    {
        Fixture f;
        f.write("a.txt", "A");
        Form1 &w = f.start(f.path("a.txt"));
        w.Text1->setText(QStringLiteral("A2"));
        f.boxes.answers.enqueue(platform::IdYes);
        w.mnuOpen_Click();
        QCOMPARE(f.read("a.txt"), QByteArray("A2\r\n"));
        QVERIFY(w.state.isModified);
    }

    void insertThenCancelThenOpenReplaces()
    {
        Fixture f;
        Form1 &w = f.start();
        f.write("c.txt", "C");
        w.Text1->setText(QStringLiteral("x"));
        w.mnuOpen2_Click(); // cancelled
        QCOMPARE(w.state.insertAtCaret, 0);
        QVERIFY(f.boxes.shown.isEmpty());
        f.boxes.answers.enqueue(platform::IdNo);
        f.dialogs.files.enqueue({f.path("c.txt")});
        w.mnuOpen_Click();
        QCOMPARE(w.Text1->text(), QStringLiteral("C"));
        f.dialogs.files.enqueue({f.path("c.txt")});
        w.Text1->setSelStart(0);
        w.mnuOpen2_Click();
        QCOMPARE(w.Text1->text(), QStringLiteral("CC"));
        QVERIFY(w.state.isModified);
        QCOMPARE(w.windowTitle(), QStringLiteral("c.txt - Vellit"));
    }

    void saveWritesToTheFileOrAsks()
    {
        Fixture f;
        Form1 &w = f.start();
        w.Text1->setText(QStringLiteral("one"));
        w.mnuSave_Click(); // untitled: Save As, cancelled
        QCOMPARE(f.dialogs.saved, 1);
        QVERIFY(w.state.isUntitled);
        f.dialogs.files.enqueue({f.path("one.txt")});
        w.mnuSave_Click();
        QCOMPARE(f.read("one.txt"), QByteArray("one\r\n"));
        w.Text1->setText(QStringLiteral("two"));
        const QString title = w.windowTitle();
        w.mnuSave_Click();
        QCOMPARE(f.dialogs.saved, 2);
        QCOMPARE(f.read("one.txt"), QByteArray("two\r\n"));
        QVERIFY(!w.state.isModified);
        QCOMPARE(w.windowTitle(), title);
    }

    void dropOpensTheFirstFile()
    {
        Fixture f;
        Form1 &w = f.start();
        f.write("1.txt", "first");
        f.write("2.txt", "second");
        w.Text1->setText(QStringLiteral("mine"));
        f.boxes.answers.enqueue(platform::IdCancel);
        w.Text1_OLEDragDrop({f.path("1.txt"), f.path("2.txt")});
        QCOMPARE(w.Text1->text(), QStringLiteral("mine"));
        f.boxes.answers.enqueue(platform::IdNo);
        w.Text1_OLEDragDrop({f.path("1.txt"), f.path("2.txt")});
        QCOMPARE(w.Text1->text(), QStringLiteral("first"));
        QCOMPARE(w.windowTitle(), QStringLiteral("1.txt - Vellit"));
    }

    void closingAnswers()
    {
        Fixture f;
        Form1 &w = f.start();
        w.show();
        w.Text1->setText(QStringLiteral("keep me"));
        f.boxes.answers.enqueue(platform::IdCancel);
        QVERIFY(!w.close());
        QVERIFY(w.isVisible());
        QVERIFY(f.exists("backup.txt"));
        QCOMPARE(f.ended, 0);
        // Yes, Save As cancelled: the window stays.
        f.boxes.answers.enqueue(platform::IdYes);
        QVERIFY(!w.close());
        QVERIFY(f.exists("backup.txt"));
        // No: the backup goes, group 4 is saved, the program ends.
        f.boxes.answers.enqueue(platform::IdNo);
        QVERIFY(w.close());
        QVERIFY(!f.exists("backup.txt"));
        QVERIFY(f.read("Conf.ini").contains("WindowW="));
        QCOMPARE(f.ended, 1);
    }

    void closingSavesToTheFile()
    {
        Fixture f;
        f.write("d.txt", "d");
        Form1 &w = f.start(f.path("d.txt"));
        w.show();
        w.Text1->setText(QStringLiteral("d2"));
        f.boxes.answers.enqueue(platform::IdYes);
        w.mnuMEnd_Click();
        QVERIFY(w.isHidden());
        QCOMPARE(f.read("d.txt"), QByteArray("d2\r\n"));
        QCOMPARE(f.ended, 1);
    }

    void discardAndExit()
    {
        Fixture f;
        Form1 &w = f.start();
        w.Text1->setText(QStringLiteral("lost"));
        w.mnuHakiEnd_Click();
        QVERIFY(f.boxes.shown.isEmpty());
        QVERIFY(!f.exists("backup.txt"));
        QVERIFY(!f.exists("Conf.ini"));
        QCOMPARE(f.ended, 1);
    }

    void saveAndExit()
    {
        Fixture f;
        Form1 &w = f.start();
        w.Text1->setText(QStringLiteral("kept"));
        w.mnuHozonEnd_Click(); // Save As cancelled: keeps running
        QCOMPARE(f.ended, 0);
        QVERIFY(f.exists("backup.txt"));
        f.dialogs.files.enqueue({f.path("kept.txt")});
        w.mnuHozonEnd_Click();
        QCOMPARE(f.read("kept.txt"), QByteArray("kept\r\n"));
        QVERIFY(!f.exists("backup.txt"));
        QVERIFY(!f.exists("Conf.ini"));
        QCOMPARE(f.ended, 1);
    }

    void everyEndRemovesOnlyTheCopysOwnFile()
    {
        // Another copy runs and holds backup.txt; this one keeps backup-2.txt and removes
        // only that, whichever way it ends.
        for (int way = 0; way < 3; ++way) {
            Fixture f;
            platform::FileLock running(f.path(".backup.txt.lock"));
            f.write("backup.txt", "the other copy's\r\n");
            Form1 &w = f.start();
            w.show();
            w.Text1->setText(QStringLiteral("x"));
            QVERIFY(f.exists("backup-2.txt"));
            f.write("kept.txt", "x");
            if (way == 0) {
                w.mnuHakiEnd_Click();
            } else if (way == 1) {
                f.dialogs.files.enqueue({f.path("kept.txt")});
                w.mnuHozonEnd_Click();
            } else {
                f.boxes.answers.enqueue(platform::IdNo);
                w.close();
            }
            QCOMPARE(f.ended, 1);
            QVERIFY2(!f.exists("backup-2.txt"), qPrintable(QString::number(way)));
            QCOMPARE(f.read("backup.txt"), QByteArray("the other copy's\r\n"));
        }
    }

    void failedSaveOnReadOnlyFileSystem()
    {
        Fixture f;
        const QString mountDir = f.path("ro");
        SmallMount mount(mountDir, "size=64k");
        if (!mount.ok())
            QSKIP("needs root to mount a tmpfs for a read-only file system");
        const QString file = mountDir + "/doc.txt";
        QFile out(file);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write("original\r\n");
        out.close();
        QVERIFY(mount.remountReadOnly());

        Form1 &w = f.start(file);
        w.Text1->setText(QStringLiteral("changed"));
        w.mnuSave_Click();
        QCOMPARE(f.boxes.shown.size(), 1);
        QVERIFY(f.boxes.shown.at(0).text.contains(file));
        QVERIFY(w.state.isModified);
        // Save-and-exit does not end the program after the failure.
        w.mnuHozonEnd_Click();
        QCOMPARE(f.ended, 0);
        QVERIFY(f.exists("backup.txt"));
        QFile in(file);
        QVERIFY(in.open(QIODevice::ReadOnly));
        QCOMPARE(in.readAll(), QByteArray("original\r\n"));
    }

    void failedSaveOnFullDiskKeepsTheOldFile()
    {
        Fixture f;
        const QString mountDir = f.path("full");
        SmallMount mount(mountDir, "size=64k");
        if (!mount.ok())
            QSKIP("needs root to mount a small tmpfs for a full disk");
        const QString file = mountDir + "/doc.txt";
        QFile out(file);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(QByteArray(30000, 'o') + "\r\n");
        out.close();
        Form1 &w = f.start(file);
        // The new text does not fit beside the old one.
        w.Text1->setText(QString(50000, u'n'));
        f.boxes.answers.enqueue(platform::IdYes);
        QVERIFY(!w.close());
        QCOMPARE(f.ended, 0);
        QVERIFY(w.state.isModified);
        QFile in(file);
        QVERIFY(in.open(QIODevice::ReadOnly));
        QCOMPARE(in.readAll(), QByteArray(30000, 'o') + "\r\n");
        QCOMPARE(QDir(mountDir).entryList(QDir::Files), QStringList{"doc.txt"});
    }

    void backupInTheWayIsAvoidedAndToldOnce()
    {
        Fixture f;
        // A directory in the backup's place cannot hold the text: the next file does.
        QDir(f.dir.path()).mkdir("backup.txt");
        Form1 &w = f.start();
        w.Text1->setText(QStringLiteral("a"));
        w.Text1->setText(QStringLiteral("b"));
        QCOMPARE(f.boxes.shown.size(), 1);
        QVERIFY(f.boxes.shown.at(0).text.contains(QStringLiteral("backup-2.txt")));
        QCOMPARE(f.read("backup-2.txt"), QByteArray("b\r\n"));
        QVERIFY(QFileInfo(f.path("backup.txt")).isDir());
        QVERIFY(w.state.isModified);
    }
};

QTEST_MAIN(TestFileCommands)
#include "tst_filecommands.moc"
