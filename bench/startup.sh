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
for i in $(seq "$runs"); do
    rm -f "$work/backup.txt"
    echo "vellit $("$build/bench/winwait" " - Vellit" 300 "$work/vellit" "${args[@]}")"
    echo "minimal $("$build/bench/winwait" "minimal - Qt" 300 "$build/bench/minimal_qt" "${args[@]}")"
done | awk '
    { t[$1] = t[$1] " " $2; m[$1] = m[$1] " " $3 }
    function median(s,   a, n) { n = split(s, a, " "); asort(a); return a[int((n + 1) / 2)] }
    END {
        for (p in t) printf "%-8s median %.1f ms, %d KiB resident\n", p, median(t[p]), median(m[p])
        printf "ratio: time %.2f, memory %.2f\n", median(t["vellit"]) / median(t["minimal"]),
            median(m["vellit"]) / median(m["minimal"])
    }'
