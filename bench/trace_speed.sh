#!/usr/bin/env bash
# Trace speed: pexilon-replay printing every pass of a 30,000-pass game (a full trace), and
# reading an hour of game (216,000 passes) while printing only its last pass, timed side by side
# with the tool of commit c4bc14f, whose floats went through the standard library's to_chars and
# from_chars. The two tools run the same scripts in turn, PAIRS times each; the figures are the
# medians of their CPU seconds (user + system) and the ratio of ours to c4bc14f's. The two full
# traces must be the same bytes.
#
#   bash bench/trace_speed.sh PEXILON_REPLAY WORK_DIR [PAIRS]     (default 9 pairs)
#
# c4bc14f's tool is built headless once into WORK_DIR/c4bc14f from this repository's history.
set -euo pipefail
ours=$(realpath "$1")
work=$2
pairs=${3:-9}
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
readonly reference_commit=c4bc14f
readonly trace_passes=30000
readonly hour_passes=216000

mkdir -p "$work"
work=$(realpath "$work")
reference=$work/$reference_commit/build/pexilon-replay
if [[ ! -x $reference ]]; then
  rm -rf "${work:?}/$reference_commit"
  mkdir -p "$work/$reference_commit/src"
  git -C "$root" archive "$reference_commit" | tar -x -C "$work/$reference_commit/src"
  {
    cmake -S "$work/$reference_commit/src" -B "$work/$reference_commit/build" -DCMAKE_BUILD_TYPE=Release \
      -DPEXILON_WITH_WINDOW=OFF -DBUILD_TESTING=OFF -DPEXILON_BENCHMARKS=OFF
    cmake --build "$work/$reference_commit/build" -j"$(nproc)" --target pexilon-replay
  } >"$work/$reference_commit.log" 2>&1 || { echo "trace_speed: building $reference_commit failed, see $work/$reference_commit.log" >&2; exit 1; }
fi

# PASSES lines of 60 Hz play from a fixed seed (MINSTD, exact in awk's doubles): a new choice of
# keys every 0.1 to 1 s, fire held 85% of the time, left and right 30% each.
write_script() {  # write_script PASSES FILE
  awk -v passes="$1" 'BEGIN {
    x = 20260520
    for (pass = 0; pass < passes; pass++) {
      if (pass >= next_choice) {
        x = (x * 48271) % 2147483647; keys = (x % 100 < 85) ? " fire" : ""
        x = (x * 48271) % 2147483647; if (x % 100 < 30) keys = keys " left"
        x = (x * 48271) % 2147483647; if (x % 100 < 30) keys = keys " right"
        x = (x * 48271) % 2147483647; next_choice = pass + 6 + x % 55
      }
      print "0.016667" keys
    }
  }' >"$2"
}
write_script "$trace_passes" "$work/trace.txt"
write_script "$hour_passes" "$work/hour.txt"

cmp <("$ours" "$work/trace.txt") <("$reference" "$work/trace.txt") ||
  { echo "trace_speed: the two tools print different traces" >&2; exit 1; }

# The command's user + system seconds, to the microsecond (time(1) gives hundredths); its
# output is dropped.
cpu_seconds() {  # cpu_seconds COMMAND...
  python3 -c '
import resource, subprocess, sys
subprocess.run(sys.argv[1:], stdout=subprocess.DEVNULL, check=True)
used = resource.getrusage(resource.RUSAGE_CHILDREN)
print("%.6f" % (used.ru_utime + used.ru_stime))' "$@"
}

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# compare NAME ARGS...: PAIRS runs of each tool with ARGS, in turn, and one line of figures.
compare() {
  local name=$1 i
  shift
  : >"$work/$name.ours"
  : >"$work/$name.reference"
  for ((i = 0; i < pairs; i++)); do
    cpu_seconds "$ours" "$@" >>"$work/$name.ours"
    cpu_seconds "$reference" "$@" >>"$work/$name.reference"
  done
  local a b
  a=$(median <"$work/$name.ours")
  b=$(median <"$work/$name.reference")
  awk -v n="$name" -v a="$a" -v b="$b" -v p="$pairs" \
    'BEGIN { printf "%s: ours %.4f s, %s %.4f s CPU (medians of %d pairs), ratio %.2f\n", n, a, "'"$reference_commit"'", b, p, (b > 0 ? a / b : 0) }'
}

compare "full trace, $trace_passes passes printed" "$work/trace.txt"
compare "an hour, $hour_passes passes read, the last printed" --every 1000000000 "$work/hour.txt"
