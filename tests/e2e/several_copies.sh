#!/usr/bin/env bash
# Several copies of the real editor under Xvfb: three windows killed together all come
# back; a text discarded in one window never comes back in place of another's; a second
# copy's start leaves the first copy protected; ten copies started at once over leftover
# files offer each file exactly once. Usage: several_copies.sh VELLIT
set -euo pipefail
. "$(dirname "$0")/lib.sh"
vellit=$1
work=$(mktemp -d)
cp "$vellit" "$work/vellit"
xvfb=
wm=
pids=()
cleanup() {
    for p in "${pids[@]}"; do kill -9 "$p" 2>/dev/null || true; done
    [ -n "$wm" ] && kill "$wm" 2>/dev/null || true
    kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
start_xvfb "$work" 1280x1024x24
start_openbox
export QT_QPA_PLATFORM=xcb

visible() { # name-pattern: how many visible windows match
    { xdotool search --onlyvisible --name "$1" 2>/dev/null || true; } | wc -l
}

count_is() { [ "$(visible "$1")" -eq "$2" ]; } # name-pattern n

# Waits until exactly n visible windows match; fails after 15 s (ten copies starting at
# once on a loaded machine take their time).
wait_count() { # name-pattern n
    WAIT_SECONDS=15 wait_until count_is "$1" "$2" >/dev/null && return 0
    echo "FAIL: $(visible "$1") windows named '$1', expected $2"
    return 1
}

holds() { [ -f "$1" ] && [ "$(od -An -tx1 "$1")" = "$(printf "$2" | od -An -tx1)" ]; }

# Waits until a file holds exactly the given bytes (printf format); fails after 10 s.
wait_content() { # file printf-format
    wait_until holds "$1" "$2" >/dev/null && return 0
    echo "FAIL: $1 does not hold $2"
    od -c "$1" 2>/dev/null | head -3 || true
    return 1
}

start_copy() { # [args]: starts a copy and waits for one more main window
    local before
    before=$(visible ' - Vellit')
    "$work/vellit" "$@" &
    pids+=($!)
    wait_count ' - Vellit' $((before + 1))
}

type_into() { # window text
    xdotool windowactivate --sync "$1"
    xdotool type --delay 20 "$2"
}

# Starts a copy, answers Yes to its recovery prompt, waits for n main windows.
restore_in_new_copy() { # n
    "$work/vellit" &
    pids+=($!)
    wait_window '^Vellit$'
    xdotool windowactivate --sync "$win"
    xdotool key Return
    wait_count ' - Vellit' "$1"
}

kill_all() {
    for p in "${pids[@]}"; do kill -9 "$p" 2>/dev/null || true; done
    for p in "${pids[@]}"; do wait "$p" 2>/dev/null || true; done
    pids=()
}

# Answers Yes on every recovery prompt until the expected number of main windows show,
# and prints how many prompts there were (each prompt window counted once). Copies that
# start together show their prompts at any moment, and a new one takes the focus: a key
# meant for one prompt may answer another, which is counted all the same, and the prompt
# still standing is answered on the next pass.
answer_prompts() { # expected-main-windows
    local seen=" "
    for _ in $(seq 300); do
        local prompts prompt
        prompts=$(xdotool search --onlyvisible --name '^Vellit$' 2>/dev/null) || true
        for prompt in $prompts; do
            [[ "$seen" == *" $prompt "* ]] || seen+="$prompt "
        done
        prompt=$(head -1 <<<"$prompts")
        if [ -n "$prompt" ]; then
            if xdotool windowactivate --sync "$prompt" 2>/dev/null &&
                [ "$(xdotool getactivewindow)" = "$prompt" ]; then
                xdotool key Return
                # Still standing: the key answered another prompt; this one comes again.
                WAIT_SECONDS=2 wait_until gone "$prompt" >/dev/null || continue
            fi
        elif [ "$(visible ' - Vellit')" -eq "$1" ]; then
            wc -w <<<"$seen"
            return 0
        fi
        sleep 0.1
    done
    echo "FAIL: only $(visible ' - Vellit') main windows" >&2
    return 1
}

gone() { # window
    ! xdotool getwindowname "$1" >/dev/null 2>&1 || ! xwininfo -id "$1" 2>/dev/null | grep -q 'IsViewable'
}

# 1. Three windows with three texts, killed together: all three come back.
for text in one two three; do
    start_copy
    win=$(xdotool search --onlyvisible --name ' - Vellit' | tail -1)
    type_into "$win" "$text"
done
wait_content "$work/backup.txt" 'one\r\n'
wait_content "$work/backup-2.txt" 'two\r\n'
wait_content "$work/backup-3.txt" 'three\r\n'
kill_all
for n in 1 2 3; do
    restore_in_new_copy "$n"
done
# Restored in a window each: every copy's own file holds one of the texts.
wait_content "$work/backup.txt" 'one\r\n\r\n'
wait_content "$work/backup-2.txt" 'two\r\n\r\n'
wait_content "$work/backup-3.txt" 'three\r\n\r\n'
echo "three copies killed together: all three texts recovered"
kill_all
rm -f "$work"/backup*.txt

# 2. Window A holds text; window B types and is discarded; A is killed: A's text comes back.
start_copy
a=$(xdotool search --onlyvisible --name ' - Vellit' | tail -1)
a_pid=${pids[-1]}
type_into "$a" 'keep me'
start_copy
b=$(xdotool search --onlyvisible --name ' - Vellit' | grep -v "^$a\$" | tail -1)
type_into "$b" 'throw away'
wait_content "$work/backup-2.txt" 'throw away\r\n'
xdotool windowactivate --sync "$b"
xdotool key alt+f z
wait_until test ! -f "$work/backup-2.txt"
kill -9 "$a_pid"
kill_all
restore_in_new_copy 1
wait_content "$work/backup.txt" 'keep me\r\n\r\n'
echo "a discarded window's text never replaces another's"
kill_all
rm -f "$work"/backup*.txt

# 3. A second copy's start leaves the first copy's protection intact.
start_copy
a=$(xdotool search --onlyvisible --name ' - Vellit' | tail -1)
a_pid=${pids[-1]}
type_into "$a" 'first'
wait_content "$work/backup.txt" 'first\r\n'
start_copy
kill -9 "$a_pid"
wait_content "$work/backup.txt" 'first\r\n'
wait_content "$work/backup-2.txt" '\r\n'
kill_all
restore_in_new_copy 1
wait_content "$work/backup.txt" 'first\r\n\r\n'
echo "a second copy's start leaves the first protected"
kill_all
rm -f "$work"/backup*.txt

# 4. Ten copies at once over four leftover files: four prompts, each file offered once.
printf 'left A\r\n' >"$work/backup.txt"
printf 'left B\r\n' >"$work/backup-2.txt"
printf 'left C\r\n' >"$work/backup-4.txt"
printf 'left D\r\n' >"$work/backup-9.txt"
for _ in $(seq 10); do
    "$work/vellit" &
    pids+=($!)
done
answered=$(answer_prompts 10)
[ "$answered" -eq 4 ] || { echo "FAIL: $answered prompts, expected 4"; exit 1; }
# Each leftover text now lives in exactly one copy's file.
for letter in A B C D; do
    found=$(grep -l "left $letter" "$work"/backup*.txt | wc -l)
    [ "$found" -eq 1 ] || { echo "FAIL: 'left $letter' in $found files"; exit 1; }
done
echo "ten copies at once: four leftovers, four prompts, each text in one window"
kill_all
rm -f "$work"/backup*.txt

# 5. Leftovers only in slots no new copy owns: each is claimed by its lock, restored in
# the new copy's own file and only then removed; an extra window's empty leftover goes
# without a prompt.
printf 'far A\r\n' >"$work/backup-20.txt"
printf 'far B\r\n' >"$work/backup-30.txt"
printf '\r\n' >"$work/backup-7.txt"
restore_in_new_copy 1
wait_content "$work/backup.txt" 'far A\r\n\r\n'
wait_until test ! -e "$work/backup-20.txt"
[ ! -e "$work/backup-7.txt" ] || { echo "FAIL: the empty leftover was kept"; exit 1; }
restore_in_new_copy 2
wait_content "$work/backup-2.txt" 'far B\r\n\r\n'
wait_until test ! -e "$work/backup-30.txt"
echo "leftovers in slots no copy owns: claimed, restored, then removed; the empty one silently"
kill_all
rm -f "$work"/backup*.txt

# 6. Every slot locked by other processes (as by 64 running copies): a new copy says so,
# keeps its text in a file of its own, and after a crash the next start offers it.
python3 - "$work" <<'PY' &
import fcntl, os, sys, time
held = []
for slot in range(64):
    name = "backup.txt" if slot == 0 else "backup-%d.txt" % (slot + 1)
    f = open(os.path.join(sys.argv[1], "." + name + ".lock"), "a+")
    fcntl.lockf(f, fcntl.LOCK_EX)
    held.append(f)
open(os.path.join(sys.argv[1], "all-held"), "w").close()
time.sleep(120)
PY
holder=$!
pids+=("$holder")
wait_until test -e "$work/all-held"
"$work/vellit" &
pids+=($!)
unlocked_pid=$!
answer_recovery Return # the notice that this window keeps a file of its own
type_into "$win" 'no slot'
wait_content "$work/backup-$unlocked_pid@$(hostname).txt" 'no slot\r\n'
kill_all
restore_in_new_copy 1
wait_content "$work/backup.txt" 'no slot\r\n\r\n'
wait_until test ! -e "$work/backup-$unlocked_pid@$(hostname).txt.claimed"
echo "with every slot locked: a file of its own, offered after a crash"
