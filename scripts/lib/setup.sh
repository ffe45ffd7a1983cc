# Sourced by the developer scripts: installs what a fresh Debian 12 machine
# lacks, then configures and builds into build/.

# What building needs (the build configures its tests too: GoogleTest, and
# GTK's headers for the dialog's tests), and what running the tests needs on
# top. The Windows programs are cross-built with MinGW-w64 (POSIX threads for
# std::thread) against GoogleTest's sources and wxMSW (scripts/lib/wxmsw.sh),
# their tests run under Wine (the dialog's in Japanese, with a locale of its
# own), and NSIS makes the installer.
# What building and running the two Linux programs takes, and nothing more.
RUN_PACKAGES=(g++ cmake ninja-build pkg-config libwxgtk3.2-dev fonts-ipafont-mincho)
BUILD_PACKAGES=(g++ cmake ninja-build pkg-config libgtest-dev libwxgtk3.2-dev libgtk-3-dev
    fonts-ipafont-mincho g++-mingw-w64-x86-64-posix googletest nsis)
TEST_PACKAGES=(xvfb xauth xdotool python3-ezdxf gdal-bin clang libclang-rt-14-dev desktop-file-utils dpkg-dev file
    lintian wine wine64 fonts-wine locales)
# What scripts/render-sample needs to draw the README's pictures.
DOCS_PACKAGES=(python3-ezdxf python3-matplotlib inkscape python3-cssselect)

missing_packages() {
    local pkg
    for pkg in "$@"; do
        dpkg-query -W -f='${Status}\n' "$pkg" 2>/dev/null | grep -q '^install ok installed$' ||
            printf '%s\n' "$pkg"
    done
}

# ensure_packages PKG...: installs the missing ones (as root), or prints the
# command that would and fails.
ensure_packages() {
    local missing
    mapfile -t missing < <(missing_packages "$@")
    [ "${#missing[@]}" -eq 0 ] && return 0
    if [ "$(id -u)" -eq 0 ]; then
        echo "Installing: ${missing[*]}" >&2
        export DEBIAN_FRONTEND=noninteractive
        apt-get update -q
        apt-get install -y --no-install-recommends "${missing[@]}"
    else
        echo "These packages are missing. Install them with:" >&2
        echo "  sudo apt-get update && sudo apt-get install -y --no-install-recommends ${missing[*]}" >&2
        return 1
    fi
}

# build_release: configures build/ (release, with tests) and builds it.
build_release() {
    cmake --preset release >/dev/null
    cmake --build --preset release
}

# build_programs DIR: configures DIR with the preset "programs" and builds
# what it holds: the two programs and the manual pages and changelog that
# `cmake --install` and cpack take from it.
build_programs() {
    cmake -S "$(dirname "${BASH_SOURCE[0]}")/../.." --preset programs -B "$1" &&
        cmake --build "$1"
}
