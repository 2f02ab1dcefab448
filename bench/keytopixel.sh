#!/usr/bin/env bash
# Key press to the first pixel changed, Vellit against the minimal Qt program, under
# Xvfb: for each document, ROUNDS rounds alternating the two programs, KEYS keys each
# (an "a" then BackSpace, 120 ms apart, caret at the start); prints the median, p95 and
# mean of every program and the ratios. Documents, Shift-JIS, 64000 bytes each (the
# editor opens files of 64000 bytes at most): "lines", Japanese in short lines; "html",
# one line of real minified HTML, Debian's New Maintainers' Guide in Japanese (package
# maint-guide-ja, downloaded unless installed) with its line breaks taken out, about
# 55 000 characters; "prose", one line of the same guide's text without its tags, about
# 41 900 characters, half of them Japanese: kanji and kana take turns every few
# characters, as in any Japanese sentence; "oneline", one line of "abcあいう" repeated,
# about 42 700 characters. Qt lays a line out in runs of one script, so the last two are
# the hardest.
# Usage: [DOCS="lines html prose oneline"] bench/keytopixel.sh [ROUNDS] [KEYS]
set -euo pipefail
cd "$(dirname "$0")/.."
rounds=${1:-9}
keys=${2:-100}
build=build
work=$(mktemp -d)
cp "$build/src/vellit" "$work/"
Xvfb :79 -screen 0 1280x900x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb $DBUS_SESSION_BUS_PID; rm -rf "$work"' EXIT
sleep 1
export DISPLAY=:79 QT_QPA_PLATFORM=xcb
# A session bus, as every desktop has: without one, each program would start its own.
eval "$(dbus-launch --sh-syntax)"
export XDG_RUNTIME_DIR="$work/run"
mkdir -m 700 "$XDG_RUNTIME_DIR"
guide=/usr/share/doc/maint-guide-ja/html
if [ ! -d "$guide" ]; then
    (cd "$work" && apt-get download maint-guide-ja >/dev/null && dpkg-deb -x maint-guide-ja_*.deb guide)
    guide="$work/guide$guide"
fi
python3 - "$work" "$guide" <<'PY'
import glob, html, re, sys
line = "これは日本語の文書です。漢字とかなと ASCII text が混じります。\r\n"
body = ""
while len((body + line).encode("cp932")) <= 64000:
    body += line
open(sys.argv[1] + "/lines.txt", "wb").write(body.encode("cp932"))
one = ""
while len((one + "abcあいう").encode("cp932")) <= 64000:
    one += "abcあいう"
open(sys.argv[1] + "/oneline.txt", "wb").write(one.encode("cp932"))
pages = "".join(open(p, encoding="utf-8").read() for p in sorted(glob.glob(sys.argv[2] + "/*.ja.html")))
def one_line(text, name):
    out = b""
    for ch in re.sub(r"\s*\n\s*", " ", text):
        code = ch.encode("cp932", errors="replace")
        if len(out) + len(code) > 64000:
            break
        out += code
    open(sys.argv[1] + "/" + name, "wb").write(out)
one_line(pages, "html.txt")
one_line(html.unescape(re.sub(r"<[^>]+>", "", re.sub(r"(?s)<head.*?</head>", "", pages))), "prose.txt")
PY
for doc in ${DOCS:-lines html prose oneline}; do
    for _ in $(seq "$rounds"); do
        rm -f "$work"/backup*.txt
        "$build/bench/keytopixel" "$keys" 120 " - Vellit" "$work/vellit" "$work/$doc.txt" \
            >>"$work/vellit-$doc"
        "$build/bench/keytopixel" "$keys" 120 "minimal - Qt" "$build/bench/minimal_qt" \
            "$work/$doc.txt" >>"$work/minimal-$doc"
    done
    stats() { sort -n "$1" | awk '{ v[NR] = $1; s += $1 } END {
        printf "%.2f %.2f %.2f\n", v[int((NR + 1) / 2)], v[int(NR * 0.95 + 0.5)], s / NR }'; }
    read -r vm vp va < <(stats "$work/vellit-$doc")
    read -r mm mp ma < <(stats "$work/minimal-$doc")
    echo "$doc: vellit median $vm ms, p95 $vp, mean $va ($(wc -l <"$work/vellit-$doc") keys)"
    echo "$doc: minimal median $mm ms, p95 $mp, mean $ma ($(wc -l <"$work/minimal-$doc") keys)"
    awk -v a="$vm" -v b="$mm" -v c="$vp" -v d="$mp" -v e="$va" -v f="$ma" \
        'BEGIN { printf "ratio: median %.2f, p95 %.2f, mean %.2f\n", a / b, c / d, e / f }'
done
