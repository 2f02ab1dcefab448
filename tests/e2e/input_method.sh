#!/usr/bin/env bash
# The real editor with a real Japanese input method: Mozc under fcitx5 (KDE and most
# others) or under ibus (GNOME's), on Xvfb with openbox. Mozc refuses to run as root, so
# the session bus, the input method and the editor run as "nobody" with a private HOME
# and runtime directory.
# Checks: a conversion committed with Return is one change that reaches backup.txt;
# pre-edit changes nothing; Escape cancels a composition over a selection and leaves the
# text and backup as they were, a commit replaces the selection; 〜 typed through Mozc
# saves as the Shift-JIS bytes 81 60; in viewing mode a commit changes nothing.
# The candidate window opens beside the caret; a screenshot of it is left in SHOT-DIR.
# Usage: input_method.sh VELLIT fcitx5|ibus SHOT-DIR
set -euo pipefail
. "$(dirname "$0")/lib.sh"
vellit=$1
framework=$2
shots=$3
if [ "$(id -u)" -ne 0 ] || ! command -v "$framework" >/dev/null || ! command -v setpriv >/dev/null ||
    [ ! -e /usr/lib/mozc/mozc_server ]; then
    echo "SKIPPED: needs root (to act as nobody), $framework, its Mozc and setpriv"
    exit 0
fi
work=$(mktemp -d)
chmod 755 "$work"
mkdir -p "$work/home/.config/fcitx5" "$work/home/.config/mozc" "$work/run" "$work/prog"
cat >"$work/home/.config/fcitx5/profile" <<'PROFILE'
[Groups/0]
Name=Default
Default Layout=us
DefaultIM=mozc

[Groups/0/Items/0]
Name=keyboard-us
Layout=

[Groups/0/Items/1]
Name=mozc
Layout=

[GroupOrder]
0=Default
PROFILE
# Under ibus, Mozc starts in Hiragana as it does under fcitx5 (its own default is direct
# input until the user switches).
cat >"$work/home/.config/mozc/ibus_config.textproto" <<'MOZC'
engines {
  name: "mozc-jp"
  longname: "Mozc"
  layout: "default"
  layout_variant: ""
  layout_option: ""
  rank: 80
}
active_on_launch: True
MOZC
cp "$vellit" "$work/prog/vellit"
# The user runs it from a folder of its own: the source tree may not be readable to it.
cp "$(dirname "$0")/atspi.py" "$work/prog/atspi.py"
# Everything below happens at the end of a long second line: 3000 characters of ASCII and
# kana (4500 bytes in Shift-JIS) before the "x", so that the view is scrolled far to the
# right, and below a first line, so that the caret's line is not the first.
python3 -c 'import sys; sys.stdout.buffer.write(("top\r\n" + "abcあいう" * 500 + "x\r\n").encode("cp932"))' \
    >"$work/prog/doc.txt"
chown -R 65534:65534 "$work/home" "$work/run" "$work/prog"
chmod 700 "$work/run"

xvfb=
wm=
bus_pid=
app=
input_method_processes='fcitx5|ibus|mozc_server'
cleanup() {
    [ -n "$app" ] && kill -9 "$app" 2>/dev/null || true
    pkill -u 65534 -f "$input_method_processes" 2>/dev/null || true
    # An input method still writes into its HOME as it shuts down: the folder is removed
    # once they have all gone.
    for _ in $(seq 50); do
        pgrep -u 65534 -f "$input_method_processes" >/dev/null || break
        sleep 0.1
    done
    pkill -9 -u 65534 -f "$input_method_processes" 2>/dev/null || true
    [ -n "$bus_pid" ] && kill "$bus_pid" 2>/dev/null || true
    kill "$wm" "$xvfb" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
start_xvfb "$work" 1280x900x24
start_openbox

bus=
as_nobody() {
    setpriv --reuid=65534 --regid=65534 --clear-groups env -i PATH="$PATH" HOME="$work/home" \
        XDG_RUNTIME_DIR="$work/run" XDG_CONFIG_HOME="$work/home/.config" DISPLAY="$DISPLAY" \
        DBUS_SESSION_BUS_ADDRESS="$bus" LANG=C.UTF-8 "$@"
}
{
    read -r bus
    read -r bus_pid
} < <(as_nobody dbus-daemon --session --fork --print-address=1 --print-pid=1)
case $framework in
fcitx5)
    as_nobody fcitx5 -d \
        --disable=wayland,waylandim,xim,ibusfrontend,notificationitem,kimpanel,clipboard \
        >"$work/im.log" 2>&1
    wait_until as_nobody fcitx5-remote >/dev/null 2>&1 || { echo "FAIL: fcitx5 did not start"; exit 1; }
    im_module=fcitx
    candidate_class=fcitx
    # fcitx5-remote prints 2 while the input method is active for the focused window, 1
    # while it is not.
    ime_is() { [ "$(as_nobody fcitx5-remote)" = "$1" ]; }
    ime_on() { as_nobody fcitx5-remote -o; wait_until ime_is 2; }
    ime_off() { as_nobody fcitx5-remote -c; wait_until ime_is 1; }
    ;;
