#!/usr/bin/env bash
# The program finds its libraries in the system's directories only: started from a
# directory that holds copies of some of its libraries, it does not take those.
# Usage: library_search.sh PROGRAM
set -euo pipefail
program=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
planted=(libQt6Core.so.6 libQt6Gui.so.6 libicuuc.so.72 libfontconfig.so.1)
for name in "${planted[@]}"; do
    cp "$(ldconfig -p | awk -v n="$name" '$1 == n && /x86-64/ { print $NF; exit }')" "$work/"
done
cd "$work"
# The loader reports where it takes each library, without running the program.
resolved=$(LD_TRACE_LOADED_OBJECTS=1 "$program" 2>&1)
for name in "${planted[@]}"; do
    # "name => /usr/lib/…/name (address)"; a library found through a relative path is
    # listed as "name (address)" alone.
    line=$(grep -E "^[[:space:]]+${name//./\\.}[[:space:]]" <<<"$resolved" | head -1 || true)
    case $line in
    "") echo "FAIL: $name is not among the program's libraries"; exit 1 ;;
    *"=> $work/"*) echo "FAIL: the copy in the starting directory was taken:$line"; exit 1 ;;
    *"=> /"*) ;;
    *) echo "FAIL: the copy in the starting directory was taken:$line"; exit 1 ;;
    esac
done
echo "every library comes from the system's directories"
