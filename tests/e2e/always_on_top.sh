#!/usr/bin/env bash
# The real editor under Xvfb with openbox: 表示 → 常に手前に表示 puts the window in the
# window manager's topmost band (_NET_WM_STATE_ABOVE) without moving or resizing it,
# a second toggle takes it out, and a new run starts without it.
# Usage: always_on_top.sh VELLIT
set -euo pipefail
. "$(dirname "$0")/lib.sh"
vellit=$1
start_desktop "$vellit"

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
