# Sourced by the developer scripts: builds wxWidgets for Windows (wxMSW,
# static, release) from Debian's own wxwidgets3.2 source package with the
# MinGW-w64 compilers, once, into a cache outside the repository.
#
# Debian's source drops the bundled png, jpeg, tiff, zlib and expat
# libraries, so the build goes without them, and without every part the
# dialog does not use; the dialog needs only the core and base libraries.

WXMSW_OPTIONS=(--with-msw --disable-shared --enable-unicode --without-subdirs --disable-tests
    --without-libpng --without-libjpeg --without-libtiff --without-zlib --without-expat
    --without-liblzma --without-libcurl --without-opengl --disable-svg
    --disable-html --disable-xrc --disable-aui --disable-stc --disable-richtext --disable-propgrid
    --disable-ribbon --disable-webview --disable-mediactrl --disable-sockets --disable-webrequest
    --disable-debug_flag)

# wxmsw_prefix: prints the cache folder for this wx version and these options.
wxmsw_prefix() {
    local version key
    version=$(dpkg-query -W -f='${Version}' libwxgtk3.2-dev)
    key=$(printf '%s\n' "$version" "${WXMSW_OPTIONS[@]}" | sha256sum | cut -c1-12)
    printf '%s/dxfconv/wxmsw-%s-%s\n' "${XDG_CACHE_HOME:-$HOME/.cache}" "${version%%+*}" "$key"
}

# ensure_wxmsw: builds and installs wxMSW into the cache unless it is there;
# prints nothing on success but the prefix's path.
ensure_wxmsw() {
    local prefix work
    prefix=$(wxmsw_prefix)
    if [ -x "$prefix/bin/wx-config" ]; then
        printf '%s\n' "$prefix"
        return 0
    fi
    ensure_deb_src
    work=$(mktemp -d)
    echo "Building wxWidgets for Windows into $prefix (takes 20 to 40 minutes)" >&2
    (
        set -e
        cd "$work"
        apt-get source -q --download-only wxwidgets3.2 >&2
        dpkg-source -q -x wxwidgets3.2_*.dsc src >&2
        mkdir build && cd build
        ../src/configure --host=x86_64-w64-mingw32 --build=x86_64-linux-gnu \
            CC=x86_64-w64-mingw32-gcc-posix CXX=x86_64-w64-mingw32-g++-posix \
            --prefix="$prefix.partial" "${WXMSW_OPTIONS[@]}" >configure.log 2>&1 ||
            { tail -40 configure.log >&2; exit 1; }
        make -j"$(nproc)" >make.log 2>&1 || { tail -40 make.log >&2; exit 1; }
        make install >install.log 2>&1 || { tail -40 install.log >&2; exit 1; }
        # wx-config names its prefix; the cache moves into place afterwards.
        sed -i "s|$prefix.partial|$prefix|g" "$prefix.partial/bin/wx-config" \
            "$prefix.partial"/lib/wx/config/*
        rm -rf "$prefix"
        mv "$prefix.partial" "$prefix"
    )
    local status=$?
    rm -rf "$work"
    [ "$status" -eq 0 ] || return "$status"
    printf '%s\n' "$prefix"
}

# ensure_deb_src: lets apt-get source fetch from the Debian archive the
# machine already uses (as root), or says what to add.
ensure_deb_src() {
    local list=/etc/apt/sources.list.d/dxfconv-src.sources
    grep -rqs '^Types:.*deb-src' /etc/apt/sources.list.d/ && return 0
    grep -qs '^deb-src ' /etc/apt/sources.list && return 0
    if [ "$(id -u)" -ne 0 ]; then
        echo "apt-get source needs a deb-src entry for Debian bookworm main; add one to $list" >&2
        return 1
    fi
    cat >"$list" <<SOURCES
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SOURCES
    apt-get update -q >&2
}
