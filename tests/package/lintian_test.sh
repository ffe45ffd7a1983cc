#!/usr/bin/env bash
# Builds the Debian package from a build tree and checks it as Debian does:
# lintian reports no error and no warning. Also checks what lintian does not:
# every relative link of the installed README reaches a file of the package,
# the changelog's latest entry is the package's version, and the desktop
# entry is valid and opens DXF files.
#
# Usage: lintian_test.sh CPACK BUILD_DIR VERSION
set -uo pipefail

cpack=$1 build=$2 version=$3

command -v lintian >/dev/null || {
    echo "FAIL: lintian is missing"
    exit 1
}

failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

source "$(dirname "$0")/build_deb.sh"
build_deb "$cpack" "$build" "$tmp"

# Lintian warns on stderr when run as root; its findings go to stdout.
lintian "$deb" >"$tmp/lintian.log" 2>"$tmp/lintian.err"
status=$?
findings=$(grep -E '^[EW]: ' "$tmp/lintian.log")
[ -z "$findings" ] || fail "lintian:"$'\n'"$findings"
[ "$status" -eq 0 ] || fail "lintian ended with status $status: $(cat "$tmp/lintian.log" "$tmp/lintian.err")"

dpkg-deb -x "$deb" "$tmp/root"
doc="$tmp/root/usr/share/doc/dxfconv"
[ -f "$doc/README.md" ] || fail "no README.md in /usr/share/doc/dxfconv"
# Markdown links and images, without the ones to other sites or anchors.
links=$(grep -oE '\]\([^)#]+\)' "$doc/README.md" | sed -E 's/^\]\((.*)\)$/\1/' | grep -vE '^[a-z]+:')
[ -n "$links" ] || fail "the README links to nothing: the check would check nothing"
while IFS= read -r link; do
    [ -z "$link" ] || [ -f "$doc/$link" ] || fail "the README's link $link reaches no installed file"
done <<<"$links"

desktop="$tmp/root/usr/share/applications/dxfconv-gui.desktop"
report=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate: $report"
[ -z "$report" ] || fail "desktop-file-validate: $report"
grep -qx 'MimeType=image/vnd.dxf;image/x-dxf;application/dxf;' "$desktop" ||
    fail "the desktop entry does not declare the DXF types"
grep -qE '^Exec=dxfconv-gui %f$' "$desktop" || fail "the desktop entry's Exec does not pass %f"

latest=$(gzip -dc "$doc/changelog.gz" | head -n 1)
[[ "$latest" == "dxfconv ($version) "* ]] || fail "the changelog begins '$latest', not version $version"

[ "$failures" -eq 0 ] || exit 1
echo "lintian finds nothing to warn of in $(basename "$deb")."
