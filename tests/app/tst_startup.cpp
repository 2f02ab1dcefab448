// Start-up: recovery of backup.txt, first and second instances, the command line, and a
// crash simulated by killing a child process in the middle of typing.
#include "support/fixture.h"

#include "app/appicon.h"
#include "platform/codepage.h"

#include <QAction>
#include <QInputMethodEvent>
#include <QProcess>
#include <QTest>

#include <csignal>
#include <sys/stat.h>

namespace {

const QString kPrompt = QStringLiteral(
    "前回、正常に終了できませんでした\r\nそのときに編集中だったファイルを復元しますか？");

// Child mode: start in the given directory and type until killed.
int runTypingChild(const QString &dir)
{
    platform::setProgramDirOverride(dir);
    platform::setPreviousInstanceOverride(false);
    Form1 window;
    window.Form_Load(QString());
    window.show();
    window.Text1->setFocus();
    // Japanese arrives as input-method commits, line breaks as the Return key.
    for (int i = 0;; ++i) {
        if (i % 10 == 9) {
            QTest::keyClick(window.Text1, Qt::Key_Return);
        } else {
            QInputMethodEvent commit;
            commit.setCommitString(QStringLiteral("あ"));
            QApplication::sendEvent(window.Text1, &commit);
        }
        QCoreApplication::processEvents();
    }
}

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT
private slots:
    void firstStartResetsBackup()
    {
        Fixture f;
        Form1 &w = f.start();
        QVERIFY(f.boxes.shown.isEmpty());
        QCOMPARE(f.read("backup.txt"), QByteArray("\r\n"));
        QVERIFY(w.state.isUntitled);
        QVERIFY(!w.state.isModified);
        QCOMPARE(w.state.undoSlot, 1);
        QCOMPARE(w.state.backupPath, f.path("backup.txt"));
        QCOMPARE(w.state.programDir, f.dir.path());
    }

    void recoveryAnsweredYes()
    {
        Fixture f;
        f.write("backup.txt", platform::toAnsi(QStringLiteral("途中の文\r\n")));
        Form1 &w = f.start();
        QCOMPARE(f.boxes.shown.size(), 1);
        QCOMPARE(f.boxes.shown.at(0).text, kPrompt);
        QCOMPARE(f.boxes.shown.at(0).buttons, platform::Buttons::YesNo);
        QCOMPARE(f.boxes.shown.at(0).icon, platform::Icon::Question);
        QCOMPARE(w.Text1->text(), QStringLiteral("途中の文\r\n"));
        QVERIFY(w.state.isModified);
        QVERIFY(w.state.isUntitled);
        QCOMPARE(w.windowTitle(), QStringLiteral("無題 - Vellit"));
        // The restored text stays protected until the next change rewrites the backup.
        QCOMPARE(f.read("backup.txt"), platform::toAnsi(QStringLiteral("途中の文\r\n\r\n")));
    }

    void recoveryAnsweredNo()
    {
        Fixture f;
        f.write("backup.txt", "abc\r\n");
        f.boxes.answers.enqueue(platform::IdNo);
        Form1 &w = f.start();
        QCOMPARE(f.boxes.shown.size(), 2);
        QCOMPARE(f.boxes.shown.at(1).text,
                 QStringLiteral("前回編集中だったファイルは完全に削除されました"));
        QCOMPARE(f.boxes.shown.at(1).icon, platform::Icon::Information);
        QCOMPARE(w.Text1->text(), QString());
        QVERIFY(!w.state.isModified);
        QCOMPARE(f.read("backup.txt"), QByteArray("\r\n"));
    }

    void recoveryClosedWithoutAnAnswerRestores()
    {
        // Escape or the close box is no answer, and only No may discard the text.
        Fixture f;
        f.write("backup.txt", "abc\r\n");
        f.boxes.answers.enqueue(platform::IdCancel);
        Form1 &w = f.start();
        QCOMPARE(f.boxes.shown.size(), 1);
        QCOMPARE(w.Text1->text(), QStringLiteral("abc\r\n"));
        QCOMPARE(f.read("backup.txt"), QByteArray("abc\r\n\r\n"));
    }

