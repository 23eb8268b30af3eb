#!/usr/bin/env bash
# Peak resident size of `pexilon --play` for a 1 MiB and a 400 MiB recording, generated here and
# removed afterwards. Each recording is watched twice: with no display (the whole file is
# checked, then the window cannot open, exit 1) and under X for a few seconds after its window
# opens (checked, then read again while it is shown; ESC ends it, exit 0).
#
#   bench/watch_memory.sh PEXILON [WATCH_SECONDS]      (default 10; needs DISPLAY)
#
# Prints one line per run: the recording's size, the kind of run, the peak resident size (GNU
# time's maximum RSS), the seconds it took and the exit code.
set -euo pipefail
binary=$1
watch_seconds=${2:-10}
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT

# A recorded game at 60 passes a second: mostly fire, with moves both ways, resting now and
# then, and a restart every 1000 passes (about 17 s).
make_recording() {  # make_recording FILE MIB
  python3 - "$1" "$2" <<'PY'
import sys
path, mib = sys.argv[1], int(sys.argv[2])
kinds = ["0.016667 fire", "0.016666 left fire", "0.016667 fire", "0.016667 right fire", "0.016667"]
block = "".join(kinds[(i // 7) % len(kinds)] + "\n" for i in range(999)) + "0.016667 restart\n"
with open(path, "w") as out:
    out.write("# recorded by pexilon 1.0\n")
    while out.tell() < mib << 20:
        out.write(block)
PY
}

report() {  # report MIB KIND TIME_FILE
  # GNU time puts a line about a non-zero exit before its own.
  read -r kib seconds status < <(tail -n 1 "$3")
  printf 'watch_memory: %4d MiB %-28s peak_rss_kib %7d  seconds %6.1f  exit %d\n' "$1" "$2" "$kib" "$seconds" "$status"
}

for mib in 1 400; do
  recording=$folder/game-$mib.txt
  make_recording "$recording" "$mib"

  /usr/bin/time -f '%M %e %x' -o "$folder/time.txt" \
    env -u DISPLAY -u WAYLAND_DISPLAY "$binary" --play "$recording" 2>/dev/null || true
  report "$mib" "checked, no display" "$folder/time.txt"

  /usr/bin/time -f '%M %e %x' -o "$folder/time.txt" "$binary" --play "$recording" &
  timer=$!
  # The whole file is checked before the window opens: minutes for the large one.
  window=$(timeout 600 xdotool search --sync --onlyvisible --name '^Pexilon' | head -n 1)
  # No window manager: move the pointer in and give the window the keyboard focus ourselves.
  xdotool windowmove "$window" 0 0
  xdotool mousemove --window "$window" 450 350
  timeout 5 xdotool windowfocus --sync "$window"
  sleep "$watch_seconds"
  xdotool key Escape
  wait "$timer" || true
  report "$mib" "checked and watched ${watch_seconds} s" "$folder/time.txt"
done
