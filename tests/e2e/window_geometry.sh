#!/usr/bin/env bash
# The real editor under Xvfb with a real window manager (openbox): a restored window
# closed without being moved writes back the same position and outer size, run after
# run. Usage: window_geometry.sh VELLIT
set -euo pipefail
. "$(dirname "$0")/lib.sh"
vellit=$1
start_desktop "$vellit"

printf '[Option]\r\nCheck1=1\r\nWindowX=1500\r\nWindowY=1200\r\nWindowW=9000\r\nWindowH=6000\r\n' \
    >"$work/Conf.ini"
expected=$(grep -a Window "$work/Conf.ini")

for run in 1 2 3; do
    "$work/vellit" &
    app=$!
    wait_window ' - Vellit'
    # The frame correction runs once the window manager has framed the window: the
    # frame then covers the stored rectangle (twips at 15 a pixel).
    wait_until framed "$win"
    at_stored_place() { [ "$(frame_geometry "$win")" = "100 80 600 400" ]; }
    wait_until at_stored_place || { echo "frame: $(frame_geometry "$win")"; exit 1; }
    xdotool windowactivate --sync "$win" key alt+f x
    wait "$app"
    app=
    actual=$(grep -a Window "$work/Conf.ini")
    echo "run $run:" $actual
    [ "$actual" = "$expected" ] || { echo "expected:" $expected; exit 1; }
done
echo "geometry kept"
