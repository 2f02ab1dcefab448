#!/usr/bin/env bash
# The real editor under Xvfb with real Japanese files, an EUC-JP one and a UTF-16 one:
# each opens, saves back unchanged byte for byte, and after one typed character differs
# by that character alone; killed with SIGKILL while edited, it comes back at the next
# start in its own encoding and line ends. Usage: encodings.sh VELLIT DATA-DIR
set -euo pipefail
. "$(dirname "$0")/lib.sh"
vellit=$1
data=$2
start_desktop "$vellit" 1024x768x24

inode() { stat -c %i "$1"; }

# Waits until a file holds exactly the bytes of another; fails after 10 s.
wait_bytes() { # file expected-file what
    wait_until cmp -s "$1" "$2" >/dev/null && return 0
    echo "FAIL: $3"
    cmp "$1" "$2" || true
    return 1
}
replaced() { [ "$(inode "$1")" != "$2" ]; } # file inode-before
backup_is_utf16_from_y() { od -An -tx1 "$work/backup.txt" | tr -d ' \n' | grep -q '^fffe56'; }
focus_left() { [ "$(xdotool getactivewindow 2>/dev/null)" != "$1" ]; }

# File menu, then an item by its access key (Qt gives keys to the open menu).
file_menu() { # key
    xdotool key alt+f "$1"
}

check_file() { # name expected-after-edit expected-after-recovery
    local name=$1
    cp "$data/$name" "$work/doc.txt"
    cp "$data/$name" "$work/original"
    "$work/vellit" "$work/doc.txt" &
    app=$!
    wait_window 'doc.txt - Vellit'
    main=$win
    xdotool windowfocus --sync "$win"

    # Saved unchanged: a new file (the save replaces it), the same bytes.
    local before
    before=$(inode "$work/doc.txt")
    file_menu s
    wait_until replaced "$work/doc.txt" "$before" >/dev/null ||
        { echo "FAIL: $name not saved"; return 1; }
    cmp "$work/doc.txt" "$work/original"
    echo "$name: unchanged save identical"

    # One character typed at the start and saved: that character is the only change.
    xdotool type --delay 30 X
    file_menu s
    wait_bytes "$work/doc.txt" "$2" "$name: the edit"
    echo "$name: one edit, one change"

    # Typed again and killed: the next start restores the text in its encoding.
    xdotool type --delay 30 Y
    wait_until backup_is_utf16_from_y || return 1
    kill -9 "$app"
    wait "$app" 2>/dev/null || true
    app=
    "$work/vellit" &
    app=$!
    answer_recovery Return
    xdotool windowfocus --sync "$win"
    file_menu a
    # The save dialog takes the focus; its name box holds the proposed name.
    wait_until focus_left "$win" || return 1
    xdotool key ctrl+a
    xdotool type --delay 10 "$work/restored-$name"
    xdotool key Return
    wait_bytes "$work/restored-$name" "$3" "$name: restored in its encoding"
    echo "$name: restored after kill -9 in its own encoding"
    xdotool windowfocus --sync "$win"
    file_menu z # discard and exit
    wait "$app" 2>/dev/null || true
    app=
}

# EUC-JP with LF line ends: the restored text has one line end more.
{ printf 'X'; cat "$data/euc_jp.txt"; } >"$work/euc-edited"
{ printf 'XY'; cat "$data/euc_jp.txt"; printf '\n'; } >"$work/euc-restored"
check_file euc_jp.txt "$work/euc-edited" "$work/euc-restored"

# UTF-16LE with a byte-order mark.
{ printf '\xff\xfeX\0'; tail -c +3 "$data/utf16le-bom.txt"; } >"$work/u16-edited"
{ printf '\xff\xfeX\0Y\0'; tail -c +3 "$data/utf16le-bom.txt"; printf '\n\0'; } >"$work/u16-restored"
check_file utf16le-bom.txt "$work/u16-edited" "$work/u16-restored"
