#!/usr/bin/env bash
# The two crate columns seen from the ship: the locked weapon crate with shots flying through it,
# and the health pack's caption counting down as shots land.
set -uo pipefail
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/lib.sh"
e2e_begin "$@"

# The bottom crates rest at y 538, 48 x 48: the weapon crate at x 781, the health pack at x 71.
# Their captions are centred on the crate (cx 805 and 95) at y 538 + 48 + 13 = 599.
readonly caption_y=599
readonly caption_white=0.95,0.95,0.95

# The first game after start-up always has the same weapon column, because the random source
# starts from a fixed seed: its bottom crate is a Power crate, which opens at score 3200.
readonly locked_power_body=0.126,0.28,0.126  # (0.45 k, k, 0.45 k), k = 0.28 for a locked crate

# x of a text centred on cx by the font's width rule (6 units a character at scale 1).
centred_x() {  # centred_x CX TEXT SCALE
  awk -v cx="$1" -v n="${#2}" -v s="$3" 'BEGIN { print cx - n * 6 * s * 0.5 }'
}

locked_weapon_crate() {
  drive_to_right_stop ship-at-the-right-stop
  check "the ship is parked at the right stop (hull x 820..842)" hull_at 820 842
  # Shots pass through a locked crate: wait for them above it, then look at the crate.
  SHOT=$E2E_ART/weapon-crate-locked-under-fire.png
  key_down space
  check "shots fly on through the locked crate (shot pixels above y 530)" \
    "${XTOOL[@]}" grab-until "$WIN" "$SHOT" 10 count 822 95 842 530 "$COLOUR_SHOT_BALL" 20
  key_up space

  check_colour "the locked Power crate's body is dimmed" "$locked_power_body" 800 545 795 580 790 548
  local frame
  frame=$("${XTOOL[@]}" count "$SHOT" 778 545 784 580 0.35,0.35,0.35)
  check "the locked crate has a grey frame ($frame frame pixels at x 781)" test "$frame" -ge 20
  check_colour "the locked crate's hit bar is grey" 0.1,0.1,0.1 790 593.5 820 593.5
  check_text "LOCK is written above the crate" 791.8 521 1.1 LOCK 0.65,0.65,0.65
  check_text "the caption below the crate is S3200" \
    "$(centred_x 805 S3200 1.0)" "$caption_y" 1.0 S3200 0.75,0.75,0.75
}

health_caption_counts_down() {
  local start=$SHOT_AT_START
  SHOT=$start
  check_text "the bottom health pack's caption starts at 20" \
    "$(centred_x 95 20 1.3)" "$caption_y" 1.3 20 "$caption_white"

  drive_to_left_stop ship-under-the-health-column
  check "the ship is parked at the left stop (hull x 58..80)" hull_at 58 80
  check_text "the caption still reads 20 before any shot" \
    "$(centred_x 95 20 1.3)" "$caption_y" 1.3 20 "$caption_white"

  # The first hit takes the right end off the pack's green bar (x 71 + 48 f, y 591 to 596).
  # Fire stops as soon as that is seen: on a busy machine the grabs come slowly, and a few
  # volleys more land meanwhile, one shot each, but never the twenty that claim the pack.
  key_down space
  check "shots into the pack shorten its green bar" \
    "${XTOOL[@]}" grab-until "$WIN" "$E2E_ART/health-pack-first-hit.png" 10 \
    points 0.18,0.02,0.02 117 593.5
  key_up space
  sleep 0.3
  take_shot health-pack-after-some-fire
  local changed n shown=
  changed=$("${XTOOL[@]}" differ "$start" "$SHOT" 85 599 105 609)
  check "the caption changed under fire ($changed pixels)" test "$changed" -gt 0
  for ((n = 19; n >= 1; n--)); do
    if "${XTOOL[@]}" glyphs "$SHOT" "$(centred_x 95 $n 1.3)" "$caption_y" 1.3 $n "$caption_white" >/dev/null; then
      shown=$n
      break
    fi
  done
  check "under fire the caption counts the shots still needed (shows ${shown:-no number})" \
    test -n "$shown"
}

start_xvfb
launch_game
take_shot columns-at-start
SHOT_AT_START=$SHOT
locked_weapon_crate
health_caption_counts_down

tap_key Escape
wait_game_exit 10
check_equal "ESC ends the game with exit code 0" "$GAME_RC" 0
e2e_end
