#!/usr/bin/env bash
# The real editor under a headless Wayland compositor (weston), seen through the
# accessibility tree as a screen reader sees it:
# - with no X display it runs on Wayland, every control a reader reaches has a Japanese
#   name (the text area, the five registered-text boxes, the options box, the font
#   dialog), and 常に手前に表示, which Wayland does not allow, says why and leaves its
#   check mark clear;
# - with an X display beside the Wayland one (XWayland) it chooses X11.
# Usage: wayland_accessibility.sh VELLIT
set -euo pipefail
. "$(dirname "$0")/lib.sh"
vellit=$1
atspi="$(dirname "$0")/atspi.py"
command -v weston >/dev/null || { echo "SKIPPED: weston is not installed"; exit 0; }
/usr/bin/python3 -c 'import gi; gi.require_version("Atspi", "2.0")' 2>/dev/null ||
    { echo "SKIPPED: the AT-SPI Python binding is not installed"; exit 0; }

work=$(mktemp -d)
cp "$vellit" "$work/vellit"
export XDG_RUNTIME_DIR="$work/run" HOME="$work"
mkdir -m 700 "$XDG_RUNTIME_DIR"
app=
weston=
xvfb=
cleanup() {
    [ -n "$app" ] && kill -9 "$app" 2>/dev/null || true
    [ -n "$weston" ] && kill "$weston" 2>/dev/null || true
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
    [ -n "${DBUS_SESSION_BUS_PID:-}" ] && kill "$DBUS_SESSION_BUS_PID" 2>/dev/null || true
    pkill -f "at-spi.*$work" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

weston --backend=headless-backend.so --socket=wayland-vellit --idle-time=0 \
    --no-config >"$work/weston.log" 2>&1 &
weston=$!
wait_until test -S "$XDG_RUNTIME_DIR/wayland-vellit"
[ -S "$XDG_RUNTIME_DIR/wayland-vellit" ] || { echo "FAIL: weston did not start"; cat "$work/weston.log"; exit 1; }
eval "$(dbus-launch --sh-syntax)"
export WAYLAND_DISPLAY=wayland-vellit QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
unset DISPLAY QT_QPA_PLATFORM

# The Qt platform plugin the running editor loaded.
plugin() { grep -o 'libq\(wayland\|xcb\)[a-z-]*\.so' "/proc/$app/maps" | sort -u | head -1; }

# Plain Wayland.
"$work/vellit" &
app=$!
"$atspi" wait '無題 - Vellit'
echo "with no X display the editor loaded: $(plugin)"
[ "$(plugin)" = "libqwayland-generic.so" ] || { echo "FAIL: not on Wayland"; exit 1; }
"$atspi" tree >"$work/tree"
grep -q '^    text | 本文 |' "$work/tree" || { echo "FAIL: the text area has no name"; exit 1; }

"$atspi" press '表示(V)' '常に手前に表示(S)'
"$atspi" wait 'ウィンドウを常に手前に表示できません'
! "$atspi" checked '表示(V)' '常に手前に表示(S)' || { echo "FAIL: marked though not on top"; exit 1; }
"$atspi" press 'Vellit' 'OK'

"$atspi" press '特別(T)' '登録文字変更(S)'
"$atspi" wait '登録文字5'
"$atspi" tree >"$work/tree"
for n in 1 2 3 4 5; do
    grep -q "text | 登録文字$n |" "$work/tree" || { echo "FAIL: no box named 登録文字$n"; exit 1; }
done
"$atspi" press '登録文字変更' 'キャンセル'

"$atspi" press '特別(T)' 'オプション(O)'
"$atspi" wait '初期題名'
"$atspi" tree >"$work/tree"
grep -q 'text | 初期題名 |' "$work/tree" || { echo "FAIL: no box named 初期題名"; exit 1; }
"$atspi" press 'オプション' 'キャンセル'

"$atspi" press '編集(E)' 'フォントの設定(F)'
"$atspi" wait 'サイズの一覧'
"$atspi" tree >"$work/tree"
for name in フォント名 サイズ スタイルの一覧 サンプル; do
    grep -q " | $name |" "$work/tree" || { echo "FAIL: the font dialog has no $name"; exit 1; }
done
"$atspi" press 'フォント' 'キャンセル'
kill -9 "$app"
wait "$app" 2>/dev/null || true
app=

# Wayland with XWayland beside it (an X server of our own stands in for it).
rm -f "$work"/backup*.txt
start_xvfb "$work"
"$work/vellit" &
app=$!
"$atspi" wait '無題 - Vellit'
echo "with an X display too the editor loaded: $(plugin)"
[ "$(plugin)" = "libqxcb.so" ] || { echo "FAIL: XWayland was not chosen"; exit 1; }
echo "PASS"
