# Installs the Debian packages named as arguments that are not installed yet, as root or
# through sudo. Sourced by run.sh and test.sh.
install_missing_packages() {
    local missing=()
    local pkg
    for pkg in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$pkg")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq "${missing[@]}"
}

BUILD_PACKAGES=(cmake make g++ pkg-config qt6-base-dev qt6-base-dev-tools libqt6svg6 libgl-dev
    libicu-dev libxcb1-dev libxdamage-dev libxtst-dev libfontconfig-dev libglib2.0-dev xdg-utils qt6-translations-l10n qt6-qpa-plugins fonts-ipafont-gothic fonts-ipafont-mincho)

# The sanitizer build's compiler and runtimes (AddressSanitizer, UBSan, libFuzzer).
SANITIZER_PACKAGES=(clang libclang-rt-14-dev)

build_vellit() {
    cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build build -j"$(nproc)"
}

# The core library, the unit and widget tests and the fuzz targets with AddressSanitizer
# and UndefinedBehaviorSanitizer, in build-sanitize/.
build_sanitized() {
    CC=clang CXX=clang++ cmake -S . -B build-sanitize -DVELLIT_SANITIZE=ON \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build build-sanitize -j"$(nproc)"
}