    void backupIsPrivateWhateverTheUmask()
    {
        Fixture f;
        f.write("backup.txt", "abc\r\n");
        ::chmod(QFile::encodeName(f.path("backup.txt")).constData(), 0644);
        const mode_t mask = ::umask(0);
        Form1 &w = f.start();
        w.Text1->setSelText(QStringLiteral("x"));
        ::umask(mask);
        struct stat st;
        QCOMPARE(::stat(QFile::encodeName(f.path("backup.txt")).constData(), &st), 0);
        QCOMPARE(int(st.st_mode & 07777), 0600);
    }

    void strayTemporariesGoOnlyWhereNoCopyIsWriting()
    {
        // Temporaries of recovery files whose copy is not running go at any start;
        // those of a live copy's file stay, and Conf.ini's go only at the first copy's.
        const QStringList dead = {"backup.txt.vellit-Ab12Cd", "backup-3.txt.vellit-Qw34Er"};
        const QStringList live = {"backup-2.txt.vellit-Zx56Cv"};
        const QStringList others = {"backup.txt.backup", "Conf.ini.vellit-toolong",
                                    "notes.txt.vellit-Ab12Cd", "Conf.ini.orig"};
        const QString conf = QStringLiteral("Conf.ini.vellit-zz99ZZ");
        for (bool second : {true, false}) {
            Fixture f;
            platform::setPreviousInstanceOverride(second);
            platform::FileLock running(f.path(".backup-2.txt.lock"));
            for (const QString &name : dead + live + others + QStringList{conf})
                f.write(name, "x");
            f.start();
            for (const QString &name : others + live)
                QVERIFY2(f.exists(name), qPrintable(name));
            for (const QString &name : dead)
                QVERIFY2(!f.exists(name), qPrintable(name));
            QCOMPARE(f.exists(conf), second);
        }
    }

    void aCopyStartedBesideAnotherKeepsItsOwnFile()
    {
        // The running copy holds backup.txt: the new one neither offers nor resets it, and
        // keeps its own text in backup-2.txt.
        Fixture f;
        platform::FileLock running(f.path(".backup.txt.lock"));
        QVERIFY(running.held());
        f.write("backup.txt", "other copy's text\r\n");
        Form1 &w = f.start();
        QVERIFY(f.boxes.shown.isEmpty());
        QCOMPARE(f.read("backup.txt"), QByteArray("other copy's text\r\n"));
        QCOMPARE(f.read("backup-2.txt"), QByteArray("\r\n"));
        w.Text1->setText(QStringLiteral("mine"));
        QCOMPARE(f.read("backup-2.txt"), QByteArray("mine\r\n"));
        QCOMPARE(f.read("backup.txt"), QByteArray("other copy's text\r\n"));
    }

    void leftoversOfOtherCopiesAreOfferedOnePerStart()
    {
        // Three windows ended abnormally; each later start offers one text and says how
        // many more remain; the text restored lives on in the new copy's own file.
        Fixture f;
        f.write("backup.txt", platform::toAnsi(QStringLiteral("一つ目\r\n")));
        f.write("backup-2.txt", platform::toAnsi(QStringLiteral("二つ目\r\n")));
        f.write("backup-5.txt", platform::toAnsi(QStringLiteral("三つ目\r\n")));
        Form1 &w = f.start();
        QCOMPARE(f.boxes.shown.size(), 1);
        QVERIFY(f.boxes.shown.at(0).text.startsWith(kPrompt));
        QVERIFY(f.boxes.shown.at(0).text.contains(QStringLiteral("2件")));
        QCOMPARE(w.Text1->text(), QStringLiteral("一つ目\r\n"));
        w.mnuHakiEnd_Click();
        QVERIFY(!f.exists("backup.txt"));

        Form1 &second = f.start();
        QCOMPARE(second.Text1->text(), QStringLiteral("二つ目\r\n"));
        QVERIFY(f.boxes.shown.at(1).text.contains(QStringLiteral("1件")));
        // The claimed file is gone; its text is in this copy's own file.
        QVERIFY(!f.exists("backup-2.txt"));
        QCOMPARE(f.read("backup.txt"), platform::toAnsi(QStringLiteral("二つ目\r\n\r\n")));
        f.boxes.answers.enqueue(platform::IdNo); // the third: discarded
        second.mnuHakiEnd_Click();
        Form1 &third = f.start();
        QCOMPARE(f.boxes.shown.at(2).text, kPrompt);
        QCOMPARE(third.Text1->text(), QString());
        QVERIFY(!f.exists("backup-5.txt"));
        third.mnuHakiEnd_Click();
        f.start();
        QCOMPARE(f.boxes.shown.size(), 4); // the discard notice only
    }

