#!/usr/bin/env bash
# Builds the Debian package from a build tree, installs it on this machine,
# uses both programs from where the package put them and removes it again,
# also when a check fails.
#
# Usage: install_package_test.sh CPACK BUILD_DIR SOURCE_DIR VERSION
# Exit status 77 (skipped) when not root, without dpkg and apt-get, or when
# a dxfconv package is installed already.
set -uo pipefail

cpack=$1 build=$2 source=$3 version=$4
skip() { echo "SKIPPED: $*"; exit 77; }

[ "$(id -u)" -eq 0 ] || skip "installing a package needs root"
if ! command -v dpkg >/dev/null || ! command -v apt-get >/dev/null; then
    skip "no dpkg and apt-get here"
fi

# Another build tree may run this test at the same time; the package name
# is the same for all.
exec 9>/run/lock/dxfconv-package-test.lock
flock 9

package_state() { dpkg-query -W -f='${db:Status-Status}' dxfconv 2>/dev/null; }
on_machine() {
    local state
    state=$(package_state)
    [ -n "$state" ] && [ "$state" != not-installed ]
}
! on_machine || skip "a dxfconv package is on this machine already; the test would replace it"

failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

tmp=$(mktemp -d)
# apt reads the .deb as its unprivileged user.
chmod 755 "$tmp"
apt_options=(-y -q --no-install-recommends -o DPkg::Lock::Timeout=600)
remove_package() { ! on_machine || apt-get purge "${apt_options[@]}" dxfconv >/dev/null; }
trap 'remove_package; rm -rf "$tmp"' EXIT

source "$(dirname "$0")/build_deb.sh"
build_deb "$cpack" "$build" "$tmp"

# The control fields.
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = dxfconv ] || fail "Package is '$(field Package)'"
[ "$(field Version)" = "$version" ] || fail "Version is '$(field Version)', not $version"
depends=$(field Depends)
for library in libc6 libstdc++6 libwxgtk3.2-1; do
    awk '{ print $1 }' <<<"${depends//[,|]/$'\n'}" | grep -qxF "$library" ||
        fail "Depends lacks $library: $depends"
done
[ "$(field Recommends)" = fonts-ipafont-mincho ] || fail "Recommends is '$(field Recommends)'"
[ -n "$(field Maintainer)" ] || fail "no Maintainer"
[ -n "$(field Description)" ] || fail "no Description"

# The package must bring nothing along: what it would pull in would stay
# behind after the test.
others=$(apt-get install -s "${apt_options[@]}" "$deb" 2>&1 | awk '$1 == "Inst" && $2 != "dxfconv" { print $2 }')
[ -z "$others" ] || {
    echo "FAIL: installing the package would also install: $others"
    exit 1
}
apt-get install "${apt_options[@]}" "$deb" >"$tmp/apt.log" 2>&1 || {
    cat "$tmp/apt.log"
    echo "FAIL: apt-get install $deb"
    exit 1
}

files=(
    /usr/bin/dxfconv
    /usr/bin/dxfconv-gui
    /usr/share/applications/dxfconv-gui.desktop
    /usr/share/applications/dxfconv-gui-modern.desktop
    /usr/share/man/man1/dxfconv.1.gz
    /usr/share/man/man1/dxfconv-gui.1.gz
    /usr/share/doc/dxfconv/README.md
    /usr/share/doc/dxfconv/LICENSE
    /usr/share/doc/dxfconv/copyright
    /usr/share/doc/dxfconv/changelog.gz
)
for size in 16 32 48 256; do
    files+=("/usr/share/icons/hicolor/${size}x${size}/apps/dxfconv-gui.png")
done
for file in "${files[@]}"; do
    [ -f "$file" ] || fail "$file is not installed"
done

[ "$(/usr/bin/dxfconv --version)" = "dxfconv $version" ] || fail "dxfconv --version says '$(/usr/bin/dxfconv --version)'"
missing=$(ldd /usr/bin/dxfconv /usr/bin/dxfconv-gui | grep 'not found')
[ -z "$missing" ] || fail "libraries the package does not bring: $missing"

# A conversion with the installed command, in a directory of its own.
mkdir "$tmp/work"
cp "$source/samples/floorplan.dxf" "$tmp/work/plan.dxf"
(cd "$tmp/work" && /usr/bin/dxfconv -q plan.dxf plan_lt) >"$tmp/run.log" 2>&1 ||
    fail "dxfconv plan.dxf plan_lt: exit status $?: $(cat "$tmp/run.log")"
if [ -f "$tmp/work/plan_lt.dxf" ]; then
    cmp -s <(head -n 20 "$tmp/work/plan.dxf") <(head -n 20 "$tmp/work/plan_lt.dxf") ||
        fail "the output does not begin with the source's first 20 lines"
    groups() { grep -c $'^  6\r$' "$1"; }
    [ "$(groups "$tmp/work/plan_lt.dxf")" -gt "$(groups "$tmp/work/plan.dxf")" ] ||
        fail "the output has no more linetype groups than the source ($(groups "$tmp/work/plan.dxf"))"
else
    fail "dxfconv wrote no plan_lt.dxf"
fi

desktop=/usr/share/applications/dxfconv-gui.desktop
if [ -f "$desktop" ]; then
    command -v desktop-file-validate >/dev/null || fail "desktop-file-validate is missing (desktop-file-utils)"
    report=$(desktop-file-validate "$desktop" 2>&1)
    [ -z "$report" ] || fail "desktop-file-validate: $report"
    grep -qx "Name=$(sed -n 's/^Name=//p' "$source/packaging/dxfconv-gui.desktop")" "$desktop" || fail "the desktop entry's Name differs"
    grep -qx 'Exec=dxfconv-gui %f' "$desktop" || fail "Exec is not dxfconv-gui %f"
    grep -qx 'MimeType=image/vnd.dxf;image/x-dxf;application/dxf;' "$desktop" ||
        fail "the desktop entry does not declare the DXF types"
fi
modern_desktop=/usr/share/applications/dxfconv-gui-modern.desktop
if [ -f "$modern_desktop" ]; then
    report=$(desktop-file-validate "$modern_desktop" 2>&1)
    [ -z "$report" ] || fail "desktop-file-validate: $report"
    grep -qx 'Name=DXFからDXF変換 (R13以降)' "$modern_desktop" || fail "the modern entry's Name differs"
    grep -qx 'Exec=dxfconv-gui --modern %f' "$modern_desktop" || fail "the modern entry does not start --modern"
fi
# The icons are PNG images of the size their folder names.
for size in 16 32 48 256; do
    icon="/usr/share/icons/hicolor/${size}x${size}/apps/dxfconv-gui.png"
    [ -f "$icon" ] || continue
    header=$(od -An -tx1 -N24 "$icon" | tr -d ' \n')
    dimension=$(printf '%08x' "$size")
    [ "$header" = "89504e470d0a1a0a0000000d49484452$dimension$dimension" ] ||
        fail "$icon is not a ${size}x$size PNG (header $header)"
done
for page in dxfconv dxfconv-gui; do
    file=/usr/share/man/man1/$page.1.gz
    [ ! -f "$file" ] || gzip -dc "$file" | grep -q "^\.TH ${page^^} 1 " || fail "$file is not $page(1)"
done

remove_package || fail "apt-get purge dxfconv"
! on_machine || fail "dxfconv is still $(package_state)"
for file in "${files[@]}"; do
    [ ! -e "$file" ] || fail "$file is left after removing the package"
done

[ "$failures" -eq 0 ] || exit 1
echo "The package installs, works and goes again."
