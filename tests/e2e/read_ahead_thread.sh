#!/usr/bin/env bash
# The real editor started many times on a file named on its command line: the file is
# read on another thread from the very start, and Qt must still take the program's own
# thread for its main one (it takes the first that asks; a wrong one leaves the window
# without input). Qt says so when it does not.
# Usage: read_ahead_thread.sh VELLIT
set -euo pipefail
vellit=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$vellit" "$work/vellit"
python3 - "$work/doc.txt" <<'PY'
import sys
line = "これは日本語の文書です。漢字とかなと ASCII text が混じります。\r\n"
open(sys.argv[1], "wb").write((line * 700).encode("cp932")[:64000])
PY
export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$work/run"
mkdir -m 700 "$XDG_RUNTIME_DIR"
for run in $(seq 40); do
    rm -f "$work"/backup*.txt
    timeout 0.5 "$work/vellit" "$work/doc.txt" 2>"$work/err" || true
    if grep -q "not created in the main() thread" "$work/err"; then
        echo "FAIL: run $run: $(head -1 "$work/err")"
        exit 1
    fi
done
echo "read-ahead thread: 40 starts, Qt's main thread was the program's each time"