    void aLiveCopysFileIsNeverOffered()
    {
        Fixture f;
        platform::FileLock running(f.path(".backup-2.txt.lock"));
        f.write("backup-2.txt", "typing\r\n");
        Form1 &w = f.start();
        QVERIFY(f.boxes.shown.isEmpty());
        w.mnuHakiEnd_Click();
        QCOMPARE(f.read("backup-2.txt"), QByteArray("typing\r\n"));
    }

    void aCopyThatCanLockNoSlotSaysSoOnceAndSharesNoFile()
    {
        // As on a file system without locks: the text goes to a file of this copy's own,
        // never to the backup.txt another copy may be writing.
        Fixture f;
        f.write("backup.txt", "another copy's text\r\n");
        platform::setLockRefusal([](const QString &) { return true; });
        Form1 &w = f.start();
        platform::setLockRefusal({});
        QCOMPARE(f.boxes.shown.size(), 1);
        QVERIFY(f.boxes.shown.at(0).text.contains(w.state.backupPath));
        QVERIFY(w.state.backupPath != f.path("backup.txt"));
        w.Text1->setText(QStringLiteral("mine"));
        w.Text1->setText(QStringLiteral("mine too"));
        QCOMPARE(f.boxes.shown.size(), 1);
        QCOMPARE(QFileInfo(w.state.backupPath).fileName().left(7), QStringLiteral("backup-"));
        QFile own(w.state.backupPath);
        QVERIFY(own.open(QIODevice::ReadOnly));
        QCOMPARE(own.readAll(), QByteArray("mine too\r\n"));
        w.mnuHakiEnd_Click();
        QVERIFY(!QFile::exists(w.state.backupPath));
        QCOMPARE(f.read("backup.txt"), QByteArray("another copy's text\r\n"));
    }

    void emptyRecoveryFileIsNoPromptForNothing()
    {
        Fixture f;
        f.write("backup.txt", QByteArray());
        f.write("backup-3.txt", QByteArray());
        f.start();
        QVERIFY(f.boxes.shown.isEmpty());
        QCOMPARE(f.read("backup.txt"), QByteArray("\r\n"));
    }

    void unusableRecoveryFileIsToldOnceAndAvoided()
    {
        // A dangling link: no prompt for nothing; the text is protected in the next file.
        Fixture f;
        QVERIFY(QFile::link(f.path("nowhere/backup.txt"), f.path("backup.txt")));
        Form1 &w = f.start();
        QCOMPARE(f.boxes.shown.size(), 1);
        QVERIFY(f.boxes.shown.at(0).text.contains(QStringLiteral("backup-2.txt")));
        w.Text1->setText(QStringLiteral("safe"));
        QCOMPARE(f.read("backup-2.txt"), QByteArray("safe\r\n"));
        QVERIFY(QFileInfo(f.path("backup.txt")).isSymLink());
        // The next start finds the text.
        f.crash();
        Form1 &again = f.start();
        QCOMPARE(again.Text1->text(), QStringLiteral("safe\r\n"));
    }

    void unreadableBackupIsLeftAlone()
    {
        Fixture f;
        QDir(f.dir.path()).mkdir("backup.txt");
        Form1 &w = f.start();
        QCOMPARE(f.boxes.shown.size(), 1); // that it cannot be used, no recovery prompt
        QVERIFY(QFileInfo(f.path("backup.txt")).isDir());
        QCOMPARE(w.Text1->text(), QString());
    }

