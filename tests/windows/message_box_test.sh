#!/usr/bin/env bash
# pexilon.exe under Wine on a machine where OpenGL cannot be loaded (its library is named as one
# that does not exist): the start-up failure the log holds is also shown in a message box, a key
# closes it, and the game ends with exit code 1. The picture of the box stays in the artifacts.
#   message_box_test.sh LAUNCHER ARTIFACT_DIR      (LAUNCHER runs pexilon.exe through Wine)
set -uo pipefail
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/../e2e/lib.sh"
e2e_begin "$@"

start_xvfb
SDL_OPENGL_LIBRARY=no-such-opengl.dll start_game
# The game's own window never opens, so the first window whose title starts with Pexilon is the box.
wait_window
check_equal "the box's title says the game could not start" "$(window_title)" "Pexilon could not start"
take_shot message-box
focus_window
tap_key Return
wait_game_exit 20
check_equal "once the box is closed the game ends with exit code 1" "$GAME_RC" 1
e2e_end
