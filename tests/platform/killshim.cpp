// Preloaded into a child process: kills it with SIGKILL at the n-th call of one file
// operation, named in VELLIT_KILL_AT as "name:n", before that call runs. It shows what
// a write leaves behind when the program dies at that step.
#include <dlfcn.h>
#include <fcntl.h>
#include <signal.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

void maybeKill(const char *name)
{
    static int calls = 0;
    const char *wanted = getenv("VELLIT_KILL_AT");
    if (!wanted)
        return;
    const char *colon = strchr(wanted, ':');
    if (!colon || strncmp(wanted, name, size_t(colon - wanted)) != 0 ||
        strlen(name) != size_t(colon - wanted))
        return;
    if (++calls == atoi(colon + 1))
        kill(getpid(), SIGKILL);
}

template <typename F> F next(const char *name)
{
    return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

} // namespace

extern "C" {

ssize_t pwrite(int fd, const void *buf, size_t n, off_t offset)
{
    maybeKill("pwrite");
    return next<ssize_t (*)(int, const void *, size_t, off_t)>("pwrite")(fd, buf, n, offset);
}

ssize_t pwrite64(int fd, const void *buf, size_t n, off_t offset)
{
    maybeKill("pwrite");
    return next<ssize_t (*)(int, const void *, size_t, off_t)>("pwrite64")(fd, buf, n, offset);
}

int fchmod(int fd, mode_t mode)
{
    maybeKill("fchmod");
    return next<int (*)(int, mode_t)>("fchmod")(fd, mode);
}

int fsync(int fd)
{
    maybeKill("fsync");
    return next<int (*)(int)>("fsync")(fd);
}

int linkat(int olddirfd, const char *oldpath, int newdirfd, const char *newpath, int flags)
{
    maybeKill("linkat");
    return next<int (*)(int, const char *, int, const char *, int)>("linkat")(
        olddirfd, oldpath, newdirfd, newpath, flags);
}

int close(int fd)
{
    maybeKill("close");
    return next<int (*)(int)>("close")(fd);
}

int rename(const char *oldpath, const char *newpath)
{
    maybeKill("rename");
    return next<int (*)(const char *, const char *)>("rename")(oldpath, newpath);
}

int renameat2(int olddirfd, const char *oldpath, int newdirfd, const char *newpath,
              unsigned int flags)
{
    maybeKill("renameat2");
    return next<int (*)(int, const char *, int, const char *, unsigned int)>("renameat2")(
        olddirfd, oldpath, newdirfd, newpath, flags);
}

int ftruncate(int fd, off_t length)
{
    maybeKill("ftruncate");
    return next<int (*)(int, off_t)>("ftruncate")(fd, length);
}

int ftruncate64(int fd, off_t length)
{
    maybeKill("ftruncate");
    return next<int (*)(int, off_t)>("ftruncate64")(fd, length);
}

} // extern "C"
