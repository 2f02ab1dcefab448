#!/usr/bin/env bash
# The real editor under Xvfb: F9 on an HTML file with blanks and Japanese in its path
# reaches the stand-in browser registered as the desktop's handler of https addresses
# (it records its arguments), never the stand-in editor registered for HTML files; and
# HTML → タグ挿入 inserts the skeleton.
# Usage: browser_preview.sh VELLIT
set -euo pipefail
. "$(dirname "$0")/lib.sh"
vellit=$1
work=$(mktemp -d)
cp "$vellit" "$work/vellit"
mkdir -p "$work/data/applications" "$work/config" "$work/my pages"
page="$work/my pages/日本語.html"
printf '<HTML>saved</HTML>\r\n' >"$page"
cat >"$work/browser.sh" <<SCRIPT
#!/bin/sh
printf '%s\n' "\$@" >>"$work/opened"
SCRIPT
cat >"$work/htmleditor.sh" <<SCRIPT
#!/bin/sh
printf '%s\n' "\$@" >>"$work/edited"
SCRIPT
chmod +x "$work/browser.sh" "$work/htmleditor.sh"
cat >"$work/data/applications/standin-browser.desktop" <<DESKTOP
[Desktop Entry]
Type=Application
Name=Stand-in browser
Exec=$work/browser.sh %u
MimeType=x-scheme-handler/http;x-scheme-handler/https;
DESKTOP
cat >"$work/data/applications/standin-htmleditor.desktop" <<DESKTOP
[Desktop Entry]
Type=Application
Name=Stand-in HTML editor
Exec=$work/htmleditor.sh %f
MimeType=text/html;
DESKTOP
printf '[Default Applications]\ntext/html=standin-htmleditor.desktop\nx-scheme-handler/https=standin-browser.desktop\nx-scheme-handler/http=standin-browser.desktop\n' \
    >"$work/config/mimeapps.list"
export XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config" \
    XDG_DATA_DIRS="$work/data:/usr/local/share:/usr/share"
unset XDG_CURRENT_DESKTOP DESKTOP_SESSION BROWSER

start_xvfb "$work"
export QT_QPA_PLATFORM=xcb
app=
cleanup() {
    [ -n "$app" ] && kill -9 "$app" 2>/dev/null || true
    kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

"$work/vellit" "$page" &
app=$!
wait_window '日本語.html - Vellit'
xdotool windowfocus --sync "$win" key F9
wait_until test -s "$work/opened"
echo "the stand-in browser was given: $(cat "$work/opened" 2>/dev/null)"
case "$(cat "$work/opened" 2>/dev/null)" in
"$page" | "file://$work/my%20pages/%E6%97%A5%E6%9C%AC%E8%AA%9E.html") ;;
*) echo "FAIL: wrong or no address"; exit 1 ;;
esac
[ ! -e "$work/edited" ] || { echo "FAIL: the HTML-file handler was started"; exit 1; }
# HTML(&L) → タグ挿入(&G) → 基本タグ一括挿入(&A) replaces the text; the backup follows.
xdotool key ctrl+a alt+l g a
backup_starts_html() { [ "$(head -c 6 "$work/backup.txt")" = "<HTML>" ]; }
wait_until backup_starts_html
[ "$(wc -c <"$work/backup.txt")" -eq 68 ] || { echo "FAIL: backup: $(od -c "$work/backup.txt" | head)"; exit 1; }
echo "browser preview: all checks passed"
