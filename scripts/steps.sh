# shellcheck shell=bash
# Sourced by the scripts, not run: long steps (apt, the SDL3 build, our own builds) run with
# their output in a log file, and every ten seconds a line on stderr says the step is still
# going, how long it has taken and, when its output shows one, the build's or apt's
# percentage. A slow machine then never looks stuck.
#
# The sourcing script sets step_prefix, the name its messages start with ("test", ...).
#
# Logs: set-up writes ~/.cache/pexilon/setup-deps.log; a build directory keeps its own,
# DIR/configure.log and DIR/build.log (and DIR/ctest.log where tests run).

: "${step_prefix:?the sourcing script names itself in step_prefix}"
readonly step_progress_every=10  # seconds between two progress lines of one step

step_say() { printf '%s: %s\n' "$step_prefix" "$*" >&2; }

# 75 -> "1 min 15 s"
step_duration() {
  if (($1 >= 60)); then
    printf '%d min %d s' $(($1 / 60)) $(($1 % 60))
  else
    printf '%d s' "$1"
  fi
}

# What the step's output (LOG from byte OFFSET on) last said about its progress: make's
# "[ 45%]", apt's status lines (apt-get -o APT::Status-Fd=1), or apt waiting for its lock.
step_progress() {
  tail -c +"$(($2 + 1))" "$1" 2>/dev/null | sed -nE '
    s/^\[ *([0-9]+)%\].*/\1%/p
    s/^dlstatus:[^:]*:([0-9]+)[.0-9]*:.*/downloading \1%/p
    s/^pmstatus:[^:]*:([0-9]+)[.0-9]*:.*/installing \1%/p
    s/^Waiting for cache lock.*/waiting for another apt or dpkg to finish/p' | tail -n 1
}

# run_step WHAT LOG COMMAND...: runs COMMAND (a function too) with its output appended to LOG
# under a header, with a progress line every ten seconds; returns the command's status.
run_step() {
  local what=$1 step_log=$2 start=$SECONDS offset pid status=0 next progress
  shift 2
  printf '\n### %s\n### %s\n' "$what" "$*" >>"$step_log"
  offset=$(stat -c %s "$step_log")
  # The caller decides what a failure means: no inherited ERR trap reports it from inside.
  (
    trap - ERR
    "$@"
  ) >>"$step_log" 2>&1 </dev/null &
  pid=$!
  next=$((start + step_progress_every))
  # Polled rather than waited for, to speak in between; bash reaps the finished job, so its
  # /proc entry goes (kill -0 would fail on a command run through sudo).
  while [[ -d /proc/$pid ]]; do
    sleep 0.25
    if ((SECONDS >= next)); then
      progress=$(step_progress "$step_log" "$offset")
      step_say "$what: ${progress:+$progress, }$(step_duration $((SECONDS - start))) so far"
      next=$((next + step_progress_every))
    fi
  done
  wait "$pid" || status=$?
  return "$status"
}

# Shows the end of a failed step's log and exits.
step_failed() {  # step_failed WHAT LOG
  tail -n 30 "$2" >&2
  step_say "$1 failed; see $2"
  exit 1
}

# The scripts' CMake builds, each in its own directory under build/ with its logs in it.
# The sourcing script sets root (the source tree).
build_jobs=$(nproc)

configure_build() {  # configure_build DIR [cmake options...]
  local dir=$1 what="configuring ${1#"$root"/}"
  shift
  mkdir -p "$dir"
  : >"$dir/configure.log"
  run_step "$what" "$dir/configure.log" cmake -S "$root" -B "$dir" "$@" ||
    step_failed "$what" "$dir/configure.log"
}

build_targets() {  # build_targets DIR [TARGET...]   (every default target when none is named)
  local dir=$1 what="building ${1#"$root"/}"
  shift
  local -a targets=()
  (($#)) && targets=(--target "$@")
  : >"$dir/build.log"
  run_step "$what" "$dir/build.log" cmake --build "$dir" -j"$build_jobs" "${targets[@]}" ||
    step_failed "$what" "$dir/build.log"
}
