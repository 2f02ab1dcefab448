// The recovery files of the running copies. Each copy keeps its text in a file of its
// own, in the first slot whose lock no other copy holds: slot 0 is backup.txt (a copy
// running alone behaves as it always has), slot n is backup-(n+1).txt. The lock is held
// for the whole run and dropped by the kernel however the copy ends, so a slot's file
// whose lock nobody holds was left by a copy that did not end normally.
#pragma once

#include <QString>
#include <memory>

namespace platform {
class FileLock;
}

namespace recoveryfiles {

/// How many slots there are.
constexpr int kSlots = 64;

/// backup.txt, backup-2.txt, backup-3.txt …
QString fileName(int slot);
/// The lock file of a slot: .backup.txt.lock, .backup-2.txt.lock …
QString lockName(int slot);
/// The recovery file and the lock file of a slot in the data directory.
QString path(int slot);
QString lockPath(int slot);

enum class State {
    Missing,  // no such file, or an empty one: no text to offer
    Usable,   // a regular file that can be read
    Unusable, // a dangling link, a directory, an unreadable file
};

/// What is at path; bytes receives a usable file's content.
State stateOf(const QString &path, QByteArray *bytes = nullptr);

/// The lock of a slot whose usable file was left by a copy that ended abnormally (no
/// running copy holds the lock), now held by the caller; nullptr for any other slot.
std::unique_ptr<platform::FileLock> claimLeftover(int slot);

} // namespace recoveryfiles
