#!/usr/bin/env bash
# Drives the real application like a user, with real keys and clicks on the
# display it is given (a virtual one under xvfb-run): choose a source with
# Browse, type an output name, press Enter, read the message, answer No to
# the exit question, then leave with Alt+X and Yes. Checks the output file
# and that the process ends with status 0.
# Given a desktop entry, the application is instead started as a file
# manager opens a drawing with it: with the entry's Exec line, the file in
# place of %f (a relative path), and Browse is skipped.
# Usage: application_test.sh PATH/TO/dxfconv-gui [PATH/TO/dxfconv-gui.desktop]
set -euo pipefail

app="$1"
desktop="${2:-}"
title='DXFからDXF変換'
browse_title='DXF元ﾌｧｲﾙを選択'
box_title="$(basename "$app")"

work="$(mktemp -d)"
pid=""
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# A private home, so that the file chooser's history stays out of the user's.
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_DATA_HOME="$work/home/.local/share"
export XDG_CACHE_HOME="$work/home/.cache" GSETTINGS_BACKEND=memory NO_AT_BRIDGE=1
mkdir -p "$HOME"

# wait_for_window NAME: prints the id of the visible window titled NAME once
# there is one; fails when it never comes.
wait_for_window() {
    local id round
    for round in $(seq 100); do
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

# Without a window manager the keyboard follows the pointer.
point_at() { xdotool mousemove --window "$1" 8 8; }

# click_in ID X_FRACTION Y_FROM_BOTTOM: clicks inside a window.
click_in() {
    local width height
    eval "$(xdotool getwindowgeometry --shell "$1")"
    xdotool mousemove --window "$1" "$((WIDTH * $2 / 100))" "$((HEIGHT - $3))" click 1
}

source_dir="$work/図面 & 資料"
mkdir -p "$source_dir"
printf '  0\nSECTION\n  2\nTABLES\n  0\nTABLE\n  2\nLAYER\n 70\n1\n  0\nLAYER\n  2\nWALL\n 70\n0\n  6\nHIDDEN\n  0\nENDTAB\n  0\nENDSEC\n  0\nSECTION\n  2\nENTITIES\n  0\nLINE\n  8\nWALL\n 10\n0.0\n  0\nENDSEC\n  0\nEOF\n' \
    >"$source_dir/plan.dxf"
printf '  0\r\nSECTION\r\n  2\r\nTABLES\r\n  0\r\nTABLE\r\n  2\r\nLAYER\r\n 70\r\n1\r\n  0\r\nLAYER\r\n  2\r\nWALL\r\n 70\r\n0\r\n  6\r\nHIDDEN\r\n  0\r\nENDTAB\r\n  0\r\nENDSEC\r\n  0\r\nSECTION\r\n  2\r\nENTITIES\r\n  0\r\nLINE\r\n  8\r\nWALL\r\n 10\r\n0.0\r\n  6\r\nHIDDEN\r\n  0\r\nENDSEC\r\n  0\r\nEOF\r\n' \
    >"$work/expected.dxf"

if [ -n "$desktop" ]; then
    # Arguments it cannot use end the start before any window opens.
    status=0
    "$app" --no-such-option 2>/dev/null || status=$?
    [ "$status" -eq 2 ] || fail "an unknown option ended with status $status, not 2"

    read -r -a command <<<"$(sed -n 's/^Exec=//p' "$desktop")"
    [ "${command[0]}" = "$(basename "$app")" ] || fail "Exec starts ${command[0]}"
    command[0]="$app"
    for i in "${!command[@]}"; do
        [ "${command[$i]}" = %f ] && command[$i]='plan.dxf'
    done
    (cd "$source_dir" && exec "${command[@]}") &
    pid=$!
    dialog="$(wait_for_window "$title")"
else
    # Started in the source's directory, where the file chooser opens first,
    # so that only the file's name is typed (its completion garbles long
    # paths).
    (cd "$source_dir" && exec "$app") &
    pid=$!
    dialog="$(wait_for_window "$title")"
    point_at "$dialog"

    # Browse (Alt+S), type the name into the file chooser's location field.
    xdotool key alt+s
    chooser="$(wait_for_window "$browse_title")"
    point_at "$chooser"
    xdotool key ctrl+l
    sleep 0.3
    xdotool type --delay 40 'plan.dxf'
    sleep 0.3
    xdotool key Return
    wait_gone "$chooser"
fi

# The output name (Alt+F), then Enter runs Execute.
point_at "$dialog"
xdotool key alt+f
xdotool type --delay 40 'NEW'
xdotool key Return
box="$(wait_for_window "$box_title")"
cmp "$source_dir/NEW.dxf" "$work/expected.dxf" || fail "the output differs"
point_at "$box"
xdotool key Return
wait_gone "$box"

# Esc asks; No (the left button) keeps the dialog.
point_at "$dialog"
xdotool key Escape
question="$(wait_for_window "$box_title")"
click_in "$question" 25 16
wait_gone "$question"
kill -0 "$pid" 2>/dev/null || fail "No ended the application"
xdotool search --onlyvisible --name "^$title\$" >/dev/null || fail "No closed the dialog"

# Exit (Alt+X) asks again; Yes (the right button) ends the application.
point_at "$dialog"
xdotool key alt+x
question="$(wait_for_window "$box_title")"
click_in "$question" 75 16
status=0
wait "$pid" || status=$?
pid=""
[ "$status" -eq 0 ] || fail "the application ended with status $status"
echo "PASS"
