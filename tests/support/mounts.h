// Real file systems and users for tests: a small tmpfs mounted for one test, and a
// command run as the unprivileged user "nobody". Both need root; tests skip otherwise.
#pragma once

#include <QDir>
#include <QProcess>
#include <QStringList>

#include <unistd.h>

class SmallMount
{
public:
    explicit SmallMount(const QString &dir, const QString &options) : m_dir(dir)
    {
        QDir().mkpath(dir);
        m_ok = ::geteuid() == 0 &&
               QProcess::execute("mount", {"-t", "tmpfs", "-o", options, "tmpfs", dir}) == 0;
    }
    ~SmallMount()
    {
        if (m_ok)
            QProcess::execute("umount", {"-l", m_dir});
    }
    bool ok() const { return m_ok; }
    bool remountReadOnly() { return QProcess::execute("mount", {"-o", "remount,ro", m_dir}) == 0; }
    bool remountWritable() { return QProcess::execute("mount", {"-o", "remount,rw", m_dir}) == 0; }

private:
    QString m_dir;
    bool m_ok = false;
};

/// The uid and gid of "nobody", used to run a command without privileges.
constexpr int kNobody = 65534;

inline bool canDropPrivileges()
{
    return ::geteuid() == 0 && QProcess::execute("setpriv", {"--reuid=65534", "--regid=65534",
                                                             "--clear-groups", "true"}) == 0;
}

/// Runs program with args as nobody; returns its exit code (-1 when it did not run).
inline int runAsNobody(const QString &program, const QStringList &args)
{
    return QProcess::execute(
        "setpriv", QStringList{"--reuid=65534", "--regid=65534", "--clear-groups", program} + args);
}
