#!/usr/bin/env bash
# Start-up to the window shown and to the document's text drawn, Vellit against a minimal
# Qt program, alternating the two, under Xvfb; medians of the times and of resident
# memory, and the median of the ratios within rounds.
# Usage: [VELLIT=other-build/vellit] bench/startup.sh [FILE] [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
file=${1:-}
runs=${2:-21}
build=build
work=$(mktemp -d)
cp "${VELLIT:-$build/src/vellit}" "$work/vellit"
Xvfb :77 -screen 0 1280x900x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb $DBUS_SESSION_BUS_PID; rm -rf "$work"' EXIT
sleep 1
export DISPLAY=:77
# A session bus, as every desktop has: without one, each program would start its own.
eval "$(dbus-launch --sh-syntax)"
export XDG_RUNTIME_DIR="$work/run"
mkdir -m 700 "$XDG_RUNTIME_DIR"
args=()
[ -n "$file" ] && args=("$file")
results="$work/results"
vellit() {
    rm -f "$work/backup.txt"
    echo "vellit $("$build/bench/winwait" " - Vellit" 300 "$work/vellit" "${args[@]}")" >>"$results"
}
minimal() {
    echo "minimal $("$build/bench/winwait" "minimal - Qt" 300 "$build/bench/minimal_qt" "${args[@]}")" >>"$results"
}
# Each program goes first in every other round: the one that follows the other's exit
# would otherwise always meet the same state of the display and the caches.
for i in $(seq "$runs"); do
    if ((i % 2)); then vellit; minimal; else minimal; vellit; fi
done
median() { grep "^$1 " "$results" | cut -d' ' -f"$2" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
for p in vellit minimal; do
    echo "$p: median $(median $p 2) ms to the window shown, $(median $p 3) ms to the text drawn," \
        "$(median $p 4) KiB resident"
done
awk -v a="$(median vellit 2)" -v b="$(median minimal 2)" -v c="$(median vellit 3)" \
    -v d="$(median minimal 3)" -v e="$(median vellit 4)" -v f="$(median minimal 4)" \
    'BEGIN { printf "ratio: shown %.2f, text drawn %.2f, memory %.2f\n", a / b, c / d, e / f }'
# The ratio within each round, Vellit's start over the minimal program's next to it: the
# machine's speed, which drifts over a run, is nearly the same for both starts of a round.
paste <(grep '^vellit ' "$results") <(grep '^minimal ' "$results") |
    awk '{ print $3 / $7 }' | sort -n |
    awk '{ v[NR] = $1 } END { printf "ratio within rounds, text drawn: median %.2f, quartiles %.2f to %.2f\n",
        v[int((NR + 1) / 2)], v[int((NR + 3) / 4)], v[int((3 * NR + 1) / 4)] }'
