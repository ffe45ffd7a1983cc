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

source "$(dirname "$0")/../support/window_driving.sh"
use_private_home

"$app" --modern &
pid=$!
dialog="$(wait_for_window "$title")"
click_in "$(ask alt+x)" 75 16
wait_ended
echo "PASS"
