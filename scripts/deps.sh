# Installs the Debian packages a step needs, only those that are missing.
# Usage (sourced): qv_need_packages pkg...

qv_missing_packages() {
    local pkg
    for pkg in "$@"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" ||
            printf '%s\n' "$pkg"
    done
}

qv_need_packages() {
    local missing
    missing=$(qv_missing_packages "$@")
    [ -z "$missing" ] && return 0
    echo "Installing missing packages:" $missing
    local sudo=""
    if [ "$(id -u)" != 0 ]; then
        command -v sudo >/dev/null || { echo "Please install as root: $missing" >&2; return 1; }
        sudo=sudo
    fi
    export DEBIAN_FRONTEND=noninteractive
    $sudo apt-get update -qq || return 1
    # shellcheck disable=SC2086
    $sudo apt-get install -y -qq --no-install-recommends $missing >/dev/null || return 1
}

# What building and running the program needs.
# qt6-translations-l10n brings Qt's Russian texts, which the build puts into the program.
QV_BUILD_PACKAGES="build-essential cmake ninja-build pkg-config qt6-base-dev libgl-dev
  qt6-qpa-plugins qt6-translations-l10n fonts-dejavu-core fonts-dejavu-extra libgtest-dev
  libgmock-dev libbenchmark-dev"

# What the quality gates of scripts/test need beyond that: clang and its sanitizer/fuzzer
# runtimes, gcovr, the Windows cross compiler with GoogleTest sources and wine (and xz-utils for
# the Qt sources that scripts/windows-qt unpacks), a virtual X server with xdotool and
# ImageMagick for the window smoke test, the Debian packaging tools, debootstrap for installing
# the package on a fresh system, setcap for the end-to-end tests of the real-time helper,
# dbus-daemon for the private bus on which the keep-awake tests meet a fake logind, and
# LibreOffice Calc without its windows, which opens the table of values as a spreadsheet would.
QV_TEST_PACKAGES="clang-14 libclang-rt-14-dev gcovr ccache g++-mingw-w64-x86-64-posix googletest
  wine64 xz-utils xvfb xauth xdotool imagemagick x11-utils dpkg-dev file desktop-file-utils
  debootstrap libcap2-bin dbus-daemon libreoffice-calc-nogui"
