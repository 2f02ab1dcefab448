#!/usr/bin/env bash
# The real editor under Xvfb with openbox: 表示 → 常に手前に表示 puts the window in the
# window manager's topmost band (_NET_WM_STATE_ABOVE) without moving or resizing it,
# a second toggle takes it out, and a new run starts without it.
# Usage: always_on_top.sh VELLIT
set -euo pipefail
. "$(dirname "$0")/lib.sh"
vellit=$1
work=$(mktemp -d)
cp "$vellit" "$work/vellit"
start_xvfb "$work"
export QT_QPA_PLATFORM=xcb
app=
wm=
cleanup() {
    [ -n "$app" ] && kill -9 "$app" 2>/dev/null || true
    [ -n "$wm" ] && kill "$wm" 2>/dev/null || true
    kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
start_openbox

start() {
    "$work/vellit" &
    app=$!
    wait_window ' - Vellit'
    wait_until framed "$win"
}
above() { xprop -id "$win" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE; }
below() { ! above; }
geometry() { xdotool getwindowgeometry "$win" | tail -2 | tr -s ' \n' ' '; }
# 表示 → its last item; the window manager's state then says whether it took.
toggle() { xdotool windowactivate --sync "$win" key alt+v Up Return; }

start
before=$(geometry)
above && { echo "FAIL: starts on top"; exit 1; }
toggle
wait_until above || { echo "FAIL: not on top after one toggle: $(xprop -id "$win" _NET_WM_STATE)"; exit 1; }
[ "$(geometry)" = "$before" ] || { echo "FAIL: moved: $before -> $(geometry)"; exit 1; }
toggle
wait_until below || { echo "FAIL: still on top after two toggles"; exit 1; }
[ "$(geometry)" = "$before" ] || { echo "FAIL: moved: $before -> $(geometry)"; exit 1; }
toggle
wait_until above || { echo "FAIL: not on top after three toggles"; exit 1; }
# A normal end (ファイル → Vellitの終了), then a new run.
xdotool windowactivate --sync "$win" key alt+f x
wait "$app"
start
above && { echo "FAIL: a new run starts on top"; exit 1; }
echo "always on top: all checks passed"
