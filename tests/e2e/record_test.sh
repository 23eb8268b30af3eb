#!/usr/bin/env bash
# Recording and watching a game: a game recorded while keys are pressed replays in
# pexilon-replay through every title the window showed; --play ends on the replay's last
# title and keeps it; a recording ended by a signal replays whole; bad command lines and
# files are refused before any window opens.
#
# The Windows game under Wine (scripts/build-windows --check sets PEXILON_UNDER_WINE=1) takes
# the checks that hold there: its recording replays in the Linux tool, given as PEXILON_REPLAY;
# it watches a recording made on Linux to the Linux tool's last title; it keeps an existing
# file. The signals and the Linux file-system cases are Linux's alone.
#
# shellcheck disable=SC2317  # functions called through check are reached
set -uo pipefail
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/lib.sh"
e2e_begin "$@"

REPLAY=${PEXILON_REPLAY:-$(dirname "$PEXILON")/pexilon-replay}
[[ -x $REPLAY ]] || abort "no pexilon-replay at $REPLAY"
RECORDING=$E2E_ART/game.txt
TITLES=$E2E_ART/live-titles.txt

# The exit code of a command line run without a display (a game that went on to open its
# window would fail with exit code 1), then the first lines of its standard output and error.
outcome() {  # outcome ARGS...
  local rc
  env -u DISPLAY -u WAYLAND_DISPLAY timeout 10 "$PEXILON" "$@" >"$E2E_ART/outcome.out" 2>"$E2E_ART/outcome.err"
  rc=$?
  say "exit $rc | $(head -n 1 "$E2E_ART/outcome.out") | $(head -n 1 "$E2E_ART/outcome.err")"
}

command_lines() {
  local files=$E2E_ART/files usage version
  usage='usage: pexilon [--record FILE | --play FILE]'
  version=$(sed -nE 's/^project\(Pexilon VERSION ([0-9.]+).*/\1/p' "$E2E_LIB_DIR/../../CMakeLists.txt")
  check_equal "--help prints the usage on standard output" "$(outcome --help)" "exit 0 | $usage | "
  check_equal "--version prints the name and the project's version" "$(outcome --version)" "exit 0 | pexilon $version | "

  local bad_script=$'0.02\n# aim\n0.02 jump fire\n0.02\n'
  mkdir -p "$files/a folder"
  printf '%s' "$bad_script" >"$files/bad.txt"
  cd "$files" || abort "no folder for the refused files"
  local -a cases=(
    "a missing file|pexilon: cannot open 'missing.txt': No such file or directory|--play|missing.txt"
    "a folder|pexilon: cannot open 'a folder': Is a directory|--play|a folder"
    "an unreadable file|pexilon: cannot read '/proc/self/mem': Input/output error|--play|/proc/self/mem"
    "a bad line|pexilon: 'bad.txt': line 3: unknown word 'jump'|--play|bad.txt"
    "an empty FILE to play|pexilon: --play needs a file name, not an empty one|--play|"
    "an empty FILE to record|pexilon: --record needs a file name, not an empty one|--record|"
    "a missing FILE|pexilon: --record needs a file name|--record"
    "a file that cannot be created|pexilon: cannot create 'no/such/new.txt': No such file or directory|--record|no/such/new.txt"
    "an existing FILE to record|pexilon: 'bad.txt' exists already; nothing was written to it|--record|bad.txt"
    "an unknown option|pexilon: unknown option '--fast'|--record|new.txt|--fast"
  )
  local entry
  local -a fields
  for entry in "${cases[@]}"; do
    IFS='|' read -r -a fields <<<"$entry"
    # A trailing empty field is an empty argument, which read -a drops.
    [[ $entry == *'|' ]] && fields+=("")
    check_equal "${fields[0]}: exit code 2, no window, a message and nothing on standard output" \
      "$(outcome "${fields[@]:2}")" "exit 2 |  | ${fields[1]}"
  done
  check "a usage error (the last case) shows the usage line" grep -qxF "$usage" "$E2E_ART/outcome.err"
  check_equal "a recording whose window cannot open ends with exit code 1" "$(outcome --record new.txt | cut -c 1-6)" "exit 1"
  check_equal "the existing FILE is left as it was" "$(cat bad.txt)" "${bad_script%$'\n'}"
  check_equal "the refused command lines and the game that could not start left no file" "$(ls -A)" "$(printf 'a folder\nbad.txt')"
  cd - >/dev/null || abort "cannot go back"
}

