#!/usr/bin/env bash
# The busy frame as the desktop draws it: the program under a private Xvfb on Mesa's software
# GL, its window grabbed to ARTIFACT_DIR/busy-frame/desktop.png once the picture is there.
#
#   bash tests/frame/desktop_picture.sh BUSY_FRAME_BINARY ARTIFACT_DIR
set -uo pipefail
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/../e2e/lib.sh"
e2e_prepare busy-frame "$1" "$2"
start_xvfb >/dev/null
start_game
wait_window
wait_for_picture desktop 15 "$COLOUR_HUD_BACKDROP" 450 40 || abort "the busy frame never showed its HUD"
