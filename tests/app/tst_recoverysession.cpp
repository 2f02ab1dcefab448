// Crash recovery without a window: several sessions in one process over a real
// directory stand for several running copies (their locks exclude each other as between
// processes); a session destroyed without end() is a copy that crashed.
#include "app/recoverysession.h"
#include "platform/process.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <vector>

namespace {

struct Dir
{
    QTemporaryDir data;
    QTemporaryDir program;
    QString path(const QString &name) const { return data.filePath(name); }
    void write(const QString &name, const QByteArray &bytes) const
    {
        QFile f(path(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray read(const QString &name) const
    {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    bool exists(const QString &name) const { return QFile::exists(path(name)); }
    std::unique_ptr<RecoverySession> start() const
    {
        return std::make_unique<RecoverySession>(data.path(), program.path());
    }
};

QString unlockedName(qint64 pid)
{
    return QStringLiteral("backup-%1@%2.txt").arg(pid).arg(platform::hostName());
}

} // namespace

class TestRecoverySession : public QObject
{
    Q_OBJECT
private slots:
    void copiesTakeSlotsInOrderAndACrashedOnesTextComesBack()
    {
        Dir d;
        auto a = d.start();
        auto b = d.start();
        QCOMPARE(a->path(), d.path("backup.txt"));
        QCOMPARE(b->path(), d.path("backup-2.txt"));
        QVERIFY(!a->offer() && !b->offer());
        a->write("a's text\r\n");
        b->write("b's text\r\n");
        b.reset(); // crashed
        // A live copy's file is never offered; the crashed one's is, to one copy only.
        auto c = d.start();
        auto later = d.start();
        const auto offer = c->offer();
        QVERIFY(offer);
        QCOMPARE(offer->bytes, QByteArray("b's text\r\n"));
        QCOMPARE(offer->waiting, 0);
        QVERIFY(!later->offer());
        a->end();
        QVERIFY(!d.exists("backup.txt"));
        QCOMPARE(d.read("backup-2.txt"), QByteArray("b's text\r\n"));
    }

    void aClaimedLeftoverGoesOnlyOnceTheOwnFileHoldsItsText()
    {
        Dir d;
        d.write("backup-5.txt", "left\r\n");
        d.write("backup-7.txt", "also left\r\n");
        auto s = d.start();
        QCOMPARE(s->path(), d.path("backup.txt"));
        // Another copy starting meanwhile finds the leftovers claimed.
        auto other = d.start();
        QVERIFY(!other->offer());
        const auto offer = s->offer();
        QVERIFY(offer);
        QCOMPARE(offer->source, d.path("backup-5.txt"));
        QCOMPARE(offer->waiting, 1);
        // The own file does not hold the text (its write failed): the leftover stays.
        QVERIFY(!s->restored("left\r\n"));
        QVERIFY(d.exists("backup-5.txt"));
        QVERIFY(s->write("left\r\n").isEmpty());
        QVERIFY(s->restored("left\r\n"));
        QVERIFY(!d.exists("backup-5.txt"));
        // The one not offered is free for the next copy once this one has offered.
        auto next = d.start();
        const auto second = next->offer();
        QVERIFY(second);
        QCOMPARE(second->source, d.path("backup-7.txt"));
        next->declined();
        QVERIFY(!d.exists("backup-7.txt"));
    }

    void ownFileIsOfferedAndTheOthersWait()
    {
        Dir d;
        d.write("backup.txt", "mine\r\n");
        d.write("backup-3.txt", "another\r\n");
        {
            auto s = d.start();
            const auto offer = s->offer();
            QVERIFY(offer);
            QCOMPARE(offer->source, d.path("backup.txt"));
            QCOMPARE(offer->waiting, 1);
            s->declined(); // the own file is not removed by a No: it is reset by its owner
            QVERIFY(d.exists("backup.txt"));
            // Offering released the others: a copy started now may offer them.
            auto other = d.start();
            QVERIFY(other->offer());
        }
    }

    void anExtraWindowsEmptyFileGoesWithoutAPrompt()
    {
        Dir d;
        d.write("backup-3.txt", "\r\n");
        auto s = d.start();
        QVERIFY(!s->offer());
        QVERIFY(!d.exists("backup-3.txt"));
        s->end();
        s.reset();
        // backup.txt, as a copy running alone has always had it, is offered even empty.
        d.write("backup.txt", "\r\n");
        auto single = d.start();
        QVERIFY(single->offer());
    }

    void withoutLocksEveryCopyKeepsAFileOfItsOwn()
    {
        Dir d;
        d.write("backup.txt", "a slot file another host's copy may hold\r\n");
        platform::setLockRefusal([](const QString &) { return true; });
        auto s = d.start();
        platform::setLockRefusal({});
        QVERIFY(s->unlocked());
        QCOMPARE(s->path(), d.path(unlockedName(platform::processId())));
        QVERIFY(!s->offer()); // slot files are not anyone's to offer without locks
        QVERIFY(s->write("protected\r\n").isEmpty());
        QCOMPARE(d.read(unlockedName(platform::processId())), QByteArray("protected\r\n"));
        s->end();
        QVERIFY(!d.exists(unlockedName(platform::processId())));
        QCOMPARE(d.read("backup.txt"), QByteArray("a slot file another host's copy may hold\r\n"));
    }

    void anUnlockedCopysFileIsOfferedOnceItsProcessIsGone()
    {
        Dir d;
        const qint64 gone = 0x7FFFFFF0; // beyond any pid this system hands out
        QVERIFY(!platform::isRunning(gone));
        d.write(unlockedName(gone), "unlocked crash\r\n");
        d.write(unlockedName(1), "pid 1 still runs\r\n");
        d.write(QStringLiteral("backup-%1@elsewhere.example.txt").arg(gone), "other host\r\n");
        auto s = d.start();
        const auto offer = s->offer();
        QVERIFY(offer);
        QCOMPARE(offer->bytes, QByteArray("unlocked crash\r\n"));
        QCOMPARE(offer->waiting, 0);
        // Claimed by a rename, so that no other copy can take it too.
        QVERIFY(!d.exists(unlockedName(gone)));
        QVERIFY(s->write("unlocked crash\r\n").isEmpty());
        QVERIFY(s->restored("unlocked crash\r\n"));
        QVERIFY(!QFile::exists(offer->source));
        QVERIFY(d.exists(unlockedName(1)));
        QVERIFY(d.exists(QStringLiteral("backup-%1@elsewhere.example.txt").arg(gone)));
    }

    void theSixtyFifthCopySharesNoFile()
    {
        Dir d;
        std::vector<std::unique_ptr<RecoverySession>> copies;
        for (int i = 0; i < RecoverySession::kSlots; ++i) {
            copies.push_back(d.start());
            QVERIFY(!copies.back()->unlocked());
        }
        QCOMPARE(copies.back()->path(), d.path("backup-64.txt"));
        auto extra = d.start();
        QVERIFY(extra->unlocked());
        for (const auto &c : copies)
            QVERIFY(c->path() != extra->path());
        // The last slot's copy keeps its file whatever the extra one does.
        copies.back()->write("slot 64\r\n");
        extra->write("extra\r\n");
        extra->end();
        QCOMPARE(d.read("backup-64.txt"), QByteArray("slot 64\r\n"));
    }

    void aFileThatCannotHoldTextIsPassedOver()
    {
        Dir d;
        QVERIFY(QDir(d.data.path()).mkdir("backup.txt"));
        auto s = d.start();
        QCOMPARE(s->unusable(), d.path("backup.txt"));
        QCOMPARE(s->path(), d.path("backup-2.txt"));
        QVERIFY(!s->offer());
    }
};

QTEST_GUILESS_MAIN(TestRecoverySession)
#include "tst_recoverysession.moc"