    void commandLine_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("quoted");
        QTest::newRow("plain") << "plain.txt" << false;
        QTest::newRow("blanks unquoted") << "my notes.txt" << false;
        QTest::newRow("blanks quoted") << "my notes.txt" << true;
    }

    void commandLine()
    {
        QFETCH(QString, name);
        QFETCH(bool, quoted);
        Fixture f;
        f.write(name, "content\r\n");
        const QString path = f.path(name);
        Form1 &w = f.start(quoted ? u'"' + path + u'"' : path);
        QCOMPARE(w.Text1->text(), QStringLiteral("content"));
        QCOMPARE(w.windowTitle(), name + QStringLiteral(" - Vellit"));
        QVERIFY(!w.state.isUntitled);
        QVERIFY(!w.item("mnuBack")->isEnabled());
    }

    void windowIconComesOnceTheWindowIsShown()
    {
        Fixture f;
        Form1 &w = f.start();
        w.show();
        QTRY_VERIFY(w.windowIcon().availableSizes().contains(QSize(48, 48)));
        // It is the program's own icon, not a default one.
        QCOMPARE(w.windowIcon().pixmap(32).toImage(), appicon::icon().pixmap(32).toImage());
    }

    void missingCommandLineFileStartsEmpty()
    {
        Fixture f;
        Form1 &w = f.start(f.path("nothing here.txt"));
        QCOMPARE(w.Text1->text(), QString());
        QVERIFY(w.state.isUntitled);
        QVERIFY(f.boxes.shown.isEmpty());
    }

    void commandLineAfterRecoveryAsksFirst()
    {
        Fixture f;
        f.write("backup.txt", "restored\r\n");
        f.write("file.txt", "from disk");
        // Recovery Yes, then the save prompt: No discards the restored text.
        f.boxes.answers << platform::IdYes << platform::IdNo;
        Form1 &w = f.start(f.path("file.txt"));
        QCOMPARE(f.boxes.shown.size(), 2);
        QVERIFY(f.boxes.shown.at(1).text.startsWith(QStringLiteral("ファイル\u3000無題\u3000")));
        QCOMPARE(w.Text1->text(), QStringLiteral("from disk"));
    }

    void commandLineAfterRecoveryCancelKeepsRestoredText()
    {
        Fixture f;
        f.write("backup.txt", "restored\r\n");
        f.write("file.txt", "from disk");
        f.boxes.answers << platform::IdYes << platform::IdCancel;
        Form1 &w = f.start(f.path("file.txt"));
        QCOMPARE(w.Text1->text(), QStringLiteral("restored\r\n"));
        QVERIFY(w.state.isModified);
    }

    void changeHandlerKeepsSnapshotsAndBackup()
    {
        Fixture f;
        Form1 &w = f.start();
        w.Text1->setText(QStringLiteral("a"));
        QCOMPARE(w.state.undoTexts[0], QStringLiteral("a"));
        QCOMPARE(w.state.undoSlot, 2);
        w.Text1->setSelStart(1);
        w.Text1->setSelText(QStringLiteral("b"));
        QCOMPARE(w.state.undoTexts[1], QStringLiteral("ab"));
        QCOMPARE(w.state.undoSlot, 1);
        QCOMPARE(f.read("backup.txt"), QByteArray("ab\r\n"));
        QVERIFY(w.state.isModified);
    }

    void killedWhileTypingRecoversTheText()
    {
        Fixture f;
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(), {"--type-until-killed", f.dir.path()});
        QVERIFY(child.waitForStarted());
        // Let it type a while, then kill it mid-keystroke.
        QTRY_VERIFY_WITH_TIMEOUT(f.read("backup.txt").size() > 300, 20000);
        ::kill(child.processId(), SIGKILL);
        child.waitForFinished();
        const QByteArray backup = f.read("backup.txt");
        QVERIFY(backup.endsWith("\r\n"));

        Form1 &w = f.start();
        QCOMPARE(f.boxes.shown.size(), 1);
        QCOMPARE(f.boxes.shown.at(0).text, kPrompt);
        const QString restored = w.Text1->text();
        QCOMPARE(restored, platform::fromAnsi(backup));
        QVERIFY(restored.startsWith(QStringLiteral("あああああああああ\r\nあ")));
    }
};

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc == 3 && QByteArray(argv[1]) == "--type-until-killed")
        return runTypingChild(QString::fromLocal8Bit(argv[2]));
    TestStartup test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_startup.moc"
