# Sourced by the end-to-end scripts: an Xvfb display of its own, openbox on it, and the
# wait for a visible window. The caller's cleanup kills $xvfb and $wm.

# Starts Xvfb on a free display (it writes the number to fd 3) and exports DISPLAY.
# -noreset: by default the server resets when its last client leaves, and a client that
# connects during the reset (the editor started right after a probe, or after the editor
# was killed) is refused.
start_xvfb() { # work-dir [screen]
    Xvfb -displayfd 3 -noreset -screen 0 "${2:-1280x1024x24}" -nolisten tcp \
        3>"$1/display" >/dev/null 2>&1 &
    xvfb=$!
    for _ in $(seq 200); do [ -s "$1/display" ] && break; sleep 0.05; done
    [ -s "$1/display" ] || {
        echo "FAIL: Xvfb did not start"
        return 1
    }
    export DISPLAY=:$(head -1 "$1/display")
}

start_openbox() {
    openbox --sm-disable >/dev/null 2>&1 &
    wm=$!
    for _ in $(seq 100); do wmctrl -m >/dev/null 2>&1 && break; sleep 0.05; done
}

# Sets win to the first visible window whose name matches; fails after 10 s.
wait_window() { # name-pattern
    win=
    for _ in $(seq 100); do
        win=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1) || true
        [ -n "$win" ] && return 0
        sleep 0.1
    done
    echo "FAIL: no window named '$1'"
    return 1
}

# Answers the recovery prompt, shown before the editor's window, with a key; then waits
# for the editor's window and sets win to it.
answer_recovery() { # key
    wait_window '^Vellit$'
    xdotool windowfocus --sync "$win"
    xdotool key "$1"
    wait_window ' - Vellit'
}
