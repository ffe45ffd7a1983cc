#!/usr/bin/env bash
# Runs a command on a virtual display of its own (xvfb-run -a). Now and then
# the display is not there when the command starts (xvfb-run can take a
# server that is still going away for its own), and a toolkit that cannot
# open it fails the test for nothing: the command then starts again on
# another one, up to three times.
#
# Usage: virtual_display.sh COMMAND [ARG...]
set -u
readonly kNoDisplay=75
for try in 1 2 3; do
    xvfb-run -a -s "-screen 0 1280x1024x24" bash -c \
        'xdotool getdisplaygeometry >/dev/null 2>&1 || exit '"$kNoDisplay"'; exec "$@"' virtual-display "$@"
    status=$?
    [ "$status" -eq "$kNoDisplay" ] || exit "$status"
    echo "virtual_display.sh: no display on try $try" >&2
    sleep 1
done
exit 1
