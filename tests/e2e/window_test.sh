#!/usr/bin/env bash
# The window and the empty playfield: title, icon, backdrop colours at logical points, the picture
# stretched over a resized window, ESC's exit code, and the start-up failure without a display.
# shellcheck disable=SC2317  # functions called through check are reached
set -uo pipefail
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/lib.sh"
e2e_begin "$@"

# The window's icon is share/icons/pexilon-64.png pixel for pixel: _NET_WM_ICON holds its width,
# height and one ARGB number per pixel (a channel mix-up or a different picture differs).
window_icon_is_the_game_icon() {
  local png=$E2E_LIB_DIR/../../share/icons/pexilon-64.png want
  want=$(convert "$png" -depth 8 rgba:- | od -An -v -tu1 -w4 |
    awk '{ printf "%s%.0f", (NR > 1 ? ", " : ""), (($4 * 256 + $1) * 256 + $2) * 256 + $3 }')
  [[ $(xprop -id "$WIN" -notype -f _NET_WM_ICON 32c _NET_WM_ICON) == "_NET_WM_ICON = 64, 64, $want" ]]
}

window_and_playfield() {
  launch_game
  check "the title starts with Pexilon" wait_title '^Pexilon' 1
  check "the window's icon is the game's 64 px icon" window_icon_is_the_game_icon
  check_equal "the window opens at 900 x 700" "$(window_size)" 900x700

  take_shot playfield-900x700
  check_backdrop "900 x 700"

  # The picture is stretched, not letterboxed: logical x doubles in pixels. A letterboxed
  # picture would leave the health column's pixels black and push the weapon column inwards.
  xdotool windowsize "$WIN" 1800 700
  wait_window_size 1800x700 10 || fail "the window did not grow to 1800 x 700"
  wait_for_picture playfield-1800x700 10 "$COLOUR_WEAPON_BODY" "${weapon_body[@]}" ||
    fail "the weapon column never reached pixel x 1540..1680 after the resize"
  check_backdrop "1800 x 700"
  check "the weapon column body lies at pixel x 1610 (logical 805)" \
    "${XTOOL[@]}" expect-pixel "$SHOT" "$COLOUR_WEAPON_BODY" 1610 180

  tap_key Escape
  wait_game_exit 10
  check_equal "ESC ends the game with exit code 0" "$GAME_RC" 0
}

no_display() {
  local log=$E2E_ART/no-display.log rc
  # No X display, no Wayland socket (a default one is looked for in XDG_RUNTIME_DIR), no
  # forced video driver: SDL has nothing to open a window on.
  env -u DISPLAY -u WAYLAND_DISPLAY -u XDG_RUNTIME_DIR -u SDL_VIDEO_DRIVER -u SDL_VIDEODRIVER \
    LIBGL_ALWAYS_SOFTWARE=1 timeout 20 "$PEXILON" >"$log" 2>&1
  rc=$?
  check_equal "without a display the game ends with exit code 1" "$rc" 1
  check "without a display the log says SDL_Init failed: and why" \
    grep -E 'SDL_Init failed: .+' "$log"
}

start_xvfb
window_and_playfield
no_display
e2e_end
