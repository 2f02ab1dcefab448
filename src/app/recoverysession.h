// This copy's part in crash recovery. Each running copy keeps its text in a file of its
// own, in the first slot whose lock no other copy holds: slot 0 is backup.txt (a copy
// running alone behaves as it always has), slot n is backup-(n+1).txt. The lock is held
// for the whole run and dropped by the kernel however the copy ends, so a slot's file
// whose lock nobody holds was left by a copy that did not end normally: a leftover, which
// one later start claims (by its lock) and offers. Where no slot can be locked (every
// slot taken, or a file system without locks) the copy keeps its text in a file under a
// name of its own, marked with its host and process, never in a shared one.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

namespace platform {
class FileLock;
}

class RecoverySession
{
public:
    /// How many locked slots there are.
    static constexpr int kSlots = 64;

    /// Takes this copy's slot in dataDir, removes the stray temporaries of every recovery
    /// file whose copy is not running, and reads each leftover once. programDir is where
    /// an older backup.txt may have been left behind.
    RecoverySession(const QString &dataDir, const QString &programDir);
    ~RecoverySession();
    RecoverySession(const RecoverySession &) = delete;
    RecoverySession &operator=(const RecoverySession &) = delete;

    /// This copy's recovery file.
    QString path() const { return m_path; }
    /// No slot could be locked: the text is kept in a file of this copy's own.
    bool unlocked() const { return m_lock == nullptr; }
    /// A recovery file passed over because it cannot hold text (a dangling link, a
    /// directory, an unreadable file), or empty.
    QString unusable() const { return m_unusable; }

    /// A text to offer: its file, its bytes, and how many more wait for later starts.
    struct Offer
    {
        QString source;
        QByteArray bytes;
        int waiting = 0;
    };
    /// The text to offer at this start: this copy's own file, else a backup.txt left in
    /// the program directory (offered once), else the first leftover of another copy.
    std::optional<Offer> offer();
    /// The user declined the offered text: another copy's file is removed.
    void declined();
    /// The offered text was restored and written to this copy's own file as ownBytes.
    /// Another copy's file is removed once this copy's own file reads back as ownBytes;
    /// false when it does not, and the other file stays.
    bool restored(const QByteArray &ownBytes);

    /// Rewrites this copy's file. Returns the reason of a failed write the first time
    /// one fails (the user is told once), else empty.
    QString write(const QByteArray &bytes);
    /// A normal end: this copy's file is removed.
    void end();

    enum class FileState {
        Missing,  // no such file, or an empty one: no text to offer
        Usable,   // a regular file that can be read
        Unusable, // a dangling link, a directory, an unreadable file
    };

private:
    /// A file left by a copy that ended abnormally, read once; its lock is held while
    /// it waits to be offered (none for an unlocked copy's file, claimed by renaming).
    struct Leftover
    {
        QString path;
        QByteArray bytes;
        std::unique_ptr<platform::FileLock> lock;
    };
    void claimSlot();
    void findLeftovers(const QStringList &names);
    std::optional<Offer> choose();

    QString m_dir;
    QString m_programDir;
    QString m_path;
    QString m_unusable;
    FileState m_ownState = FileState::Missing;
    QByteArray m_ownBytes;
    std::unique_ptr<platform::FileLock> m_lock;
    std::vector<Leftover> m_leftovers;
    std::optional<Leftover> m_offered;
    bool m_failureTold = false;
};
