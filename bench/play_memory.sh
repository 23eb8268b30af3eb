#!/usr/bin/env bash
# Plays the real game for a while under X and follows its resident size: VmRSS one second
# after start, then every 10 s, and at the end. Keys are held with xdotool like a player's:
# fire held throughout, a move now and then, R when the title says GAME OVER.
#
#   bench/play_memory.sh PEXILON SECONDS CSV      (needs DISPLAY)
#
# Prints one summary line; the CSV gets "seconds,vmrss_kib" rows.
set -euo pipefail
binary=$1
seconds=$2
csv=$3

rss_kib() { awk '/^VmRSS:/ { print $2 }' "/proc/$1/status"; }

start=$(date +%s.%N)
elapsed() { awk -v s="$start" -v n="$(date +%s.%N)" 'BEGIN { printf "%.1f", n - s }'; }

"$binary" &
pid=$!
trap 'kill "$pid" 2>/dev/null || true' EXIT

window=$(timeout 20 xdotool search --sync --onlyvisible --pid "$pid" --name '^Pexilon' | head -n 1)
# No window manager: move the pointer in and give the window the keyboard focus ourselves.
xdotool windowmove "$window" 0 0
xdotool mousemove --window "$window" 450 350
timeout 5 xdotool windowfocus --sync "$window"
sleep "$(awk -v s="$start" -v n="$(date +%s.%N)" 'BEGIN { d = 1 - (n - s); print (d > 0 ? d : 0) }')"
first=$(rss_kib "$pid")
echo "seconds,vmrss_kib" >"$csv"
echo "$(elapsed),$first" >>"$csv"

xdotool keydown space
RANDOM=20260520  # the same key pattern every run
games=1
next_sample=10
end=$((SECONDS + seconds))
while ((SECONDS < end)); do
  case $((RANDOM % 3)) in
    0) key=a ;;
    1) key=d ;;
    *) key= ;;
  esac
  if [[ -n $key ]]; then
    xdotool keydown "$key"
    sleep "0.$((3 + RANDOM % 7))"
    xdotool keyup "$key"
  fi
  sleep "0.$((4 + RANDOM % 6))"
  if [[ $(xdotool getwindowname "$window") == *"GAME OVER"* ]]; then
    xdotool key r
    games=$((games + 1))
  fi
  if ((SECONDS >= next_sample)); then
    echo "$(elapsed),$(rss_kib "$pid")" >>"$csv"
    next_sample=$((SECONDS + 10))
  fi
done
xdotool keyup space
last=$(rss_kib "$pid")
echo "$(elapsed),$last" >>"$csv"
title=$(xdotool getwindowname "$window")
xdotool key Escape
for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
status=0
wait "$pid" || status=$?
trap - EXIT
awk -v a="$first" -v b="$last" -v s="$seconds" -v g="$games" -v st="$status" -v t="$title" 'BEGIN {
  printf "memory: played_s %d  vmrss_kib after 1 s %d  at end %d  growth %+.2f%%  games %d  exit %d  target within 5%%\n",
    s, a, b, (b - a) * 100.0 / a, g, st
  printf "memory: last title: %s\n", t
}'
