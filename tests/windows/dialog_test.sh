#!/usr/bin/env bash
# dialog_test.sh WINE DXFCONV_GUI_EXE
# Drives the Windows dialog program under Wine like a user, with real keys on
# the display it is given (a virtual one under xvfb-run), in Japanese: choose
# a source with Browse in the system's file dialog (twice: the second time
# it opens in the source's folder), type an output name,
# press Enter, read the message box, answer No (N) to the exit question that
# Esc asks, then leave with 終了(X) and Yes (Y); then started with a file,
# as "Open with" starts it, convert it. Checks the outputs' bytes (those the
# Linux build writes) and that each process ends with status 0.
set -euo pipefail
wine=$1 app=$2
title='DXFからDXF変換'
browse_title='DXF元ﾌｧｲﾙを選択'
box_title='dxfconv-gui'

# Wine starts slowly on a fresh prefix, and its windows take the keyboard
# only a moment after the pointer comes.
WINDOW_ROUNDS=600 POINTER_SETTLE=0.3
end_extra() { wineserver -k 2>/dev/null || true; }
source "$(dirname "$0")/../support/window_driving.sh"

use_japanese_wine "$work"

source_dir="$work/図面 & 資料"
mkdir -p "$source_dir"
write_plan "$source_dir"

"$wine" "$app" &
pid=$!
dialog="$(wait_for_window "$title")"
point_at "$dialog"

# choose NAME: Browse (Alt+S), NAME typed into the file name field, which
# has the focus, and Enter.
choose() {
    xdotool key alt+s
    chooser="$(wait_for_window "$browse_title")"
    point_at "$chooser"
    xdotool key ctrl+a
    xdotool type --delay 40 "$1"
    xdotool key Return
    wait_gone "$chooser"
    point_at "$dialog"
}
# The full path the first time; the second time the file dialog opens in
# the folder chosen last, where the name alone finds the file.
choose "$(winepath -w "$source_dir/plan.dxf")"
choose plan.dxf

# The output name (Alt+F), then Enter runs Execute.
convert_as NEW "$source_dir"

# Keys pressed while a long run is busy never answer its message box.
press_during_run Return BROKEN "$source_dir"
press_during_run Escape LONG "$source_dir"

# Esc asks; No (N, no Alt needed in a message box) keeps the dialog.
question="$(ask Escape)"
point_at "$question"
xdotool key n
wait_gone "$question"
kill -0 "$pid" 2>/dev/null || fail "No ended the application"
xdotool search --onlyvisible --name "^$title\$" >/dev/null || fail "No closed the dialog"

# leave: Exit (Alt+X) asks again; Yes (Y) ends the application.
leave() {
    question="$(ask alt+x)"
    point_at "$question"
    xdotool key y
    wait_ended
}
leave

# Started with the file, as "Open with" starts it (the path in a Japanese
# folder through the wide command line): the file is the source.
"$wine" "$app" "$(winepath -w "$source_dir/plan.dxf")" &
pid=$!
dialog="$(wait_for_window "$title")"
point_at "$dialog"
convert_as OPENED "$source_dir"
leave

# Arguments it cannot use are told in a box (no console is there to read),
# which Enter closes; the program then ends with status 2.
"$wine" "$app" --no-such-option &
pid=$!
box="$(wait_for_window "$box_title")"
point_at "$box"
xdotool key Return
status=0
wait "$pid" || status=$?
pid=""
[ "$status" -eq 2 ] || fail "an unknown option ended with status $status, not 2"
echo "PASS"
