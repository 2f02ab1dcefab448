#!/usr/bin/env bash
# Builds the Debian package with CPack, installs it (as root; otherwise unpacks it into a
# throw-away root and checks the files only), starts the installed vellit under Xvfb as
# an unprivileged user and checks that its backup and settings live in ~/.config/Vellit.
# Usage: package_install.sh BUILD_DIR
set -euo pipefail
. "$(dirname "$0")/../e2e/lib.sh"
build=$1
work=$(mktemp -d)
chmod 755 "$work"
installed=
bus_pid=
cleanup() {
    pkill -u 65534 -x vellit 2>/dev/null || true
    [ -n "$bus_pid" ] && kill "$bus_pid" 2>/dev/null || true
    [ -n "${xvfb:-}" ] && kill "$xvfb" 2>/dev/null || true
    [ -n "$installed" ] && dpkg -r vellit >/dev/null 2>&1 || true
    rm -rf "$work"
}
trap cleanup EXIT
(cd "$build" && cpack -G DEB -B "$work/pkg" >/dev/null)
deb=$(ls "$work"/pkg/vellit_*.deb)
echo "built $(basename "$deb")"
dpkg-deb -f "$deb" Depends | grep -q libqt6widgets6 || { echo "FAIL: no Qt dependency"; exit 1; }
files=$(dpkg-deb -c "$deb")
for f in ./usr/bin/vellit ./usr/libexec/vellit/vellit ./usr/libexec/vellit/QUILLA.HLP \
    ./usr/share/applications/org.example.Vellit.desktop \
    ./usr/share/metainfo/org.example.Vellit.metainfo.xml \
    ./usr/share/icons/hicolor/scalable/apps/org.example.Vellit.svg \
    ./usr/share/icons/hicolor/48x48/apps/org.example.Vellit.png; do
    grep -q " $f" <<<"$files" || { echo "FAIL: $f is not in the package"; exit 1; }
done
for f in ./usr/share/man/man1/vellit.1.gz ./usr/share/man/ja/man1/vellit.1.gz \
    ./usr/share/doc/vellit/copyright ./usr/share/doc/vellit/changelog.gz; do
    grep -q " $f" <<<"$files" || { echo "FAIL: $f is not in the package"; exit 1; }
done
mkdir "$work/root"
dpkg-deb -x "$deb" "$work/root"
# The copyright file is machine-readable, the changelog a Debian changelog of this
# version, the manual pages render, the program is stripped.
head -1 "$work/root/usr/share/doc/vellit/copyright" |
    grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/'
zcat "$work/root/usr/share/doc/vellit/changelog.gz" | head -1 |
    grep -q "^vellit ($(dpkg-deb -f "$deb" Version)) "
for page in man1/vellit.1.gz ja/man1/vellit.1.gz; do
    zcat "$work/root/usr/share/man/$page" | man -l - 2>/dev/null | grep -q 'vellit' ||
        { echo "FAIL: $page does not render"; exit 1; }
done
if readelf -S "$work/root/usr/libexec/vellit/vellit" | grep -q '\.debug_info'; then
    echo "FAIL: the program is not stripped"
    exit 1
fi
# The installed program searches the system's library directories alone.
if readelf -d "$work/root/usr/libexec/vellit/vellit" | grep -qE '\((RPATH|RUNPATH)\)'; then
    echo "FAIL: the program sets its own library search path"
    exit 1
fi
echo "package size: $(stat -c %s "$deb") bytes"
# A maintainer's check: lintian reports no error and no warning (informational tags
# may stay).
tags=$(lintian --pedantic "$deb" 2>/dev/null | grep -E '^[EW]:' || true)
[ -z "$tags" ] || { echo "FAIL: lintian: $tags"; exit 1; }
echo "lintian: no errors, no warnings"
if [ "$(id -u)" -ne 0 ]; then
    echo "SKIPPED: installing needs root; the package's files were checked"
    exit 0
fi
# Recommends are left out: what the program needs in Japanese comes in as Depends.
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$deb" >/dev/null
installed=1
dpkg -L vellit | grep -q /usr/share/applications/org.example.Vellit.desktop
dpkg -L vellit | grep -q /usr/share/icons/hicolor/256x256/apps/org.example.Vellit.png

mkdir -p "$work/home" "$work/run"
cp "$(dirname "$0")/../e2e/atspi.py" "$work/atspi.py"
chown 65534:65534 "$work/home" "$work/run"
chmod 700 "$work/run"
start_xvfb "$work" 1024x768x24
# The user's session: its own bus, on which the installed program and the screen-reader
# view of it meet.
bus=
as_user() {
    setpriv --reuid=65534 --regid=65534 --clear-groups env -i PATH=/usr/bin:/bin \
        HOME="$work/home" XDG_RUNTIME_DIR="$work/run" DISPLAY="$DISPLAY" \
        DBUS_SESSION_BUS_ADDRESS="$bus" "$@"
}
{
    read -r bus
    read -r bus_pid
} < <(as_user dbus-daemon --session --fork --print-address=1 --print-pid=1)
as_user env QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 vellit >/dev/null 2>&1 &
wait_window ' - Vellit'  # the installed editor
[ -f "$work/home/.config/Vellit/backup.txt" ] || { echo "FAIL: no backup in ~/.config/Vellit"; exit 1; }
[ "$(stat -c %a "$work/home/.config/Vellit/backup.txt")" = 600 ] || { echo "FAIL: backup not private"; exit 1; }
[ ! -e /usr/libexec/vellit/backup.txt ] || { echo "FAIL: backup beside the installed program"; exit 1; }
# Qt's buttons in Japanese from the installed program: typed text, then the exit asks
# whether to save, its buttons read through the accessibility tree; いいえ ends it.
xdotool windowfocus --sync "$win" type x
xdotool key alt+f x
as_user /usr/bin/python3 "$work/atspi.py" wait 'いいえ(N)' ||
    { echo "FAIL: the save prompt has no いいえ button"; as_user /usr/bin/python3 "$work/atspi.py" tree; exit 1; }
as_user /usr/bin/python3 "$work/atspi.py" wait 'はい(Y)' || { echo "FAIL: no はい button"; exit 1; }
echo "the installed program's buttons read はい(Y) and いいえ(N)"
as_user /usr/bin/python3 "$work/atspi.py" press 'Vellit' 'いいえ(N)'
# A normal end saves the window group in the user's Conf.ini and removes the backup.
wait_until test -f "$work/home/.config/Vellit/Conf.ini" || { echo "FAIL: no Conf.ini in ~/.config/Vellit"; exit 1; }

# Removed cleanly: nothing of the package is left.
pkill -u 65534 -x vellit 2>/dev/null || true
DEBIAN_FRONTEND=noninteractive dpkg -r vellit >/dev/null
installed=
for f in /usr/bin/vellit /usr/libexec/vellit /usr/share/doc/vellit /usr/share/man/man1/vellit.1.gz \
    /usr/share/applications/org.example.Vellit.desktop; do
    [ ! -e "$f" ] || { echo "FAIL: $f left after removal"; exit 1; }
done
echo "package: all checks passed"