# --record onto a file that exists is refused before anything is written: exit code 2, a
# message that says so, and the file as it was. (On Linux one of the command lines above.)
existing_file_kept() {
  local file=$E2E_ART/existing.txt result
  printf '# recorded by pexilon 1.0\n0.02 fire\n' >"$file"
  cp "$file" "$E2E_ART/existing.before"
  result=$(outcome --record "$file")
  # Less the message, which names the file as the system spells it.
  check_equal "--record onto an existing file: exit code 2, no window, nothing on standard output" \
    "${result% | *}" "exit 2 | "
  check "the message says the file exists" grep -qi "exists" "$E2E_ART/outcome.err"
  check "the existing file is untouched" cmp "$file" "$E2E_ART/existing.before"
}

# Appends each title the window shows to FILE when it differs from the one before, until the
# window is gone.
log_titles() {  # log_titles FILE
  local title last=
  while title=$(xdotool getwindowname "$WIN" 2>/dev/null); do
    [[ $title != "$last" ]] && printf '%s\n' "$title" >>"$1"
    last=$title
    sleep 0.02
  done
}

# Sends ESC as soon as the title log has a line more than now.
escape_after_next_title() {  # escape_after_next_title SECONDS
  local lines deadline
  lines=$(wc -l <"$TITLES")
  deadline=$(deadline_after "$1")
  until (($(wc -l <"$TITLES") > lines)); do
    past "$deadline" && return 1
    sleep 0.01
  done
  tap_key Escape
}

# The window titles in FILE (the bare "Pexilon" the window opens with is no pass's title) occur
# in order among the titles of the replayed passes, and the last one is the last pass's.
titles_replayed() {  # titles_replayed TITLES REPLAY_JSON_LINES
  python3 - "$1" "$2" <<'EOF'
import json, sys
live = [t for t in open(sys.argv[1], encoding="utf-8").read().splitlines() if t != "Pexilon"]
passes = [json.loads(line)["title"] for line in open(sys.argv[2], encoding="utf-8")]
print("%d live titles, %d passes" % (len(live), len(passes)))
at = 0
for number, title in enumerate(live, 1):
    while at < len(passes) and passes[at] != title:
        at += 1
    if at == len(passes):
        sys.exit("live title %d is not among the passes after the earlier ones: %s" % (number, title))
    print("live title %d is pass %d's" % (number, at + 1))
if not live or live[-1] != passes[-1]:
    sys.exit("the last live title is not the last pass's:\n  %s\n  %s" % (live[-1:], passes[-1]))
EOF
}

# Every line of the script replays, and it holds at least one pass.
replays_whole() {  # replays_whole SCRIPT
  local passes
  passes=$("$REPLAY" --every 1000000000 "$1" | python3 -c 'import json, sys; print(json.loads(sys.stdin.read())["pass"])') ||
    return 1
  say "$passes passes"
  ((passes > 0))
}

holds_words() {  # holds_words FILE WORD...
  local file=$1 word
  shift
  for word in "$@"; do
    grep -qw "$word" "$file" || { say "no '$word'"; return 1; }
  done
}

recording() {
  launch_game --record "$RECORDING"
  : >"$TITLES"
  log_titles "$TITLES" &
  e2e_helper_pids+=($!)
  hold_key d 0.5
  key_down space
  hold_key a 0.8
  key_up space
  # A kill puts a score in the titles, which only hits on the very same passes reproduce.
  kill_a_monster 45 || fail "no kill within 45 s: '$(window_title)'"
  tap_key r
  key_down space
  hold_key Right 0.4
  key_up space
  hold_key Left 0.3
  # The end, made so that the title the test saw last is the game's last: with no key held and
  # no shot left in flight, ESC follows a spawn at once. The next spawn is at least 0.85 s of
  # game time away, and no monster reaches the floor this soon after the restart.
  sleep 1.2
  escape_after_next_title 5 || fail "no spawn changed the title within 5 s"
  wait_game_exit 10
  check_equal "ESC ends the recorded game with exit code 0" "$GAME_RC" 0

  "$REPLAY" "$RECORDING" >"$E2E_ART/replay.jsonl" 2>"$E2E_ART/replay.err"
  check_equal "pexilon-replay plays every line of the recording" "$?" 0
  check "the first line names the program and its version" \
    grep -qxE '# recorded by pexilon [0-9]+\.[0-9]+(\.[0-9]+)?' <(head -n 1 "$RECORDING")
  check "the recording holds moves both ways, fire and a restart" holds_words "$RECORDING" left right fire restart
  check "every live title occurs in order among the replayed passes' titles, the last as the last pass's" \
    titles_replayed "$TITLES" "$E2E_ART/replay.jsonl"
}

