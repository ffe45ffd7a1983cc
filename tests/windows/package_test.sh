#!/usr/bin/env bash
# package_test.sh CPACK BINARY_DIR VERSION WINE
# Makes the zip and checks that it holds dxfconv.exe, the README and the
# licence, and that the dxfconv.exe in it runs on its own.
set -euo pipefail
cpack=$1 binary_dir=$2 version=$3 wine=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$cpack" --config "$binary_dir/CPackConfig.cmake" -B "$work" >/dev/null
zip="$work/dxfconv-$version-win64.zip"
/usr/bin/python3 - "$zip" "$work/unpacked" "$version" <<'PYTHON'
import sys, zipfile
path, target, version = sys.argv[1:]
names = sorted(zipfile.ZipFile(path).namelist())
folder = f"dxfconv-{version}-win64/"
expected = [folder + name for name in ("LICENSE", "README.md", "dxfconv.exe")]
if names != expected:
    sys.exit(f"the zip holds {names}, not {expected}")
zipfile.ZipFile(path).extractall(target)
PYTHON
cd "$work/unpacked/dxfconv-$version-win64"
printed=$("$wine" dxfconv.exe --version)
if [ "$printed" != "dxfconv $version" ]; then
    echo "dxfconv.exe from the zip printed: $printed" >&2
    exit 1
fi
echo "dxfconv-$version-win64.zip: dxfconv.exe, README.md, LICENSE; the program runs"
