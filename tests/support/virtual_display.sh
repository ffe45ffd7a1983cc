#!/usr/bin/env bash
# Runs a command on a virtual display of its own. xvfb-run -a now and then
# starts the command with no server behind its display; the command then
# starts again on another, up to three times.
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
done
exit 1
