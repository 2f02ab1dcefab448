#!/usr/bin/env bash
# Installs what is missing, builds in build/ and starts the editor with FILE, if given.
set -euo pipefail
cd "$(dirname "$0")"
. scripts/packages.sh
install_missing_packages "${BUILD_PACKAGES[@]}"
build_vellit
exec build/src/vellit "$@"
