// Key press to the first pixel changed: starts a program, waits for its window, gives
// it the keyboard focus, then sends keys through XTest (an "a", then BackSpace, so the
// document keeps its size) and times each from the key press to the window's first
// damage (XDamage). Prints each time in milliseconds, one per line; then ends the
// program. Every key waits for its damage (at most one second) and for the interval.
//   keytopixel KEYS INTERVAL-MS NAME-PART PROGRAM [ARGS...]
#include "xwindow.h"

#include <X11/extensions/XTest.h>
#include <X11/extensions/Xdamage.h>
#include <X11/keysym.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <poll.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

// Waits for the first damage event of the window; false after the timeout.
bool waitForDamage(Display *d, int damageEvent, Clock::time_point until)
{
    for (;;) {
        while (XPending(d)) {
            XEvent e;
            XNextEvent(d, &e);
            if (e.type == damageEvent + XDamageNotify)
                return true;
        }
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(until - Clock::now());
        if (left.count() <= 0)
            return false;
        pollfd fd{ConnectionNumber(d), POLLIN, 0};
        poll(&fd, 1, int(left.count()));
    }
}

// Drops every damage reported so far, so that the next event is the key's own.
void clearDamage(Display *d, Damage damage)
{
    XDamageSubtract(d, damage, None, None);
    XSync(d, False);
    while (XPending(d)) {
        XEvent e;
        XNextEvent(d, &e);
    }
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 5)
        return 2;
    const int keys = std::atoi(argv[1]);
    const auto interval = std::chrono::milliseconds(std::atoi(argv[2]));
    Display *d = XOpenDisplay(nullptr);
    int damageEvent = 0, damageError = 0, major = 0, minor = 0, xtestEvent = 0, xtestError = 0;
    if (!d || !XDamageQueryExtension(d, &damageEvent, &damageError) ||
        !XTestQueryExtension(d, &xtestEvent, &xtestError, &major, &minor))
        return 2;
    const pid_t pid = fork();
    if (pid == 0) {
        execvp(argv[4], argv + 4);
        _exit(127);
    }
    Window window = None;
    while ((window = findViewable(d, DefaultRootWindow(d), argv[3])) == None)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    // Let the first frames and any start-up work finish before the first key.
    std::this_thread::sleep_for(std::chrono::seconds(1));
    XSetInputFocus(d, window, RevertToParent, CurrentTime);
    const Damage damage = XDamageCreate(d, window, XDamageReportNonEmpty);
    const KeyCode letter = XKeysymToKeycode(d, XK_a);
    const KeyCode backSpace = XKeysymToKeycode(d, XK_BackSpace);
    int missed = 0;
    for (int i = 0; i < keys; ++i) {
        clearDamage(d, damage);
        const KeyCode key = i % 2 == 0 ? letter : backSpace;
        const auto sent = Clock::now();
        XTestFakeKeyEvent(d, key, True, CurrentTime);
        XTestFakeKeyEvent(d, key, False, CurrentTime);
        XFlush(d);
        if (waitForDamage(d, damageEvent, sent + std::chrono::seconds(1)))
            std::printf("%.3f\n",
                        std::chrono::duration<double, std::milli>(Clock::now() - sent).count());
        else
            ++missed;
        std::this_thread::sleep_until(sent + interval);
    }
    std::fflush(stdout);
    if (missed > 0)
        std::fprintf(stderr, "%d keys drew nothing within a second\n", missed);
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    XCloseDisplay(d);
    return 0;
}
