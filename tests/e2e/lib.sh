# shellcheck shell=bash
# Shared helpers of the window tests: a private Xvfb, the game on Mesa's software GL, keys
# through XTEST, the window title, screenshots and colour checks at logical points.
#
# A test sources this file and starts with
#   e2e_begin "$@"        # $1: the pexilon binary, $2: the artifact directory
# Screenshots (PNG) and the game's logs go to <artifact dir>/<test name>/, so a person can look
# at what the test saw. Checks print "ok" or "not ok" lines; e2e_end turns them into the exit
# code. Everything started here is stopped on exit, by process id.
#
# Positions are LOGICAL points of the game's 900 x 700 space. The game stretches its picture
# over the whole window, so a point maps to pixel (x * width / 900, y * height / 700) of the
# window, whatever its size. Colours are "r,g,b[,tolerance]" in the game's 0..1 floats; the
# tolerance is in 8-bit steps (default 3).
#
# shellcheck disable=SC2034  # the colours and some variables are used by the tests that source this
# shellcheck disable=SC2317  # functions called through check are reached

E2E_LIB_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
XTOOL=(python3 "$E2E_LIB_DIR/xtool.py")

# Colours of the picture that more than one test looks for.
COLOUR_HUD_BACKDROP=0.02,0.02,0.04
COLOUR_HEALTH_BODY=0.08,0.02,0.02
COLOUR_WEAPON_BODY=0.04,0.04,0.10
COLOUR_LANE_BODY=0.01,0.01,0.015
COLOUR_FLOOR=0.22,0.22,0.25
COLOUR_BLACK=0,0,0
COLOUR_HULL=0.2,0.75,1.0
COLOUR_SHOT_BALL=0.95,1.0,0.25
COLOUR_HEALTH_BAR=0.0,0.85,0.2

# A row through the ship's hull (y 642 to 664) below the barrel, which ends at y 652.
readonly HULL_ROW=656
readonly SHIP_SPEED=430

E2E_NAME=
E2E_ART=
PEXILON=
GAME_PID=
GAME_LOG=
GAME_RC=
WIN=
SHOT=
e2e_checks=0
e2e_failures=0
e2e_games=0
e2e_xvfb_pid=
e2e_game_pids=()
e2e_helper_pids=()

say() { printf '%s\n' "$*"; }

# ----------------------------------------------------------------------------- set-up

