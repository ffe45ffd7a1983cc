# Sourced by the tests that drive the real dialog program from outside with
# xdotool, on the display they are given: a work folder removed at the end
# with the program started into $pid, the window waits and pointer of
# scripts/lib/window_waits.sh (whose settings apply), and the small drawing
# they convert with what the converter makes of it. A function end_extra, if
# defined, runs at the end.

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

source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/window_waits.sh"

# use_private_home: a home of the test's own, so that the file chooser's
# history and the toolkit's settings stay out of the user's.
use_private_home() {
    export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config"
    export XDG_DATA_HOME="$work/home/.local/share" XDG_CACHE_HOME="$work/home/.cache"
    export GSETTINGS_BACKEND=memory NO_AT_BRIDGE=1
    mkdir -p "$HOME"
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

# close_box ID: Enter in the message box ID until it has gone. A loaded
# machine may give a window the keyboard only a while after the pointer
# came, and the key is then lost; a box that stays after three tries fails.
close_box() {
    local try round
    for try in 1 2 3; do
        point_at "$1"
        xdotool key Return
        for round in $(seq 50); do
            xdotool search --onlyvisible --name '' 2>/dev/null | grep -qx "$1" || return 0
            sleep 0.1
        done
    done
    fail "window $1 stays open"
}

# convert_as NAME FOLDER: NAME as the output name (Alt+F), Execute by Enter;
# once the message box has come, FOLDER/NAME.dxf must be $work/expected.dxf;
# then Enter closes the box.
convert_as() {
    local box
    xdotool key alt+f
    xdotool type --delay 40 "$1"
    xdotool key Return
    box="$(wait_for_window "$box_title")"
    cmp "$2/$1.dxf" "$work/expected.dxf" || fail "$1.dxf differs from the expected output"
    close_box "$box"
}

# ask KEY: KEY pressed in $dialog; prints the id of the question it opens.
ask() {
    point_at "$dialog"
    xdotool key "$1"
    wait_for_window "$box_title"
}

# press_during_run KEY NAME FOLDER: FOLDER/plan.dxf made large enough to
# take a while (its last keyword misplaced when NAME is BROKEN), converted
# as NAME with KEY pressed twice while it runs. The run's message box must
# come, stay until Enter closes it, and be the only one. plan.dxf is put
# back and NAME.dxf removed afterwards.
press_during_run() {
    local box round last=ENDSEC
    [ "$2" = BROKEN ] && last=SECTION
    mv "$3/plan.dxf" "$work/plan.kept"
    perl -e 'print "  0\nSECTION\n  2\nENTITIES\n", "  0\nPOINT\n  8\n0\n 10\n1.0\n" x 20000000,
        "  0\n$ARGV[0]\n  0\nEOF\n"' "$last" >"$3/plan.dxf"
    point_at "$dialog"
    xdotool key alt+f ctrl+a
    xdotool type --delay 40 "$2"
    xdotool key Return
    for round in $(seq 200); do
        [ -e "$3/$2.dxf" ] && break
        sleep 0.05
    done
    xdotool key "$1" "$1"
    box="$(wait_for_window "$box_title")"
    sleep 1
    xdotool search --onlyvisible --name '' | grep -qx "$box" ||
        fail "$1 pressed during the run dismissed its message unseen"
    close_box "$box"
    sleep 1
    [ -z "$(xdotool search --onlyvisible --name "^$box_title\$" 2>/dev/null || true)" ] ||
        fail "$1 pressed during the run opened another box"
    mv "$work/plan.kept" "$3/plan.dxf"
    rm -f "$3/$2.dxf"
}
