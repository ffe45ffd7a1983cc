# Sourced by the tests that drive the real dialog program from outside with
# xdotool, on the display they are given: a work folder removed at the end
# with the program started into $pid, the waits for windows, the pointer
# (without a window manager the keyboard follows it), and the small drawing
# they convert with what the converter makes of it.
#
# WINDOW_ROUNDS (tenths of a second to wait for a window; default 100) and
# POINTER_SETTLE (seconds to wait after the pointer moves; default 0) may be
# set before sourcing; a function end_extra, if defined, runs at the end.

work="$(mktemp -d)"
pid=""
end_test() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null
    if declare -F end_extra >/dev/null; then end_extra; fi
    rm -rf "$work"
}
trap end_test EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# wait_for_window NAME: prints the id of the visible window titled NAME once
# there is one; fails when it never comes.
wait_for_window() {
    local id round
    for round in $(seq "${WINDOW_ROUNDS:-100}"); do
        id="$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1 || true)"
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.1
    done
    fail "no window \"$1\""
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

# use_private_home: a home of the test's own, so that the file chooser's
# history and the toolkit's settings stay out of the user's.
use_private_home() {
    export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config"
    export XDG_DATA_HOME="$work/home/.local/share" XDG_CACHE_HOME="$work/home/.cache"
    export GSETTINGS_BACKEND=memory NO_AT_BRIDGE=1
    mkdir -p "$HOME"
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

# wait_ended: waits for the program in $pid; fails unless its status is 0.
wait_ended() {
    local status=0
    wait "$pid" || status=$?
    pid=""
    [ "$status" -eq 0 ] || fail "the application ended with status $status"
}

# write_plan FOLDER: writes FOLDER/plan.dxf, a wall on a HIDDEN layer, and
# $work/expected.dxf, its conversion.
write_plan() {
    printf '  0\nSECTION\n  2\nTABLES\n  0\nTABLE\n  2\nLAYER\n 70\n1\n  0\nLAYER\n  2\nWALL\n 70\n0\n  6\nHIDDEN\n  0\nENDTAB\n  0\nENDSEC\n  0\nSECTION\n  2\nENTITIES\n  0\nLINE\n  8\nWALL\n 10\n0.0\n  0\nENDSEC\n  0\nEOF\n' \
        >"$1/plan.dxf"
    printf '  0\r\nSECTION\r\n  2\r\nTABLES\r\n  0\r\nTABLE\r\n  2\r\nLAYER\r\n 70\r\n1\r\n  0\r\nLAYER\r\n  2\r\nWALL\r\n 70\r\n0\r\n  6\r\nHIDDEN\r\n  0\r\nENDTAB\r\n  0\r\nENDSEC\r\n  0\r\nSECTION\r\n  2\r\nENTITIES\r\n  0\r\nLINE\r\n  8\r\nWALL\r\n 10\r\n0.0\r\n  6\r\nHIDDEN\r\n  0\r\nENDSEC\r\n  0\r\nEOF\r\n' \
        >"$work/expected.dxf"
}