ibus)
    # The in-memory configuration: no dconf service on this bus. The panel (ibus-ui-gtk3)
    # shows the candidate window.
    as_nobody ibus-daemon --daemonize --replace --config=/usr/libexec/ibus-memconf \
        >"$work/im.log" 2>&1
    wait_until as_nobody ibus engine >/dev/null 2>&1 || { echo "FAIL: ibus did not start"; exit 1; }
    im_module=ibus
    candidate_class=mozc_renderer # Mozc draws its candidates itself under ibus
    ime_is() { [ "$(as_nobody ibus engine 2>/dev/null)" = "$1" ]; }
    # "ibus engine NAME" exits with 1 even when it switched: the engine named is the sign.
    ime_on() { as_nobody ibus engine mozc-jp || true; wait_until ime_is mozc-jp; }
    ime_off() { as_nobody ibus engine xkb:us::eng || true; wait_until ime_is xkb:us::eng; }
    ;;
esac

# The backup after the first line and the long line's first 4500 bytes.
backup() { tail -c +4506 "$work/prog/backup.txt" | od -An -c | tr -s ' \n' ' '; }
backup_is() { [ "$(backup)" = "$1" ]; }
expect_backup() { # expected od -c form, what
    wait_until backup_is "$1" >/dev/null && return 0
    echo "FAIL: $2: backup is '$(backup)', expected '$1'"
    exit 1
}

as_nobody env QT_IM_MODULE=$im_module QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$work/prog/vellit" "$work/prog/doc.txt" \
    >"$work/app.log" 2>&1 &
app=$!
wait_window 'doc.txt - Vellit' || {
    cat "$work/app.log"
    exit 1
}
xdotool windowactivate --sync "$win"
# Replace "x" by "abcdef" typed directly, then select "def".
ime_off
xdotool key ctrl+End BackSpace
xdotool type --delay 40 abcdef
expect_backup " a b c d e f \r \n " "direct typing"
xdotool key shift+Left shift+Left shift+Left
# The caret and selection as a screen reader reads them: the signs that the input
# method's pre-edit and its cancel have reached the text area.
caret() { as_nobody /usr/bin/python3 "$work/prog/atspi.py" caret '本文'; }
caret_is() { [ "$(caret)" = "$1" ]; }
wait_until caret_is "3007 3007-3010" || { echo "FAIL: selection before composing: $(caret)"; exit 1; }
ime_on
xdotool type --delay 80 de
# Composing over a selection: the caret stands at its start while the text keeps it.
wait_until caret_is "3007 " || { echo "FAIL: no pre-edit at the selection's start: $(caret)"; exit 1; }
expect_backup " a b c d e f \r \n " "pre-edit over a selection"
xdotool key Escape
wait_until caret_is "3007 3007-3010" || { echo "FAIL: selection not back after a cancel: $(caret)"; exit 1; }
expect_backup " a b c d e f \r \n " "cancelled composition"
xdotool type --delay 80 de
xdotool key Return
expect_backup " a b c 202 305 \r \n " "commit over the selection (で)"

