#!/usr/bin/env bash
# The real editor under Xvfb recognises files as a user has them: a UTF-8 C source whose
# only non-ASCII character is ©, and an EUC-JP file as Windows writes it (NEC row 13:
# ①, ㍉). Each opens, 日 is typed at its start and saved: the file is the original with
# 日 in the file's own encoding before it. A UTF-8 file with one undecodable byte saved
# as UTF-16LE asks first, and the file written reads back with U+FFFD in the byte's
# place, every other unit in step. A screenshot of each (xwd) is left in SHOT-DIR.
# Usage: recognition.sh VELLIT C-SOURCE SHOT-DIR
set -euo pipefail
. "$(dirname "$0")/lib.sh"
vellit=$1
source_file=$2
shots=$3
start_desktop "$vellit" 1024x768x24
bind_character U65E5 # 日

focus_left() { # window
    [ "$(xdotool getactivewindow 2>/dev/null)" != "$1" ]
}

check_file() { # file expected-after-edit screenshot-name
    cp "$1" "$work/doc.txt"
    "$work/vellit" "$work/doc.txt" &
    app=$!
    wait_window 'doc.txt - Vellit'
    xdotool windowfocus --sync "$win"
    mkdir -p "$shots"
    xwd -root -silent >"$shots/$3.xwd"
    xdotool type --delay 50 日
    xdotool key alt+f s
    wait_until cmp -s "$work/doc.txt" "$2" || {
        echo "FAIL: $3: the saved file is not the original behind 日 in its encoding"
        cmp "$work/doc.txt" "$2" || true
        exit 1
    }
    echo "$3: recognised, 日 written in its encoding, every other byte kept"
    xdotool key alt+f z
    wait "$app" 2>/dev/null || true
    app=
}

head -c 60000 "$source_file" >"$work/csource"
{ printf '\xe6\x97\xa5'; cat "$work/csource"; } >"$work/csource-edited"
check_file "$work/csource" "$work/csource-edited" utf8-c-source

printf '\xad\xa1 \xad\xc0 \xa4\xb3\xa4\xec\xa4\xcf\xc6\xfc\xcb\xdc\xb8\xec\xa4\xc7\xa4\xb9\n' >"$work/nec"
{ printf '\xc6\xfc'; cat "$work/nec"; } >"$work/nec-edited"
check_file "$work/nec" "$work/nec-edited" eucjp-nec-row13

# Save As UTF-16LE from a flawed UTF-8 file: the question comes, はい writes U+FFFD for
# the byte and the units after it stay in step. A file turned into UTF-16 gets a
# byte-order mark, so that no guess is needed to read it back.
printf 'これは日本語です\n\xff テスト\n' >"$work/flawed.txt"
printf '\xef\xbb\xbfこれは日本語です\n\xef\xbf\xbd テスト\n' | iconv -f UTF-8 -t UTF-16LE >"$work/flawed-utf16"
"$work/vellit" "$work/flawed.txt" &
app=$!
# Opening tells of the undecodable byte first.
wait_window '^Vellit$'
xdotool windowfocus --sync "$win"
xdotool key Return
wait_window 'flawed.txt - Vellit'
main=$win
xdotool windowfocus --sync "$main"
xdotool key alt+f a
wait_until focus_left "$main"
xdotool key ctrl+a
xdotool type --delay 10 "$work/saved-utf16.txt"
# The encoding list: UTF-16LE is the fifth entry.
xdotool key alt+e Home Down Down Down Down Return
wait_window '^Vellit$'
xdotool windowfocus --sync "$win"
xwd -id "$win" -silent >"$shots/utf16-from-flawed-utf8-question.xwd"
xdotool key y
wait_until cmp -s "$work/saved-utf16.txt" "$work/flawed-utf16" || {
    echo "FAIL: the UTF-16LE file does not hold U+FFFD in the undecodable byte's place"
    od -An -tx1 "$work/saved-utf16.txt" | head -3 || true
    exit 1
}
echo "utf16-from-flawed-utf8: asked, U+FFFD written, every unit in step"
xdotool windowfocus --sync "$main"
xdotool key alt+f z
wait "$app" 2>/dev/null || true
app=
