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

source "$(dirname "$0")/../support/window_driving.sh"

use_private_home

source_dir="$work/図面 & 資料"
mkdir -p "$source_dir"
write_plan "$source_dir"

if [ -n "$desktop" ]; then
    # Arguments it cannot use end the start before any window opens.
    status=0
    "$app" --no-such-option 2>/dev/null || status=$?
    [ "$status" -eq 2 ] || fail "an unknown option ended with status $status, not 2"
    # Arguments are the file system's bytes whatever the locale.
    said="$(LANG=C LC_ALL=C "$app" plan.dxf 図面.dxf 2>&1 >/dev/null || true)"
    [ "${said%%$'\n'*}" = "dxfconv-gui: 余分な引数があります: 図面.dxf" ] ||
        fail "under LANG=C a Japanese argument came out as: $said"

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
convert_as NEW "$source_dir"

# Keys pressed while a long run is busy never answer its message box.
press_during_run Return BROKEN "$source_dir"
press_during_run Escape LONG "$source_dir"

# Esc asks; No (the left button) keeps the dialog.
question="$(ask Escape)"
click_in "$question" 25 16
wait_gone "$question"
kill -0 "$pid" 2>/dev/null || fail "No ended the application"
xdotool search --onlyvisible --name "^$title\$" >/dev/null || fail "No closed the dialog"

# Exit (Alt+X) asks again; Yes (the right button) ends the application.
click_in "$(ask alt+x)" 75 16
wait_ended
echo "PASS"
