#!/usr/bin/env bash
# Installs what is missing, builds in build/ and runs every test through CTest; then the
# sanitizer build in build-sanitize/: the unit and widget tests under AddressSanitizer and
# UndefinedBehaviorSanitizer, and a bounded run of every fuzz target.
set -euo pipefail
cd "$(dirname "$0")"
. scripts/packages.sh
install_missing_packages "${BUILD_PACKAGES[@]}" xvfb xauth xdotool x11-utils x11-apps x11-xserver-utils openbox wmctrl \
    fcitx5 fcitx5-mozc fcitx5-frontend-qt6 dbus-x11 file shared-mime-info poppler-utils \
    desktop-file-utils appstream dpkg-dev lintian man-db \
    weston qt6-wayland at-spi2-core python3-gi gir1.2-atspi-2.0 clang-format \
    "${SANITIZER_PACKAGES[@]}"
build_vellit
(cd build && ctest --output-on-failure -j"$(nproc)")

build_sanitized
# The kill test preloads a shim into its child, which ASan would refuse to start.
export ASAN_OPTIONS=verify_asan_link_order=0:detect_leaks=1:strict_string_checks=1
export LSAN_OPTIONS="suppressions=$PWD/tests/sanitizers/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
cd build-sanitize
ctest --output-on-failure -j"$(nproc)"
