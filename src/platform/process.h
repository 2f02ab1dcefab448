// The running program: where it lives, where it keeps Conf.ini and backup.txt, and
// whether another copy was already running when it started.
#pragma once

#include <QString>
#include <QStringView>
#include <functional>
#include <optional>

namespace platform {

/// The settings file's name, in dataDir().
inline constexpr QStringView kSettingsFileName = u"Conf.ini";

/// The directory that holds the executable.
QString programDir();

/// The user's own directory for the program's files (~/.config/Vellit).
QString userDataDir();

/// Where Conf.ini and backup.txt live for the whole run: the program directory when it
/// can be written at the first call, else userDataDir(), which then receives a copy of
/// a Conf.ini left in the program directory when it has none of its own.
QString dataDir();

/// Points programDir() at a directory of the caller's (tests) and lets dataDir() be
/// decided anew; an empty path restores the real location.
void setProgramDirOverride(const QString &dir);

/// Joins a directory and a file name with "/".
QString pathIn(const QString &dir, const QString &fileName);

/// A lock on a lock file (created when missing), held until the object is destroyed;
/// the kernel drops it when the process ends, however it ends, so a crashed copy never
/// counts as running. Two locks taken in one process on one file exclude each other as
/// between processes, and the lock holds on NFS.
class FileLock
{
public:
    enum class Kind {
        /// Taken without waiting, by one process at a time; a private lock file.
        Exclusive,
        /// Held by every running copy at once; it tells whether another held one when it
        /// was taken. Its lock file is one any user's copy may open.
        Shared,
    };

    explicit FileLock(const QString &lockFilePath, Kind kind = Kind::Exclusive);
    ~FileLock();
    FileLock(const FileLock &) = delete;
    FileLock &operator=(const FileLock &) = delete;

    /// Whether this process holds the lock (an exclusive one: no other held it).
    bool held() const { return m_fd >= 0; }
    /// Whether another process held a lock on the file when this one was taken.
    bool otherWasHeld() const { return m_otherWasHeld; }

private:
    int m_fd = -1;
    bool m_otherWasHeld = false;
};

/// Makes every FileLock fail on the lock files for which refuses(path) is true, as on a
/// file system without locks (tests); an empty function restores real locks.
void setLockRefusal(std::function<bool(const QString &lockFilePath)> refuses);

/// This process's id, and the name of the host it runs on.
qint64 processId();
QString hostName();
/// Whether a process of that id runs on this host.
bool isRunning(qint64 pid);

/// Ends the program at once: leaves the event loop without closing any window.
void endProgram();
/// Replaces what endProgram() does (tests); an empty function restores it.
void setEndProgram(std::function<void()> end);

/// Whether another copy was running when this one started: taken once, on the first
/// call, with a lock file in dataDir(), and the same answer ever after.
bool previousInstance();

/// Points previousInstance() at a fixed answer (tests); nullopt restores the real one.
void setPreviousInstanceOverride(std::optional<bool> answer);

} // namespace platform
