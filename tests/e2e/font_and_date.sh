#!/usr/bin/env bash
# The real editor under Xvfb with openbox, in a C.UTF-8 session: F5 inserts the date in
# the Japanese form, and the font dialog takes IPAMincho, 太字 and 10.5 typed by keyboard
# and stores them in Conf.ini.
# Usage: font_and_date.sh VELLIT
set -euo pipefail
. "$(dirname "$0")/lib.sh"
vellit=$1
export LANG=C.UTF-8 LC_ALL=C.UTF-8
start_desktop "$vellit"

# The file has a line matching the extended regular expression.
holds() { grep -aqE "$2" "$1" 2>/dev/null; } # file pattern

"$work/vellit" &
app=$!
wait_window ' - Vellit'
xdotool windowfocus --sync "$win" key F5
wait_until holds "$work/backup.txt" '^[0-2][0-9]:[0-5][0-9] 20[0-9]{2}/[01][0-9]/[0-3][0-9]'
echo "F5 under C.UTF-8 inserted: $(tr -d "\r" <"$work/backup.txt")"

xdotool key alt+e
xdotool key f
wait_window '^フォント$'
xdotool windowfocus --sync "$win"
xdotool key ctrl+a
xdotool type IPAMincho
xdotool key Tab Tab Home Down Down Tab ctrl+a
xdotool type 10.5
xdotool key Return
wait_until holds "$work/Conf.ini" '^FName=IPAMincho'
grep -aq '^Fsize=10.5' "$work/Conf.ini" || { echo "FAIL: size $(grep -a Fsize "$work/Conf.ini")"; exit 1; }
grep -aq '^Fbold=True' "$work/Conf.ini" || { echo "FAIL: $(grep -a Fbold "$work/Conf.ini")"; exit 1; }
grep -aq '^Fitalic=False' "$work/Conf.ini" || { echo "FAIL: $(grep -a Fitalic "$work/Conf.ini")"; exit 1; }
echo "PASS"
