#!/usr/bin/env bash
# Every C++ source of the project is formatted as .clang-format says.
# Usage: format_check.sh SOURCE-DIR
set -euo pipefail
cd "$1"
command -v clang-format >/dev/null || { echo "FAIL: clang-format is not installed"; exit 1; }
if [ -d .git ]; then
    git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror
else
    find src tests bench \( -name '*.cpp' -o -name '*.h' \) -print0 | xargs -0 clang-format --dry-run --Werror
fi
echo "formatting: every source as .clang-format says"
