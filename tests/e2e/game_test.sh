#!/usr/bin/env bash
# The finished game played for real: the HUD and the scene at start, monsters arriving, a kill
# that reaches the title and the HUD, F11 into fullscreen and back, R, and both ways to quit:
# a window manager's close request and ESC.
set -uo pipefail
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/lib.sh"
e2e_begin "$@"

# The box of a text drawn at (x, y) with a scale: 6 units a character, 7 high.
text_box() {  # text_box X Y SCALE TEXT
  awk -v x="$1" -v y="$2" -v s="$3" -v n="${#4}" 'BEGIN { print x, y, x + n * 6 * s, y + 7 * s }'
}

# At least MIN pixels of the colour in the text's box.
check_text_ink() {  # check_text_ink DESCRIPTION X Y SCALE TEXT COLOUR MIN
  local ink
  # shellcheck disable=SC2046  # the box is four numbers
  ink=$("${XTOOL[@]}" count "$SHOT" $(text_box "$2" "$3" "$4" "$5") "$6")
  check "$1 ($ink pixels)" test "$ink" -ge "$7"
}

scene_at_start() {
  take_shot game-at-start
  check_colour "HUD backdrop" "$COLOUR_HUD_BACKDROP" 450 40 850 50 600 8
  check_colour "the health bar is green across at full health" "$COLOUR_HEALTH_BAR" 130 27 255 27 385 27
  check_text_ink "the HEALTH label over the health column" 65 106 1.6 HEALTH 1.0,0.45,0.45 40
  check_text_ink "the WEAPON label over the weapon column" 773 106 1.6 WEAPON 0.45,0.65,1.0 40
  check_colour "the ship's hull at the ship's start" "$COLOUR_HULL" 440 656 442 646 460 662
}

monsters_and_score() {
  check "a monster appears and the title counts it" wait_title '  Monsters: [1-9]' 5
  local start=$SHOT
  if kill_a_monster 45; then
    pass "holding fire under a monster kills it: the title's score is $(title_number Score)"
  else
    fail "no kill within 45 s: '$(window_title)'"
  fi
  take_shot hud-after-a-kill
  # "SCORE:" ends at x 722; the number follows it.
  local changed
  changed=$("${XTOOL[@]}" differ "$start" "$SHOT" 722 16 830 30)
  check "the HUD's score changed after the kill ($changed pixels)" test "$changed" -gt 0
}

fullscreen() {
  tap_key F11
  check "F11 asks the window manager for fullscreen" \
    wait_for_line "$FULLSCREEN_LOG" 'add _NET_WM_STATE_FULLSCREEN' 5
  check "the fullscreen window covers the 1920 x 1080 screen" wait_window_size 1920x1080 5
  wait_for_picture fullscreen 10 "$COLOUR_WEAPON_BODY" 770 400 805 180 ||
    fail "the fullscreen picture never showed the weapon column at its stretched place"
  check_colour "fullscreen: the health column body, stretched" "$COLOUR_HEALTH_BODY" 60 400 95 180
  check_colour "fullscreen: the HUD backdrop, stretched" "$COLOUR_HUD_BACKDROP" 450 40 850 50
  check_colour "fullscreen: black below the floor and in the gaps" "$COLOUR_BLACK" 450 690 145 400 870 400

  tap_key F11
  check "the second F11 asks to leave fullscreen" \
    wait_for_line "$FULLSCREEN_LOG" 'remove _NET_WM_STATE_FULLSCREEN' 5
  check "the window is back at 900 x 700" wait_window_size 900x700 5
  wait_for_picture windowed-again 10 "$COLOUR_WEAPON_BODY" 770 400 805 180 ||
    fail "the picture did not return to the 900 x 700 layout"
}

restart_and_close() {
  tap_key r
  check "R resets the title's score to 0" wait_title '^Pexilon  \|  Score: 0  Health: 100  ' 5
  request_close
  wait_game_exit 10
  check_equal "a window manager's close request (WM_DELETE_WINDOW) ends the game with exit code 0" \
    "$GAME_RC" 0
}

escape() {
  launch_game
  tap_key Escape
  wait_game_exit 10
  check_equal "ESC ends the game with exit code 0" "$GAME_RC" 0
}

start_xvfb
start_fullscreen_manager
launch_game
scene_at_start
monsters_and_score
fullscreen
restart_and_close
escape
e2e_end