# Waits until two pictures of the window half a second apart are the same. While a game runs
# something always moves (monsters sink, a fresh game has its first one within 0.35 s).
wait_still_picture() {  # wait_still_picture SECONDS
  local deadline earlier=$E2E_ART/still-earlier.png
  deadline=$(deadline_after "$1")
  take_shot still
  while ! past "$deadline"; do
    mv "$SHOT" "$earlier"
    sleep 0.5
    take_shot still
    [[ $("${XTOOL[@]}" differ "$earlier" "$SHOT" 0 0 900 700) == 0 ]] && return 0
  done
  return 1
}

watching() {  # watching RECORDING
  local recording=$1 last_title times
  last_title=$("$REPLAY" --every 1000000000 "$recording" | python3 -c 'import json, sys; print(json.load(sys.stdin)["title"])')
  # Seconds into the game halfway between its last restart and its end, then to its end.
  times=$(awk '!/^#/ { total += $1 } / restart/ { restart = total }
               END { printf "%.2f %.2f", (restart + total) / 2, (total - restart) / 2 }' "$recording")
  launch_game --play "$recording"
  # The script holds the game's keys: a restart or a move by the watcher changes nothing. After
  # the script's last restart, one would change the title the game ends with.
  sleep "${times% *}"
  tap_key r
  hold_key d 0.3
  # The rest of the recorded time at least, then until the picture stands still: the script
  # has ended.
  sleep "${times#* }"
  wait_still_picture 60 || fail "the watched game's picture never stood still"
  check_equal "--play ends on the title of the replay's last pass" "$(window_title)" "$last_title"
  check "the watched game stays open on its last frame" kill -0 "$GAME_PID"
  tap_key Escape
  wait_game_exit 10
  check_equal "ESC ends the watched game with exit code 0" "$GAME_RC" 0
}

# Events are handled while the recording plays, not only once it has ended: ESC ends the watched
# game at once.
watching_cut_short() {
  local seconds
  seconds=$(awk '!/^#/ { total += $1 } END { printf "%d", total }' "$RECORDING")
  ((seconds >= 5)) || fail "the recording lasts only $seconds s, too short to cut short"
  launch_game --play "$RECORDING"
  tap_key Escape
  wait_game_exit 3
  check_equal "ESC while a recording of $seconds s plays ends it within 3 s, with exit code 0" "$GAME_RC" 0
}

# A recorded game ended by a signal: SDL turns SIGTERM and SIGINT into a close request, and the
# file is complete; a killed one has its lines on the disk up to a second before.
signals() {
  local signal script lines
  for signal in TERM INT KILL; do
    script=$E2E_ART/$signal.txt
    launch_game --record "$script"
    key_down space
    hold_key d 0.5
    if [[ $signal == KILL ]]; then
      lines=$(wc -l <"$script")
      sleep 1.1
      check "the recording reaches the disk at least once a second ($lines lines, then $(wc -l <"$script"))" \
        test "$(wc -l <"$script")" -gt "$lines"
    fi
    kill -s "$signal" "$GAME_PID"
    key_up space
    wait_game_exit 10
    [[ $signal == KILL ]] || check_equal "SIG$signal ends a recorded game with exit code 0" "$GAME_RC" 0
    check "after SIG$signal every line of the recording replays" replays_whole "$script"
  done
}

if [[ ${PEXILON_UNDER_WINE:-} == 1 ]]; then
  start_xvfb
  recording
  watching "$E2E_LIB_DIR/recorded-on-linux.txt"
  # Last: a Wine session started without a display opens no window until it has ended.
  existing_file_kept
else
  command_lines
  start_xvfb
  recording
  watching "$RECORDING"
  watching_cut_short
  signals
fi
e2e_end
