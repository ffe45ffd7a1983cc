# Sourced by the scripts and tests that drive the real dialog program from
# outside with xdotool: the waits for windows, the pointer (without a window
# manager the keyboard follows it) and a Japanese Wine for the Windows
# build. The sourcing script defines fail MESSAGE.
#
# WINDOW_ROUNDS (tenths of a second to wait for a window; default 100) and
# POINTER_SETTLE (seconds to wait after the pointer moves; default 0) are
# read when the functions run.

# wait_for_window NAME: prints the id of the visible window titled NAME once
# there is one; fails when it never comes.
wait_for_window() {
    local id round
    for round in $(seq "${WINDOW_ROUNDS:-100}"); do
        id="$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1 || true)"
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.1
    done
    # Where the wait stood tells which step's keys were lost.
    local at="" depth
    for ((depth = 0; depth < ${#BASH_LINENO[@]} - 1; ++depth)); do
        at+=" ${BASH_SOURCE[depth + 1]##*/}:${BASH_LINENO[depth]}"
    done
    fail "no window \"$1\", waited for at$at"
}

# wait_gone ID: waits until the window is no longer visible.
wait_gone() {
    local round
    for round in $(seq 100); do
        xdotool search --onlyvisible --name '' 2>/dev/null | grep -qx "$1" || return 0
        sleep 0.1
    done
    fail "window $1 stays open"
}

point_at() {
    xdotool mousemove --window "$1" 8 8
    sleep "${POINTER_SETTLE:-0}"
}

# click_in ID X_PERCENT Y_FROM_BOTTOM: clicks inside a window.
click_in() {
    local WIDTH HEIGHT
    eval "$(xdotool getwindowgeometry --shell "$1" | grep -E '^(WIDTH|HEIGHT)=')"
    xdotool mousemove --window "$1" "$((WIDTH * $2 / 100))" "$((HEIGHT - $3))" click 1
}

# use_japanese_wine FOLDER: a Wine prefix of its own in FOLDER/prefix,
# started on this display, and a Japanese locale of its own in
# FOLDER/locale, so that Windows speaks Japanese as on a Japanese system.
use_japanese_wine() {
    export WINEPREFIX="$1/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="winemenubuilder.exe=d"
    export LOCPATH="$1/locale"
    mkdir -p "$LOCPATH"
    localedef -i ja_JP -f UTF-8 "$LOCPATH/ja_JP.UTF-8"
    export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
    wineboot -i >/dev/null 2>&1
    wineserver -w
}
