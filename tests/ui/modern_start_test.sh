#!/usr/bin/env bash
# Starts the real application with --modern, as the second desktop entry
# does, on the display it is given, and checks that its window carries the
# modern caption; then leaves with Alt+X and Yes.
# Usage: modern_start_test.sh PATH/TO/dxfconv-gui
set -euo pipefail

app="$1"
# As a pattern for xdotool: the brackets stand for themselves.
title='DXFからDXF変換 \(R13以降\)'
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
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" GSETTINGS_BACKEND=memory NO_AT_BRIDGE=1
mkdir -p "$HOME"

wait_for_window() {
    local id round
    for round in $(seq 100); do
        id="$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1 || true)"
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.1
    done
    fail "no window \"$1\""
}

"$app" --modern &
pid=$!
dialog="$(wait_for_window "$title")"
xdotool mousemove --window "$dialog" 8 8
xdotool key alt+x
question="$(wait_for_window "$box_title")"
eval "$(xdotool getwindowgeometry --shell "$question")"
xdotool mousemove --window "$question" "$((WIDTH * 75 / 100))" "$((HEIGHT - 16))" click 1
status=0
wait "$pid" || status=$?
pid=""
[ "$status" -eq 0 ] || fail "the application ended with status $status"
echo "PASS"
