#!/usr/bin/env bash
# The real editor read by the Orca screen reader under Xvfb and openbox. What Orca says is
# read from speech-dispatcher, whose output module writes down every message it receives.
# A Japanese Shift-JIS document is opened, and the reader must speak:
# - the first line when the text area takes the focus, each line on Up and Down;
# - the character at the caret on Left and Right ("blank" at a line's end);
# - the character taken into the selection on Shift+Right, and that it is selected;
# - a Japanese character as it is typed, and the line holding it afterwards.
# Usage: screen_reader_orca.sh VELLIT
set -euo pipefail
. "$(dirname "$0")/lib.sh"
command -v orca >/dev/null || { echo "SKIPPED: orca is not installed"; exit 0; }
[ -x /usr/lib/speech-dispatcher-modules/sd_generic ] ||
    { echo "SKIPPED: speech-dispatcher is not installed"; exit 0; }

start_desktop "$1"
orca=
stop_all() {
    [ -n "$orca" ] && kill "$orca" 2>/dev/null || true
    pkill -f "speech-dispatcher.*--spawn" 2>/dev/null || true
    [ -n "${DBUS_SESSION_BUS_PID:-}" ] && kill "$DBUS_SESSION_BUS_PID" 2>/dev/null || true
    stop_desktop
}
trap stop_all EXIT
export HOME="$work" XDG_RUNTIME_DIR="$work/run" XDG_CONFIG_HOME="$work/config"
mkdir -m 700 "$XDG_RUNTIME_DIR"
eval "$(dbus-launch --sh-syntax)"
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1

# Speech-dispatcher of this session. The machine has no sound: audio goes to libao's null
# driver, and the one output module only appends each message to spoken.txt, which is
# speech-dispatcher's own record of what reached it.
printf 'default_driver=null\n' >"$HOME/.libao"
mkdir -p "$XDG_CONFIG_HOME/speech-dispatcher/modules"
cat >"$XDG_CONFIG_HOME/speech-dispatcher/speechd.conf" <<EOF
AudioOutputMethod "libao"
AddModule "record" "sd_generic" "record.conf"
DefaultModule record
EOF
cat >"$XDG_CONFIG_HOME/speech-dispatcher/modules/record.conf" <<EOF
GenericExecuteSynth "echo \\'\$DATA\\' >> $work/spoken.txt"
GenericLanguage "en" "en" "utf-8"
GenericLanguage "ja" "ja" "utf-8"
AddVoice "en" "MALE1" "en"
AddVoice "ja" "MALE1" "ja"
EOF

orca --replace --debug-file="$work/orca.log" >"$work/orca.out" 2>&1 &
orca=$!
# What reached speech-dispatcher from line $from of its record on, one message a line.
spoken="$work/spoken.txt"
from=1
spoken() { tail -n "+$from" "$spoken" 2>/dev/null || true; }
speaks() { # text: a message that is this text (a key's echo ends in a space)
    spoken | sed 's/ *$//' | grep -qxF -- "$1"
}
mark() { from=$(($(wc -l <"$spoken") + 1)); }
expect() { # key text
    mark
    xdotool key "$1"
    WAIT_SECONDS=15 wait_until speaks "$2" || {
        echo "FAIL: after $1 the reader did not say '$2'; it said:"
        spoken
        exit 1
    }
    echo "$1: $(spoken | paste -sd '|')"
}
WAIT_SECONDS=30 wait_until speaks 'Screen reader on.'

printf '一行目の文章です\r\n二行目は漢字とかな\r\n三行目\r\n' | iconv -f UTF-8 -t CP932 >"$work/doc.txt"
mark
"$work/vellit" "$work/doc.txt" >/dev/null 2>&1 &
app=$!
wait_window 'doc.txt - Vellit'
WAIT_SECONDS=15 wait_until speaks '一行目の文章です.' ||
    { echo "FAIL: the first line was not read on opening"; spoken; exit 1; }

expect Down '二行目は漢字とかな'
expect Down '三行目'
expect Up '二行目は漢字とかな'
expect Right '行'
expect Right '目'
expect Left '行'
expect shift+Right '行'
speaks 'selected' || { echo "FAIL: the selection was not said"; spoken; exit 1; }
expect End 'blank'
bind_character U65E5
expect U65E5 '日'
expect Up '一行目の文章です'
expect Down '二行目は漢字とかな日'
echo "PASS: Orca read lines, characters, the selection and typed Japanese"