# A conversion committed with Return. The pauses pace Mozc, which converts
# asynchronously and gives no sign of it; the result is checked below.
xdotool type --delay 80 nihongo
sleep 0.3
xdotool key space
sleep 0.5
xdotool key Return
expect_backup " a b c 202 305 223 372 226 { 214 352 \r \n " "converted 日本語"

# The candidate window opens within a line of the caret: its top edge no further than
# one line below the line's bottom (or its bottom edge a line above the line's top).
read -r cx cy cw ch < <(as_nobody /usr/bin/python3 "$work/prog/atspi.py" extents '本文')
# That character is the one found under its middle, as a screen reader's mouse review asks.
under=$(as_nobody /usr/bin/python3 "$work/prog/atspi.py" at $((cx + cw / 2)) $((cy + ch / 2)) '本文')
read -r offset _ < <(caret)
[ "$under" = $((offset - 1)) ] ||
    { echo "FAIL: under the character before the caret ($((offset - 1))): $under"; exit 1; }
xdotool type --delay 80 kanji
sleep 0.3
xdotool key space
sleep 0.3
xdotool key space
candidates() { xdotool search --onlyvisible --class "$candidate_class" 2>/dev/null | tail -1; }
wait_until candidates >/dev/null || { echo "FAIL: no candidate window"; exit 1; }
sleep 0.3 # the window is placed after it is mapped
eval "$(xdotool getwindowgeometry --shell "$(candidates)")"
mkdir -p "$shots"
xwd -root -silent >"$shots/candidates-$framework.xwd"
line_bottom=$((cy + ch))
if ! { [ "$Y" -ge "$cy" ] && [ "$Y" -le $((line_bottom + ch)) ]; } &&
    ! { [ $((Y + HEIGHT)) -le "$cy" ] && [ $((Y + HEIGHT)) -ge $((cy - ch)) ]; }; then
    echo "FAIL: candidate window at y $Y (height $HEIGHT), the caret's line at $cy-$line_bottom"
    exit 1
fi
[ "$X" -ge $((cx - 10 * ch)) ] && [ "$X" -le $((cx + 10 * ch)) ] ||
    { echo "FAIL: candidate window at x $X, the caret at $cx"; exit 1; }
echo "candidate window at $X,$Y beside the caret at $cx,$cy"
# Cancelled: nothing of it reaches the text.
xdotool key Escape Escape Escape
expect_backup " a b c 202 305 223 372 226 { 214 352 \r \n " "cancelled conversion"

# 〜 typed through Mozc, then 上書き保存 from the file menu; the commit is the sign that
# Mozc is done before the input method is switched off.
xdotool type --delay 80 '~'
xdotool key Return
expect_backup ' a b c 202 305 223 372 226 { 214 352 201 ` \r \n ' "〜 committed"
ime_off
xdotool key alt+f s
saved_wave_dash() { [ "$(tail -c 4 "$work/prog/doc.txt" | od -An -tx1 | tr -d ' \n')" = "81600d0a" ]; }
wait_until saved_wave_dash || { echo "FAIL: 〜 saved as $(od -An -tx1 "$work/prog/doc.txt")"; exit 1; }

# Viewing mode (特別 → 閲覧モード, the eighth item): a commit changes nothing.
before=$(backup)
xdotool key alt+t Down Down Down Down Down Down Down Return
viewing_on() { case "$(xdotool getwindowname "$win")" in *'[閲覧モード]') return 0 ;; esac; return 1; }
wait_until viewing_on || { echo "FAIL: viewing mode not on: $(xdotool getwindowname "$win")"; exit 1; }
ime_on
xdotool type --delay 80 kana
xdotool key Return
# The sign that the commit was processed: with the input method off and viewing mode
# left, a key typed directly comes after it; the text then holds that key and no かな.
ime_off
xdotool key alt+t Down Down Down Down Down Down Down Return
viewing_left() { case "$(xdotool getwindowname "$win")" in *'[閲覧モード]') return 1 ;; esac; }
wait_until viewing_left
xdotool type Z
suffix=' \r \n '
expect_backup "${before%"$suffix"} Z$suffix" "viewing mode took the input method's commit"
echo "input method ($framework): all checks passed"
