# shellcheck shell=bash
# Sourced by the scripts, not run. Long steps (apt, the builds) run with their output in a log
# file, and every ten seconds a line on stderr says the step is still going, how long it has
# taken and, when its output shows one, the build's or apt's percentage: a slow machine never
# looks stuck. Besides the steps: files the same every time, Debian packages installed when
# missing, and the presets' builds. The sourcing script names itself in step_prefix ("test").

: "${step_prefix:?the sourcing script names itself in step_prefix}"
readonly step_progress_every=10  # seconds between two progress lines of one step
# What is built or downloaded once: ~/.cache/pexilon (a relative XDG_CACHE_HOME is invalid, and
# would make the folders depend on the working directory).
# shellcheck disable=SC2034  # used by the sourcing scripts
if [[ ${XDG_CACHE_HOME:-} == /* ]]; then
  cache=$XDG_CACHE_HOME/pexilon
else
  cache=${HOME:?neither XDG_CACHE_HOME nor HOME is set}/.cache/pexilon
fi

say() { printf '%s: %s\n' "$step_prefix" "$*" >&2; }
die() { say "error: $*"; exit 1; }

# 75 -> "1 min 15 s", 45 -> "45 s"
step_duration() {
  (($1 < 60)) || printf '%d min ' $(($1 / 60))
  printf '%d s' $(($1 % 60))
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
  (trap - ERR && "$@") >>"$step_log" 2>&1 </dev/null &
  pid=$!
  next=$((start + step_progress_every))
  # Polled rather than waited for, to speak in between; bash reaps the finished job, so its
  # /proc entry goes (kill -0 would fail on a command run through sudo).
  while [[ -d /proc/$pid ]]; do
    sleep 0.25
    if ((SECONDS >= next)); then
      progress=$(step_progress "$step_log" "$offset")
      say "$what: ${progress:+$progress, }$(step_duration $((SECONDS - start))) so far"
      next=$((next + step_progress_every))
    fi
  done
  wait "$pid" || status=$?
  return "$status"
}

# A step whose failure the caller weighs: on failure the end of its log and its name, status 1.
logged() {  # logged WHAT LOG COMMAND...
  run_step "$@" && return 0
  tail -n 30 "$2" | sed 's/^/    /' >&2
  say "$1 failed; see $2"
  return 1
}

# A step the rest cannot do without: on failure the same, then exit 1.
run_logged() {  # run_logged WHAT LOG COMMAND...
  logged "$@" || exit 1
}

# ------------------------------------------------------------------ files the same every time

# The time every built file carries: SOURCE_DATE_EPOCH when set, else the time of the commit,
# else (a tree without git, such as the source tarball) the date of the newest changelog entry.
source_date_epoch() {  # source_date_epoch TREE
  if [[ -n ${SOURCE_DATE_EPOCH:-} ]]; then
    printf '%s\n' "$SOURCE_DATE_EPOCH"
  elif ! git -C "$1" log -1 --format=%ct 2>/dev/null; then
    date -d "$(sed -n 's/^ -- .*>  //p' "$1/share/doc/changelog" | head -n 1)" +%s
  fi
}

# A zip of FILEs from DIR in the order given, each with the time SOURCE_DATE_EPOCH, the same
# permissions and no owner: the same files give the same bytes.
zip_reproducibly() {  # zip_reproducibly ZIP DIR FILE...
  local zip=$1 dir=$2
  shift 2
  rm -f "$zip"
  (
    cd "$dir" || exit 1
    chmod 0644 "$@"
    touch -d "@${SOURCE_DATE_EPOCH:?}" "$@"
    TZ=UTC zip -q -X -D "$zip" "$@"
  )
}

# ----------------------------------------------------------------- packages from apt-get

as_root() {
  if ((EUID == 0)); then
    "$@"
  else
    command -v sudo >/dev/null || { say "error: apt-get needs root: run this as root or install sudo"; exit 1; }
    sudo "$@"
  fi
}

apt_get() {
  # The dpkg lock timeout waits out unattended-upgrades on a fresh machine instead of failing
  # at once. The status lines apt writes beside its output carry the progress lines' percentages.
  as_root env DEBIAN_FRONTEND=noninteractive apt-get -y -q \
    -o DPkg::Lock::Timeout=600 -o APT::Status-Fd=1 "$@"
}

# apt-get update gives up at once while another apt holds the package lists (the lock timeout
# above is dpkg's alone), as when two set-ups start together: it is tried again, for up to ten
# minutes, while that is why it failed.
apt_get_update() {
  local said
  said=$(mktemp)
  for _ in {1..120}; do
    if apt_get update 2>&1 | tee "$said"; then
      rm -f "$said"
      return 0
    fi
    grep -q 'Could not get lock /var/lib/apt/lists/lock' "$said" || break
    echo "Waiting for cache lock: another apt is updating the package lists"
    sleep 5
  done
  rm -f "$said"
  return 1
}

apt_updated=false
apt_update_once() {  # apt_update_once LOG
  $apt_updated && return 0
  say "updating the apt package lists (under a minute on a good connection)"
  run_logged "apt-get update" "$1" apt_get_update
  apt_updated=true
}

# Prints those of the given packages that are not installed.
missing_packages() {
  local installed pkg
  installed=$(dpkg-query -W -f='${Package} ${db:Status-Status}\n' "$@" 2>/dev/null |
    awk '$2 == "installed" { print $1 }' || true)
  for pkg in "$@"; do
    grep -qxF "$pkg" <<<"$installed" || printf '%s\n' "$pkg"
  done
}

ensure_packages() {  # ensure_packages LOG PACKAGE...
  local apt_log=$1 missing
  shift
  mapfile -t missing < <(missing_packages "$@")
  ((${#missing[@]})) || return 0
  apt_update_once "$apt_log"
  say "installing ${#missing[@]} packages with apt-get (up to several minutes on a fresh machine): ${missing[*]}"
  run_logged "installing ${#missing[@]} packages" "$apt_log" \
    apt_get install --no-install-recommends "${missing[@]}"
}

# The scripts' CMake builds: each is a preset of CMakePresets.json, configured and built with
# its logs in its build directory. The sourcing script sets root (the source tree).
build_jobs=$(nproc)

configure_preset() {  # configure_preset PRESET DIR [cmake options...]   (DIR: the preset's build directory)
  local preset=$1 dir=$2
  shift 2
  mkdir -p "$dir"
  : >"$dir/configure.log"
  run_logged "configuring ${dir#"$root"/}" "$dir/configure.log" env -C "$root" cmake --preset "$preset" "$@"
}

build_preset() {  # build_preset PRESET DIR [TARGET...]   (the preset's targets when none is named)
  local preset=$1 dir=$2
  shift 2
  local -a targets=()
  (($#)) && targets=(--target "$@")
  : >"$dir/build.log"
  run_logged "building ${dir#"$root"/}" "$dir/build.log" \
    env -C "$root" cmake --build --preset "$preset" -j"$build_jobs" "${targets[@]}"
}
