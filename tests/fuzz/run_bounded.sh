#!/usr/bin/env bash
# A bounded run of a libFuzzer target: a fresh corpus from the seed files (real files,
# each given as it is), the target run for SECONDS, its crash or property failure
# failing the test. Minimized inputs of failures belong in the unit tests.
# Usage: run_bounded.sh TARGET SECONDS SEED-DIR...
set -euo pipefail
target=$1
seconds=$2
shift 2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/corpus"
for dir in "$@"; do
    find "$dir" -maxdepth 1 -type f ! -name '*.md' -exec cp {} "$work/corpus/" \;
done
cd "$work"
# Inputs of 8 KB at most: the seeds' first 8 KB, and many more runs a minute than
# whole files would give.
set +e
"$target" -max_total_time="$seconds" -max_len=8192 -timeout=20 -rss_limit_mb=4096 -print_final_stats=1 \
    "$work/corpus" >"$work/log" 2>&1
status=$?
set -e
grep -v '^#[0-9]*\s*\(NEW\|REDUCE\|pulse\)' "$work/log" || true
# libFuzzer leaves crash-* / leak-* / timeout-* files on a failure: shown before the verdict.
if compgen -G "$work/crash-*" >/dev/null || compgen -G "$work/leak-*" >/dev/null ||
    compgen -G "$work/timeout-*" >/dev/null || compgen -G "$work/oom-*" >/dev/null; then
    for f in "$work"/crash-* "$work"/leak-* "$work"/timeout-* "$work"/oom-*; do
        [ -e "$f" ] && echo "failing input $(basename "$f"): $(od -An -tx1 "$f" | head -5)"
    done
fi
# A run that ended well exits 0 and says how many runs it did: a target that could not
# start, was killed from outside or reported a leak at exit fails here.
if [ "$status" -ne 0 ]; then
    echo "FAIL: the fuzzer exited with status $status"
    exit 1
fi
grep -q '^Done [0-9]* runs in [0-9]* second' "$work/log" || {
    echo "FAIL: the fuzzer did not finish its run"
    exit 1
}
