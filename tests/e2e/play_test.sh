#!/usr/bin/env bash
# Playing with the keys: the first title, firing, a kill that raises the title's score, moving
# the ship to both stops, R back to a fresh game, and ESC's exit code.
set -uo pipefail
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/lib.sh"
e2e_begin "$@"

moving() {
  local start_centre moved_centre
  steer_ship_to 450 || fail "could not bring the ship back to the lane centre"
  take_shot ship-before-moving
  start_centre=$(ship_centre)

  hold_key d 0.3
  take_shot ship-after-holding-d
  moved_centre=$(ship_centre)
  check "holding D moves the ship right ($start_centre -> $moved_centre)" \
    test "${moved_centre:-0}" -ge $((${start_centre:-900} + 10))

  drive_to_right_stop ship-at-right-stop
  check "the ship stops at the right bound, x 812 (hull x 820..842)" hull_at 820 842
  hold_key Right 0.4
  take_shot ship-still-at-right-stop
  check "holding RIGHT at the bound leaves the ship at x 812" hull_at 820 842

  drive_ship_until Left 20 62 76
  hold_key Left 0.3
  take_shot ship-at-left-stop
  check "holding LEFT brings the ship to the left bound, x 50 (hull x 58..80)" hull_at 58 80
}

firing() {
  local centre
  take_shot before-firing
  centre=$(ship_centre)
  key_down space
  check "holding SPACE puts shots above the ship" \
    "${XTOOL[@]}" grab-until "$WIN" "$E2E_ART/shots-above-the-ship.png" 10 \
    count $((centre - 8)) 95 $((centre + 8)) 615 "$COLOUR_SHOT_BALL" 20
  key_up space
}

scoring() {
  if kill_a_monster 45; then
    pass "a monster shot down raises the title's score to $(title_number Score)"
  else
    fail "no kill within 45 s: '$(window_title)'"
  fi
  take_shot after-the-kill
}

restart() {
  tap_key r
  check "R starts a fresh game: score 0, health 100, level 1, wave 1, no monsters yet" \
    wait_title '^Pexilon  \|  Score: 0  Health: 100  Level: 1  Wave: 1  Monsters: [01]  Shots: 1  Power: 1  \|' 5
  take_shot after-restart
  check "R puts the ship back at the centre of the lane" hull_at 439 461
}

start_xvfb
title_at_start
firing
scoring
moving
restart

tap_key Escape
wait_game_exit 10
check_equal "ESC ends the game with exit code 0" "$GAME_RC" 0
e2e_end
