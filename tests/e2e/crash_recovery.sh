#!/usr/bin/env bash
# The real editor under Xvfb: type, kill it with SIGKILL, start it again, answer Yes to
# the recovery prompt and find the text back; killed again, Escape on the prompt restores
# the text too (only No discards it). Usage: crash_recovery.sh VELLIT
set -euo pipefail
. "$(dirname "$0")/lib.sh"
vellit=$1
work=$(mktemp -d)
cp "$vellit" "$work/vellit"
xvfb=
app=
cleanup() {
    [ -n "$app" ] && kill -9 "$app" 2>/dev/null || true
    kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
start_xvfb "$work" 1024x768x24
export QT_QPA_PLATFORM=xcb
xdpyinfo >/dev/null

"$work/vellit" &
app=$!
wait_window ' - Vellit'
xdotool windowfocus --sync "$win"
xdotool type --delay 20 'abc'
xdotool key Return
xdotool type --delay 20 'xyz'
backup_is() { [ "$(od -An -c "$work/backup.txt" | tr -s ' ')" = "$1" ]; }
wait_until backup_is " a b c \r \n x y z \r \n"
kill -9 "$app"
wait "$app" 2>/dev/null || true
app=
printf 'backup after the kill: %q\n' "$(cat "$work/backup.txt")"
[ "$(od -An -c "$work/backup.txt" | tr -s ' ')" = " a b c \r \n x y z \r \n" ]

"$work/vellit" &
app=$!
answer_recovery Return
# Answered Yes: the restored text (one CR LF more) is in the editor, and the backup holds
# it until the next change.
wait_until backup_is " a b c \r \n x y z \r \n \r \n" || od -An -c "$work/backup.txt"
[ "$(od -An -c "$work/backup.txt" | tr -s ' ')" = " a b c \r \n x y z \r \n \r \n" ]
echo "recovered"

kill -9 "$app"
wait "$app" 2>/dev/null || true
"$work/vellit" &
app=$!
answer_recovery Escape
expected=" a b c \r \n x y z \r \n \r \n \r \n"
wait_until backup_is "$expected" || od -An -c "$work/backup.txt"
[ "$(od -An -c "$work/backup.txt" | tr -s ' ')" = "$expected" ]
echo "restored after Escape"
