#!/usr/bin/env bash
# installer_test.sh WINE INSTALLER VERSION FILES NSIS_SCRIPT MAKENSIS HOLDER
# Runs the installer silently (/S) in a Wine prefix of its own, over an older
# version made from the same FILES: checks the files in Program Files, the
# installed dxfconv.exe, the Start-menu shortcuts, the entry in the list of
# installed programs and "Open with" for .dxf; that an older installer leaves
# the newer version alone; then that the uninstaller (/S) leaves the prefix's
# files and registry as they were before. While HOLDER holds the mark of a
# running dxfconv, neither of them may change anything.
set -euo pipefail
wine=$1 installer=$2 version=$3 files=$4 script=$5 makensis=$6 holder=$7
work=$(mktemp -d)
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="winemenubuilder.exe=d"
export LC_ALL=C.UTF-8
cleanup() {
    wineserver -k 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

wineboot -i >/dev/null 2>&1
wineserver -w
drive="$WINEPREFIX/drive_c"
folder="$drive/Program Files/dxfconv"
shortcut="$drive/ProgramData/Microsoft/Windows/Start Menu/Programs/DXFからDXF変換.lnk"
modern_shortcut="$drive/ProgramData/Microsoft/Windows/Start Menu/Programs/DXFからDXF変換 (R13以降).lnk"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\dxfconv'

# What an uninstall must give back: the files (but the temporary ones) and
# the machine's registry. Wine is waited for unless a program is to go on.
snapshot() {
    find "$drive" -path "$drive/users" -prune -o -path "$drive/windows/temp" -prune -o -print |
        sort >"$work/$1.files"
    wine reg export 'HKLM\Software' "$work/$1.reg" /y >/dev/null
    [ "${2:-}" = running ] || wineserver -w
}
# installed_version: the version in the list of installed programs.
installed_version() {
    wine reg query "$uninstall_key" /v DisplayVersion 2>/dev/null |
        sed -n 's/.*DisplayVersion *REG_SZ *\([^ \r]*\).*/\1/p'
}
# run_installer EXE: runs it silently and waits for everything it started.
run_installer() {
    local status=0
    wine "$1" /S || status=$?
    wineserver -w
    return "$status"
}

# dxf_default: the ProgID that opens .dxf files by default.
dxf_default() {
    wine reg query 'HKLM\Software\Classes\.dxf' /ve | sed -n 's/.*(Default) *REG_SZ *//p' |
        tr -d '\r'
}

# Another program opens .dxf files by default, and goes on doing so.
wine reg add 'HKLM\Software\Classes\.dxf' /ve /d OtherCad.Drawing /f >/dev/null
snapshot before

"$makensis" -V1 -DVERSION=0.0.1 -DFILES="$files" -DOUTFILE="$work/older.exe" "$script"
run_installer "$work/older.exe" || fail "the older installer failed"
[ "$(installed_version)" = 0.0.1 ] || fail "the older version is not listed"

run_installer "$installer" || fail "the installer failed"
[ "$(installed_version)" = "$version" ] || fail "installed version: $(installed_version)"
entries=$(wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' |
    grep -c 'Uninstall\\dxfconv' || true)
[ "$entries" -eq 1 ] || fail "$entries entries in the list of installed programs"
for name in dxfconv-gui.exe dxfconv.exe README.txt LICENSE.txt uninstall.exe; do
    [ -f "$folder/$name" ] || fail "no $name in Program Files\\dxfconv"
done
printed=$(wine "C:\\Program Files\\dxfconv\\dxfconv.exe" --version | tr -d '\r')
[ "$printed" = "dxfconv $version" ] || fail "the installed dxfconv.exe printed: $printed"
[ -f "$shortcut" ] && [ -f "$modern_shortcut" ] || fail "no Start-menu shortcuts"
# Each shortcut starts the dialog, the second one with --modern.
/usr/bin/python3 - "$shortcut" "$modern_shortcut" <<'PYTHON' || fail "the shortcuts start no dialog"
import sys
def holds(link, text):
    return text.encode("utf-16-le") in link or text.encode() in link
plain, modern = (open(path, "rb").read() for path in sys.argv[1:])
target = "C:\\Program Files\\dxfconv\\dxfconv-gui.exe"
if not (holds(plain, target) and holds(modern, target)):
    sys.exit("a shortcut does not name dxfconv-gui.exe")
if holds(plain, "--modern") or not holds(modern, "--modern"):
    sys.exit("--modern belongs to the second shortcut only")
PYTHON
wine reg query "$uninstall_key" /v UninstallString | grep -q 'dxfconv\\uninstall.exe' ||
    fail "no uninstaller in the list of installed programs"
wine reg query 'HKLM\Software\Classes\.dxf\OpenWithProgids' /v dxfconv.dxf >/dev/null ||
    fail "not among the programs that open .dxf files"
wine reg query 'HKLM\Software\Classes\dxfconv.dxf\shell\open\command' /ve |
    grep -q '"C:\\Program Files\\dxfconv\\dxfconv-gui.exe" "%1"' || fail "no open command"
wine reg query 'HKLM\Software\Classes\Applications\dxfconv-gui.exe\SupportedTypes' /v .dxf \
    >/dev/null || fail "not an application for .dxf files"
[ "$(dxf_default)" = OtherCad.Drawing ] || fail "took over the default program for .dxf files"

# An older installer keeps the newer version.
status=0
run_installer "$work/older.exe" || status=$?
[ "$status" -ne 0 ] || fail "the older installer went ahead over a newer version"
[ "$(installed_version)" = "$version" ] || fail "the older installer replaced the newer one"

# A running program keeps the installed version as it is. The uninstaller
# runs in place (_?=, unquoted from a batch file) to give its exit status.
coproc running { wine "$holder"; }
read -r said <&"${running[0]}" || true
[ "${said%$'\r'}" = running ] || fail "the holder did not start"
snapshot installed running
wine "$installer" /S && fail "the installer went ahead while dxfconv ran"
printf '@"C:\\Program Files\\dxfconv\\uninstall.exe" /S _?=C:\\Program Files\\dxfconv\r\n@exit /b %%errorlevel%%\r\n' \
    >"$drive/windows/temp/uninstall-in-place.bat"
wine cmd /c 'C:\windows\temp\uninstall-in-place.bat' &&
    fail "the uninstaller went ahead while dxfconv ran"
snapshot refused running
diff "$work/installed.files" "$work/refused.files" >&2 || fail "files changed while dxfconv ran"
diff "$work/installed.reg" "$work/refused.reg" >&2 || fail "registry changed while dxfconv ran"
holder_input=${running[1]}
exec {holder_input}>&-
wineserver -w

wine "C:\\Program Files\\dxfconv\\uninstall.exe" /S
wineserver -w
snapshot after
diff "$work/before.files" "$work/after.files" >&2 || fail "files left behind"
diff "$work/before.reg" "$work/after.reg" >&2 || fail "registry entries left behind"
echo "installed $version over 0.0.1, ran dxfconv.exe, kept it against 0.0.1 and while dxfconv ran,"\
    "uninstalled cleanly"
