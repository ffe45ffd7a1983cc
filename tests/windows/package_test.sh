#!/usr/bin/env bash
# package_test.sh CPACK BINARY_DIR VERSION WINE [PROGRAM...]
# Makes the zip and checks that it holds dxfconv.exe, the other programs
# named, the README and the licence, and that the dxfconv.exe in it runs on
# its own.
set -euo pipefail
cpack=$1 binary_dir=$2 version=$3 wine=$4
shift 4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$cpack" --config "$binary_dir/CPackConfig.cmake" -B "$work" >/dev/null
zip="$work/dxfconv-$version-win64.zip"
/usr/bin/python3 - "$zip" "$work/unpacked" "$version" "$@" <<'PYTHON'
import sys, zipfile
path, target, version, *programs = sys.argv[1:]
names = sorted(zipfile.ZipFile(path).namelist())
folder = f"dxfconv-{version}-win64/"
expected = sorted(folder + name for name in ["LICENSE.txt", "README.txt", "dxfconv.exe", *programs])
if names != expected:
    sys.exit(f"the zip holds {names}, not {expected}")
zipfile.ZipFile(path).extractall(target)
# Text that Notepad on any Windows shows with its line breaks.
readme = open(f"{target}/{folder}README.txt", "rb").read()
if readme.count(b"\n") != readme.count(b"\r\n") or not readme.startswith(b"# dxfconv\r\n"):
    sys.exit("README.txt is not the README with CR LF line ends")
# The dialog is a window program: no console opens with it.
for program in programs:
    image = open(f"{target}/{folder}{program}", "rb").read()
    header = int.from_bytes(image[0x3C:0x40], "little")
    subsystem = int.from_bytes(image[header + 24 + 68 : header + 24 + 70], "little")
    if subsystem != 2:
        sys.exit(f"{program} is for subsystem {subsystem}, not the Windows GUI (2)")
PYTHON
cd "$work/unpacked/dxfconv-$version-win64"
printed=$("$wine" dxfconv.exe --version)
if [ "$printed" != "dxfconv $version" ]; then
    echo "dxfconv.exe from the zip printed: $printed" >&2
    exit 1
fi
echo "dxfconv-$version-win64.zip: dxfconv.exe $*, README.txt, LICENSE.txt; dxfconv.exe runs"
