# Sourced by the end-to-end scripts: an Xvfb display of its own, openbox on it, and the
# wait for a visible window. The caller's cleanup kills $xvfb and $wm.

# Starts Xvfb on a free display (it writes the number to fd 3) and exports DISPLAY.
# -noreset: by default the server resets when its last client leaves, and a client that
# connects during the reset (the editor started right after a probe, or after the editor
# was killed) is refused.
start_xvfb() { # work-dir [screen]
    local screen=${2:-1280x1024x24}
    Xvfb -displayfd 3 -noreset -screen 0 "$screen" -nolisten tcp \
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

# Runs a command until it succeeds; fails after WAIT_SECONDS (10 s unless set for the
# call). Every step waits for a sign that it was processed, never for a fixed time.
wait_until() { # command...
    for _ in $(seq $((${WAIT_SECONDS:-10} * 10))); do
        "$@" && return 0
        sleep 0.1
    done
    echo "FAIL: timed out waiting for: $*"
    return 1
}

# Gives a character a key of its own in the display's keymap. xdotool types a character
# missing from the keymap by remapping a key for a moment, and a client that reads the
# keymap after the remap was undone receives the wrong character.
bind_character() { # U+hex, as U65E5
    local free
    free=$(xmodmap -pke | awk 'NF == 3 && $2 > 8 && !free { free = $2 } END { print free }')
    xmodmap -e "keycode $free = $1"
}

# The window manager has framed the window (it sets the frame's extents).
framed() { # window
    xprop -id "$1" _NET_FRAME_EXTENTS 2>/dev/null | grep -q '='
}

# The outer frame's geometry, "X Y W H", from the client geometry and the frame extents.
frame_geometry() { # window
    local left right top bottom x y w h
    read -r left right top bottom < <(xprop -id "$1" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
    # xwininfo's absolute position of a reparented client (xdotool's counts the frame twice).
    x=$(xwininfo -id "$1" | sed -n 's/.*Absolute upper-left X: *//p')
    y=$(xwininfo -id "$1" | sed -n 's/.*Absolute upper-left Y: *//p')
    w=$(xwininfo -id "$1" | sed -n 's/^ *Width: *//p')
    h=$(xwininfo -id "$1" | sed -n 's/^ *Height: *//p')
    echo "$((x - left)) $((y - top)) $((w + left + right)) $((h + top + bottom))"
}

# A work folder holding a copy of the editor, an X display with openbox on it, and a
# cleanup at exit that ends the editor ($app, when set), the window manager and the
# display. Sets work, and exports QT_QPA_PLATFORM for X.
start_desktop() { # vellit [screen]
    work=$(mktemp -d)
    cp "$1" "$work/vellit"
    app=
    wm=
    xvfb=
    trap stop_desktop EXIT
    start_xvfb "$work" "${2:-}"
    export QT_QPA_PLATFORM=xcb
    start_openbox
}

stop_desktop() {
    [ -n "$app" ] && kill -9 "$app" 2>/dev/null || true
    [ -n "$wm" ] && kill "$wm" 2>/dev/null || true
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null || true
    rm -rf "$work"
}
