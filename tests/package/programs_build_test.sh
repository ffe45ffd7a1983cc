#!/usr/bin/env bash
# The README's install steps after `scripts/run`: a build made as that script
# makes it (tests off) installs with `cmake --install` and packs with cpack.
#
# Usage: programs_build_test.sh SOURCE_DIR WORK_DIR CPACK
set -uo pipefail
source_dir=$1 work=$2 cpack=$3
fail() { cat "$work/log"; echo "FAIL: $*"; exit 1; }

source "$source_dir/scripts/lib/setup.sh"
source "$(dirname "$0")/build_deb.sh"
mkdir -p "$work" && rm -rf "$work/prefix" "$work/pkg"
build_programs "$work/build" >"$work/log" 2>&1 || fail "build_programs"
cmake --install "$work/build" --prefix "$work/prefix" >"$work/log" 2>&1 || fail "cmake --install"
for file in bin/dxfconv bin/dxfconv-gui share/man/man1/dxfconv.1.gz share/man/man1/dxfconv-gui.1.gz \
    share/doc/dxfconv/changelog.gz; do
    [ -s "$work/prefix/$file" ] || fail "cmake --install put no $file"
done
build_deb "$cpack" "$work/build" "$work"
echo "PASS: installed and packed $(basename "$deb")"
