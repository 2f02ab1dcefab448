#!/usr/bin/env bash
# Installs what is missing, builds in build/ and runs every test through CTest; then the
# sanitizer build in build-sanitize/: the unit and widget tests under AddressSanitizer and
# UndefinedBehaviorSanitizer, and a bounded run of every fuzz target.
set -euo pipefail
cd "$(dirname "$0")"
. scripts/packages.sh
install_missing_packages "${BUILD_PACKAGES[@]}" xvfb xauth xdotool x11-utils x11-apps x11-xserver-utils openbox wmctrl \
    fcitx5 fcitx5-mozc fcitx5-frontend-qt6 ibus ibus-mozc dbus-x11 file shared-mime-info poppler-utils \
    desktop-file-utils appstream dpkg-dev lintian man-db \
    weston qt6-wayland at-spi2-core python3-gi gir1.2-atspi-2.0 orca speech-dispatcher clang-format \
    "${SANITIZER_PACKAGES[@]}"
build_vellit
(cd build && ctest --output-on-failure -j"$(nproc)")

build_sanitized
# The tests there carry their sanitizer options (tests/CMakeLists.txt).
cd build-sanitize
ctest --output-on-failure -j"$(nproc)"
