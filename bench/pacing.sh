#!/usr/bin/env bash
# Plays the real game idle for a while under X and measures its pacing: passes per second
# (buffer swaps, counted by a preloaded shim) and CPU-seconds per second of the game's
# process, all its threads (the software renderer's included).
#
#   bench/pacing.sh PEXILON SWAP_COUNT_SHIM SECONDS      (needs DISPLAY)
#
# Prints one line: "passes/s P  cpu-s/s C  refresh R Hz" for the game as built.
set -euo pipefail
binary=$1
shim=$2
seconds=$3

work=$(mktemp -d)
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$work"' EXIT
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
ticks_per_second=$(getconf CLK_TCK)

launched=$(date +%s.%N)
PEXILON_SWAP_COUNT=$work/swaps LD_PRELOAD=$shim "$binary" &
pid=$!
window=$(timeout 20 xdotool search --sync --onlyvisible --pid "$pid" --name '^Pexilon' | head -n 1)
sleep 1  # past start-up
start_ticks=$(cpu_ticks "$pid")
start=$(date +%s.%N)
sleep "$seconds"
end_ticks=$(cpu_ticks "$pid")
end=$(date +%s.%N)
xdotool windowfocus --sync "$window" key Escape
wait "$pid"
exited=$(date +%s.%N)
swaps=$(cat "$work/swaps")
refresh=$({ xrandr 2>/dev/null || true; } | awk '/\*/ { sub(/\*.*/, "", $2); print $2; exit }')
# The swaps cover the whole run, from launch to exit.
awk -v s="$swaps" -v l="$launched" -v x="$exited" -v a="$start" -v b="$end" -v t0="$start_ticks" -v t1="$end_ticks" \
  -v hz="$ticks_per_second" -v r="${refresh:-unknown}" \
  'BEGIN { printf "passes/s %.1f  cpu-s/s %.3f  refresh %s Hz\n", s / (x - l), (t1 - t0) / hz / (b - a), r }'