e2e_begin() {
  if (($# != 2)); then
    say "usage: bash $(basename "$0") <pexilon binary> <artifact dir>" >&2
    exit 2
  fi
  e2e_prepare "$(basename "$0" .sh)" "$1" "$2"
  say "# $E2E_NAME: artifacts in $E2E_ART"
}

# Checks the binary and the tools, makes <artifact dir>/NAME afresh and arms the clean-up.
e2e_prepare() {  # e2e_prepare NAME BINARY ARTIFACT_DIR
  E2E_NAME=$1
  [[ -x $2 ]] || { say "no pexilon binary at $2" >&2; exit 2; }
  PEXILON=$(cd "$(dirname "$2")" && pwd)/$(basename "$2")
  local tool
  for tool in Xvfb xdotool python3; do
    command -v "$tool" >/dev/null || { say "$E2E_NAME needs $tool" >&2; exit 2; }
  done
  E2E_ART=$3/$E2E_NAME
  rm -rf "$E2E_ART"
  mkdir -p "$E2E_ART"
  E2E_ART=$(cd "$E2E_ART" && pwd)
  trap e2e_cleanup EXIT
  trap 'exit 130' INT TERM
}

e2e_cleanup() {
  local pid
  for pid in "${e2e_game_pids[@]}" "${e2e_helper_pids[@]}"; do
    stop_process "$pid"
  done
  [[ -n $e2e_xvfb_pid ]] && stop_process "$e2e_xvfb_pid"
}

# Asks a process we started to end, and makes sure it does.
stop_process() {
  local pid=$1 i
  kill -0 "$pid" 2>/dev/null || return 0
  kill -TERM "$pid" 2>/dev/null
  for ((i = 0; i < 40; i++)); do
    process_gone "$pid" && break
    sleep 0.05
  done
  process_gone "$pid" || kill -KILL "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
  return 0
}

# True once the process has ended; a child of ours that ended is a zombie until it is waited for.
process_gone() {
  local stat
  stat=$(cat "/proc/$1/stat" 2>/dev/null) || return 0
  stat=${stat##*) }
  [[ ${stat%% *} == Z ]]
}

# A display of our own: Xvfb picks a free number itself and reports it through -displayfd once
# it accepts connections, so parallel runs never share or race for a display.
# shellcheck disable=SC2120  # the options are optional
start_xvfb() {  # start_xvfb [XVFB OPTION...]
  local number_file=$E2E_ART/xvfb.display i
  : >"$number_file"
  Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp -noreset "$@" \
    3>"$number_file" >"$E2E_ART/xvfb.log" 2>&1 &
  e2e_xvfb_pid=$!
  for ((i = 0; i < 200; i++)); do
    [[ -s $number_file ]] && break
    process_gone "$e2e_xvfb_pid" && abort "Xvfb ended at start-up, see $E2E_ART/xvfb.log"
    sleep 0.05
  done
  [[ -s $number_file ]] || abort "Xvfb reported no display within 10 s"
  DISPLAY=:$(tr -d '[:space:]' <"$number_file")
  export DISPLAY
  unset WAYLAND_DISPLAY SDL_VIDEO_DRIVER SDL_VIDEODRIVER
  say "# Xvfb on $DISPLAY"
}

# The display has no window manager; this stands in for the part of one that grants fullscreen
# requests, and logs every _NET_WM_STATE request to FULLSCREEN_LOG.
start_fullscreen_manager() {
  local i
  FULLSCREEN_LOG=$E2E_ART/window-manager-requests.log
  : >"$FULLSCREEN_LOG"
  "${XTOOL[@]}" fullscreen-manager "$FULLSCREEN_LOG" &
  e2e_helper_pids+=($!)
  for ((i = 0; i < 100; i++)); do
    grep -q ready "$FULLSCREEN_LOG" && return 0
    sleep 0.05
  done
  abort "the fullscreen stand-in did not start"
}

# Starts the game on Mesa's software rasteriser with the arguments given; its output goes to
# game-N.log. SIGINT keeps its default action, as for a game started from a terminal (a
# script's background job would otherwise ignore it).
start_game() {
  e2e_games=$((e2e_games + 1))
  GAME_LOG=$E2E_ART/game-$e2e_games.log
  GAME_RC=
  LIBGL_ALWAYS_SOFTWARE=1 env --default-signal=INT "$PEXILON" "$@" >"$GAME_LOG" 2>&1 &
  GAME_PID=$!
  e2e_game_pids+=("$GAME_PID")
}

# Waits for the game's window (title starting with Pexilon) to be mapped; sets WIN.
wait_window() {
  local timeout=20 deadline
  deadline=$(deadline_after "$timeout")
  WIN=
  while [[ -z $WIN ]]; do
    WIN=$(xdotool search --onlyvisible --name '^Pexilon' 2>/dev/null | head -n 1)
    [[ -n $WIN ]] && break
    process_gone "$GAME_PID" && abort "the game ended before its window appeared, see $GAME_LOG"
    past "$deadline" && abort "no Pexilon window within $timeout s"
    sleep 0.05
  done
}

# There is no window manager: put the window at the top-left corner (so it stays wholly on the
# screen when it grows, which grabbing needs), move the pointer over it and give it the
# keyboard focus with XSetInputFocus.
focus_window() {
  timeout 5 xdotool windowmove --sync "$WIN" 0 0 >/dev/null 2>&1 || xdotool windowmove "$WIN" 0 0
  xdotool mousemove --window "$WIN" 450 350
  timeout 5 xdotool windowfocus --sync "$WIN" || abort "could not focus the window"
}

# Starts a game on the display of start_xvfb and waits until it has the keyboard and has drawn.
launch_game() {  # launch_game [ARGS...]
  start_game "$@"
  wait_window
  focus_window
  wait_for_picture first-frame 15 "$COLOUR_HUD_BACKDROP" 450 40 ||
    abort "the first frame never showed the HUD backdrop"
}

readonly FIRST_TITLE="Pexilon  |  Score: 0  Health: 100  Level: 1  Wave: 1  Monsters: 0  Shots: 1  Power: 1  |  A/D Move  |  SPACE Shoot  |  R Restart  |  F11 Fullscreen  |  ESC Exit"

# Starts the game and checks the first status line in its title; then waits for the first frame.
title_at_start() {
  start_game
  wait_window
  # The window is mapped with the title "Pexilon" before the first pass sets the status
  # line, so wait for the line, then read it at once. The first monster spawns 0.35 s into
  # the game and the title follows within a pass, so a slow start may already show
  # "Monsters: 1"; either is the untouched first game.
  if wait_title '\|' 5; then
    if [[ $TITLE == "${FIRST_TITLE/Monsters: 0/Monsters: 1}" ]]; then
      pass "the first title is the start-up line (read after the first spawn)"
    else
      check_equal "the first title is the start-up line" "$TITLE" "$FIRST_TITLE"
    fi
  else
    fail "the status line never reached the title: '$TITLE'"
  fi
  focus_window
  wait_for_picture first-frame 15 "$COLOUR_HUD_BACKDROP" 450 40 ||
    abort "the first frame never showed the HUD backdrop"
}

# ----------------------------------------------------------------------------- time

now_ms() { date +%s%3N; }
deadline_after() { echo $(($(now_ms) + ${1%.*} * 1000)); }
past() { (($(now_ms) >= $1)); }

# ----------------------------------------------------------------------------- keys

# Keys go through XTEST to the focused window; names are X keysyms (d, Left, space, Escape, F11).
key_down() { xdotool keydown "$@"; }
key_up() { xdotool keyup "$@"; }
tap_key() { xdotool key "$@"; }

# One xdotool run presses, waits and releases, so no process start-up stretches the hold.
hold_key() {  # hold_key KEY SECONDS
  xdotool keydown "$1" sleep "$2" keyup "$1"
}

# ----------------------------------------------------------------------------- the window

window_title() { xdotool getwindowname "$WIN" 2>/dev/null; }

# Prints a number field of the title ("Score", "Monsters", ...), or nothing.
title_number() {
  local title
  title=$(window_title)
  [[ $title =~ "  $1: "(-?[0-9]+) ]] && say "${BASH_REMATCH[1]}"
}

# Waits until the title matches the bash regex; TITLE holds the last title read.
wait_title() {  # wait_title REGEX SECONDS
  local deadline
  deadline=$(deadline_after "$2")
  while :; do
    TITLE=$(window_title)
    [[ $TITLE =~ $1 ]] && return 0
    past "$deadline" && return 1
    sleep 0.05
  done
}

window_size() {  # prints WIDTHxHEIGHT
  xdotool getwindowgeometry "$WIN" | awk '/Geometry:/ { print $2 }'
}

wait_window_size() {  # wait_window_size WxH SECONDS
  local deadline
  deadline=$(deadline_after "$2")
  until [[ $(window_size) == "$1" ]]; do
    past "$deadline" && return 1
    sleep 0.05
  done
}

# A line matching the regex appears in the file within SECONDS.
wait_for_line() {  # wait_for_line FILE REGEX SECONDS
  local deadline
  deadline=$(deadline_after "$3")
  until grep -qE "$2" "$1"; do
    past "$deadline" && return 1
    sleep 0.05
  done
}

# Sends WM_DELETE_WINDOW, as a window manager's close button does.
request_close() { "${XTOOL[@]}" close "$WIN"; }

# Waits for the game to end; GAME_RC is its exit code, or "timeout" after killing it.
wait_game_exit() {  # wait_game_exit SECONDS
  local deadline
  deadline=$(deadline_after "$1")
  until process_gone "$GAME_PID"; do
    if past "$deadline"; then
      stop_process "$GAME_PID"
      GAME_RC=timeout
      return 1
    fi
    sleep 0.05
  done
  wait "$GAME_PID"
  GAME_RC=$?
}

# ----------------------------------------------------------------------------- pictures

# Grabs the window into <artifacts>/NAME.png; SHOT is its path.
take_shot() {
  SHOT=$E2E_ART/$1.png
  "${XTOOL[@]}" grab "$WIN" "$SHOT" || abort "could not grab the window for $1"
}

# Grabs NAME again and again until all the points have the colour; SHOT is the last picture.
wait_for_picture() {  # wait_for_picture NAME SECONDS COLOUR LX LY [LX LY ...]
  local name=$1 seconds=$2 colour=$3
  shift 3
  SHOT=$E2E_ART/$name.png
  "${XTOOL[@]}" grab-until "$WIN" "$SHOT" "$seconds" points "$colour" "$@"
}

# Logical x range "MIN MAX" of the ship's hull in SHOT, or "none".
hull_span() { "${XTOOL[@]}" span "$SHOT" "$HULL_ROW" "$COLOUR_HULL" 30 870; }

# The logical x of the ship's centre in SHOT, or nothing when no hull is seen.
ship_centre() {
  local span
  span=$(hull_span)
  [[ $span == none ]] && return 1
  awk '{ printf "%.0f\n", ($1 + $2) / 2 }' <<<"$span"
}

# The hull is seen within 1.5 units of LEFT..RIGHT in SHOT.
hull_at() {  # hull_at LEFT RIGHT
  local span
  span=$(hull_span)
  say "hull seen at $span"
  [[ $span != none ]] && awk -v s="$span" -v l="$1" -v r="$2" \
    'BEGIN { split(s, h, " "); exit !((h[1] - l) ^ 2 <= 2.25 && (h[2] - r) ^ 2 <= 2.25) }'
}

# The centre x of the monster in SHOT that is quickest to shoot down: one that no other monster
# hides from below, Small before Medium before Big, the lowest first. Nothing when none is seen.
target_monster() {
  "${XTOOL[@]}" monsters "$SHOT" | awk '
    { kind[NR] = $1; x0[NR] = $2; y0[NR] = $3; x1[NR] = $4; y1[NR] = $5 }
    END {
      rank["small"] = 0; rank["medium"] = 1; rank["big"] = 2
      best = 0
      for (i = 1; i <= NR; i++) {
        if (x1[i] - x0[i] > 60) continue  # two monsters of one colour that overlap
        cx = (x0[i] + x1[i]) / 2
        hidden = 0
        for (j = 1; j <= NR; j++)
          if (j != i && y1[j] > y1[i] && x0[j] < cx + 7 && x1[j] > cx - 7) hidden = 1
        if (hidden) continue
        if (!best || rank[kind[i]] < rank[kind[best]] ||
            (rank[kind[i]] == rank[kind[best]] && y1[i] > y1[best])) best = i
      }
      if (!best) exit 1
      printf "%.0f\n", (x0[best] + x1[best]) / 2
    }'
}

# Holds KEY until the hull covers the logical x positions (in its row), at most SECONDS. Waiting
# on the picture rather than for a fixed time keeps this right on a slow machine, where the
# game advances at most 0.05 s a pass.
drive_ship_until() {  # drive_ship_until KEY SECONDS X [X ...]
  local key=$1 seconds=$2 x points=() rc
  shift 2
  for x in "$@"; do points+=("$x" "$HULL_ROW"); done
  key_down "$key"
  "${XTOOL[@]}" grab-until "$WIN" "$E2E_ART/driving.png" "$seconds" points "$COLOUR_HULL" "${points[@]}"
  rc=$?
  key_up "$key"
  return $rc
}

# To a stop and a little further, pushing against it; SHOT is a picture of the ship there.
drive_to_right_stop() {  # drive_to_right_stop NAME
  drive_ship_until d 20 824 838
  hold_key d 0.3
  take_shot "$1"
}

drive_to_left_stop() {  # drive_to_left_stop NAME
  drive_ship_until a 20 62 76
  hold_key a 0.3
  take_shot "$1"
}

# Drives the ship until its centre is within 12 units of x, looking after each move. A shot
# (radius 5) from there still hits a monster 40 wide centred on x.
steer_ship_to() {  # steer_ship_to X
  local target=$1 attempt centre distance seconds
  for ((attempt = 0; attempt < 10; attempt++)); do
    take_shot steering
    centre=$(ship_centre) || return 1
    distance=$((target - centre))
    ((${distance#-} <= 12)) && return 0
    seconds=$(awk -v d="${distance#-}" -v v="$SHIP_SPEED" 'BEGIN { printf "%.3f", d / v }')
    if ((distance > 0)); then hold_key d "$seconds"; else hold_key a "$seconds"; fi
  done
  return 1
}

# Stands under a monster and fires until the title's score is above 0, choosing a new target
# every few seconds in case the first was a tough one. Fails after SECONDS.
kill_a_monster() {  # kill_a_monster SECONDS
  local deadline aim_until target score
  deadline=$(deadline_after "$1")
  while ! past "$deadline"; do
    take_shot looking-for-a-monster
    if ! target=$(target_monster) || ! steer_ship_to "$target"; then
      sleep 0.2
      continue
    fi
    aim_until=$(deadline_after 6)
    key_down space
    until past "$aim_until" || past "$deadline"; do
      score=$(title_number Score)
      if [[ -n $score ]] && ((score > 0)); then
        key_up space
        return 0
      fi
      sleep 0.1
    done
    key_up space
  done
  return 1
}

# ----------------------------------------------------------------------------- checks

pass() {
  e2e_checks=$((e2e_checks + 1))
  say "ok - $1"
}

fail() {
  e2e_checks=$((e2e_checks + 1))
  e2e_failures=$((e2e_failures + 1))
  say "not ok - $1"
}

# Runs a command; its success is the check. Output of a failing command is shown.
check() {  # check DESCRIPTION COMMAND [ARGS...]
  local description=$1 output
  shift
  if output=$("$@" 2>&1); then
    pass "$description"
  else
    fail "$description"
    [[ -n $output ]] && printf '    %s\n' "${output//$'\n'/$'\n    '}"
  fi
}

# All the logical points of SHOT have the colour.
check_colour() {  # check_colour DESCRIPTION COLOUR LX LY [LX LY ...]
  local description=$1
  shift
  check "$description" "${XTOOL[@]}" expect "$SHOT" "$@"
}

check_equal() {  # check_equal DESCRIPTION ACTUAL EXPECTED
  if [[ $2 == "$3" ]]; then
    pass "$1"
  else
    fail "$1"
    say "    got:  $2"
    say "    want: $3"
  fi
}

# The empty playfield's backdrop in SHOT (the window tests, and the package's check on Weston).
# Logical points of each backdrop area, clear of crates, labels, HUD text, monsters and ship.
health_body=(60 400 95 180 95 520 130 620)
weapon_body=(770 400 805 180 805 370 840 620)
lane_body=(200 400 600 500 300 250)
floor_strip=(300 663 700 663 160 663)
hud_backdrop=(450 40 600 8 850 50 100 78)
black=(450 690 30 690 880 690 145 400 755 400 25 400 870 400)

check_backdrop() {  # check_backdrop WHERE
  check_colour "$1: health column body" "$COLOUR_HEALTH_BODY" "${health_body[@]}"
  check_colour "$1: weapon column body" "$COLOUR_WEAPON_BODY" "${weapon_body[@]}"
  check_colour "$1: lane body" "$COLOUR_LANE_BODY" "${lane_body[@]}"
  check_colour "$1: floor strip at y 663" "$COLOUR_FLOOR" "${floor_strip[@]}"
  check_colour "$1: HUD backdrop" "$COLOUR_HUD_BACKDROP" "${hud_backdrop[@]}"
  check_colour "$1: black below y 666, in the gaps and beside the columns" "$COLOUR_BLACK" "${black[@]}"
}

# The text drawn at (X, Y) with SCALE has exactly the lit cells of the font.
check_text() {  # check_text DESCRIPTION X Y SCALE TEXT COLOUR
  local description=$1
  shift
  check "$description" "${XTOOL[@]}" glyphs "$SHOT" "$@"
}

# Something that makes the rest of the test meaningless: stop here as a failure.
abort() {
  say "not ok - $*"
  [[ -n $GAME_LOG && -s $GAME_LOG ]] && sed 's/^/    game: /' "$GAME_LOG" | tail -n 20
  exit 1
}

e2e_end() {
  if ((e2e_checks == 0)); then
    say "# $E2E_NAME: no checks ran"
    exit 1
  fi
  say "# $E2E_NAME: $((e2e_checks - e2e_failures)) of $e2e_checks checks passed in ${SECONDS}s"
  ((e2e_failures == 0))
  exit $?
}
