#!/usr/bin/env bash
# Start-up to the window shown, Vellit against a minimal Qt program, alternating the two,
# under Xvfb; medians of time and resident memory. Usage: bench/startup.sh [FILE] [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
file=${1:-}
runs=${2:-21}
build=build
work=$(mktemp -d)
cp "$build/src/vellit" "$work/"
Xvfb :77 -screen 0 1280x900x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb; rm -rf "$work"' EXIT
sleep 1
export DISPLAY=:77
args=()
[ -n "$file" ] && args=("$file")
results="$work/results"
for i in $(seq "$runs"); do
    rm -f "$work/backup.txt"
    echo "vellit $("$build/bench/winwait" " - Vellit" 300 "$work/vellit" "${args[@]}")" >>"$results"
    echo "minimal $("$build/bench/winwait" "minimal - Qt" 300 "$build/bench/minimal_qt" "${args[@]}")" >>"$results"
done
median() { grep "^$1 " "$results" | cut -d' ' -f"$2" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
vt=$(median vellit 2); vm=$(median vellit 3); mt=$(median minimal 2); mm=$(median minimal 3)
echo "vellit:  median $vt ms to the window shown, $vm KiB resident"
echo "minimal: median $mt ms to the window shown, $mm KiB resident"
awk -v a="$vt" -v b="$mt" -v c="$vm" -v d="$mm" 'BEGIN { printf "ratio: time %.2f, memory %.2f\n", a / b, c / d }'
