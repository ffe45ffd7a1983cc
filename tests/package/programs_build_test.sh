#!/usr/bin/env bash
# The README's install steps after `scripts/run`: a build made as that script
# makes it (tests off) installs with `cmake --install` and packs with cpack,
# without files only the test build used to make.
#
# Usage: programs_build_test.sh SOURCE_DIR WORK_DIR CPACK
set -uo pipefail

source_dir=$1 work=$2 cpack=$3
fail() {
    echo "FAIL: $*"
    exit 1
}

source "$source_dir/scripts/lib/setup.sh"
source "$(dirname "$0")/build_deb.sh"
mkdir -p "$work"
rm -rf "$work/prefix" "$work/pkg"
build_programs "$work/build" >"$work/build.log" 2>&1 || {
    cat "$work/build.log"
    fail "build_programs"
}
cmake --install "$work/build" --prefix "$work/prefix" >"$work/install.log" 2>&1 || {
    cat "$work/install.log"
    fail "cmake --install"
}
for file in bin/dxfconv bin/dxfconv-gui share/man/man1/dxfconv.1.gz share/man/man1/dxfconv-gui.1.gz \
    share/doc/dxfconv/changelog.gz; do
    [ -s "$work/prefix/$file" ] || fail "cmake --install put no $file"
done
build_deb "$cpack" "$work/build" "$work"
echo "PASS: installed and packed $(basename "$deb")"
