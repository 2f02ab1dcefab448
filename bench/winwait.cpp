// Starts a program, polls the X server every 0.2 ms until a viewable window whose name
// contains the given text exists, then until text is drawn in it (when the program was
// given a document), and prints the milliseconds to each and the program's resident
// memory in KiB once it has settled; then ends the program.
//   winwait NAME-PART SETTLE-MS PROGRAM [DOCUMENT]
#include "xwindow.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

static long residentKiB(pid_t pid)
{
    const std::string path = "/proc/" + std::to_string(pid) + "/status";
    FILE *f = std::fopen(path.c_str(), "r");
    if (!f)
        return -1;
    char line[256];
    long kib = -1;
    while (std::fgets(line, sizeof line, f)) {
        if (std::strncmp(line, "VmRSS:", 6) == 0)
            kib = std::atol(line + 6);
    }
    std::fclose(f);
    return kib;
}

int main(int argc, char *argv[])
{
    if (argc < 4)
        return 2;
    Display *d = XOpenDisplay(nullptr);
    if (!d)
        return 2;
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        execvp(argv[3], argv + 3);
        _exit(127);
    }
    const auto since = [&start] {
        return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
            .count();
    };
    // An X error (the window's image asked for while it changes) is no reason to stop.
    XSetErrorHandler([](Display *, XErrorEvent *) { return 0; });
    Window window = None;
    while ((window = findViewable(d, DefaultRootWindow(d), argv[1])) == None)
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    const double shown = since();
    double drawn = shown;
    if (argc > 4) {
        while (!textDrawn(d, window))
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        drawn = since();
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(std::atoi(argv[2])));
    std::printf("%.1f %.1f %ld\n", shown, drawn, residentKiB(pid));
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    return 0;
}
