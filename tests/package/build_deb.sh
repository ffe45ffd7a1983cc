# Sourced by the package tests: build_deb CPACK BUILD_DIR FOLDER makes the
# Debian package of a build tree in FOLDER/pkg and sets deb to its path;
# exits with the failure when cpack fails or makes other than one package.
build_deb() {
    local cpack=$1 build=$2 folder=$3 debs
    "$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$folder/pkg" >"$folder/cpack.log" 2>&1 || {
        cat "$folder/cpack.log"
        echo "FAIL: cpack -G DEB"
        exit 1
    }
    debs=("$folder"/pkg/dxfconv_*.deb)
    if [ "${#debs[@]}" -ne 1 ] || [ ! -f "${debs[0]}" ]; then
        echo "FAIL: cpack made no single dxfconv_*.deb: ${debs[*]}"
        exit 1
    fi
    deb=${debs[0]}
}
