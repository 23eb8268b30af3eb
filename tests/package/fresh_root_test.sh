#!/usr/bin/env bash
# The package of a Debian release as a user of that release gets it (run by
# scripts/check-package-install, which builds it; needs root, as apt and chroot do):
#   fresh_root_test.sh RELEASE DEB OUT_DIR       (RELEASE: debian-12 or debian-13)
# In a fresh minimal root of the release made by debootstrap it passes only when
#   - `apt-get install ./pexilon_*.deb` without recommends succeeds (Depends alone are enough)
#     and puts the programs on the PATH in /usr/games;
#   - a package on the release's own SDL3, which speaks Wayland, runs from its Depends alone on
#     a headless Weston (in a root of its own) for 5 s, SIGTERM ends it with exit code 0, and
#     Weston's screenshot shows the playfield (weston_picture_test.sh);
#   - the game opens its window under Xvfb with the first status line, ends with exit code 0 on
#     ESC, and pexilon-replay prints a golden game exactly (installed_test.sh);
#   - `apt-get remove` succeeds and leaves no file of the package behind.
# What the checks saw goes to OUT_DIR/RELEASE/, their output to OUT_DIR/RELEASE.log.
set -euo pipefail
release=$1 deb=$2 log=$3/$1.log art=$3/$1
tests=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
step_prefix=check-package-install
# shellcheck source=scripts/steps.sh
source "$tests/../scripts/steps.sh"
# shellcheck source=tests/checks.sh
source "$tests/checks.sh"
# shellcheck source=tests/package/roots.sh
source "$tests/package/roots.sh"
codename=$(codename_of "$release") || die "no Debian release called $release"
# What the fresh root needs to run the checks, installed after the package.
readonly test_packages=(xvfb xdotool python3)
work=$3/roots
started=$SECONDS

# A root of the release with Weston in it, made once; prints the path of a fresh copy.
weston_root() {
  local tarball=$roots/$codename-weston.tar dir
  if [[ ! -f $tarball ]]; then
    say "making a $codename root with Weston" >&2
    dir=$(unpack_root "$(base_root "$codename" "$log")")
    run_logged "installing Weston in $codename" "$log" \
      in_root "$dir" sh -c 'apt-get update && apt-get install -y --no-install-recommends weston && apt-get clean'
    save_root "$dir" "$tarball"
    rm -rf --one-file-system "$dir"
  fi
  unpack_root "$tarball"
}

# The installed game as a Wayland client of a headless Weston (GL renderer, the kiosk shell, which
# shows the window fullscreen on a 900 x 700 output): it runs 5 s and SIGTERM ends it; Weston's
# screenshot, taken meanwhile, goes to $art/weston.png. Returns the game's exit code.
play_on_weston() {  # play_on_weston GAME_ROOT
  local game_root=$1 weston shared_dir weston_job game_job rc=0 i
  weston=$(weston_root)
  shared_dir=$(mktemp -d "$work/wayland-XXXXXX")
  # Weston ends once the game has (or after a minute whatever happens).
  # shellcheck disable=SC2016  # expanded inside the root
  in_root "$weston" sh -c 'XDG_RUNTIME_DIR=/run/shared weston --backend=headless --renderer=gl \
      --shell=kiosk --width=900 --height=700 --socket=wayland-0 --debug & weston=$!
    i=0; while [ ! -e /run/shared/done ] && [ $i -lt 600 ]; do sleep 0.1; i=$((i + 1)); done
    kill $weston; wait $weston' >"$art/weston.log" 2>&1 &
  weston_job=$!
  for ((i = 0; i < 200; i++)); do
    [[ -S $shared_dir/wayland-0 ]] && break
    sleep 0.1
  done
  if [[ -S $shared_dir/wayland-0 ]]; then
    # SIGTERM after 5 s; its exit code is the game's (137 if it had to be killed 10 s later).
    in_root "$game_root" env XDG_RUNTIME_DIR=/run/shared WAYLAND_DISPLAY=wayland-0 \
      timeout --preserve-status --kill-after=10 5 pexilon >"$art/game-on-weston.log" 2>&1 &
    game_job=$!
    # Late enough for a slow start's first frame, early enough to be done before the SIGTERM.
    sleep 4
    in_root "$weston" sh -c 'cd /run/shared && XDG_RUNTIME_DIR=/run/shared WAYLAND_DISPLAY=wayland-0 weston-screenshooter' \
      >>"$art/weston.log" 2>&1
    wait "$game_job" || rc=$?
    mv "$shared_dir"/wayland-screenshot-*.png "$art/weston.png" 2>/dev/null
  else
    echo "Weston did not start, see $art/weston.log"
    rc=1
  fi
  touch "$shared_dir/done"
  wait "$weston_job"
  return "$rc"
}

# Every file of the package is gone, and each of its directories that is still there belongs
# to another package.
nothing_left() {  # nothing_left ROOT LISTING
  local root=$1 listing=$2 path left=0
  while IFS= read -r path; do
    [[ -e $root$path || -L $root$path ]] || continue
    if [[ -d $root$path && ! -L $root$path ]] && in_root "$root" dpkg-query -S "$path" >/dev/null 2>&1; then
      continue
    fi
    say "    left behind: $path"
    left=1
  done <"$listing"
  return $left
}

ensure_packages "$log" debootstrap
# A run that was killed may have left its roots.
roots_cleanup
trap roots_cleanup EXIT
rm -rf "$art"
mkdir -p "$art"
dir=$(unpack_root "$(base_root "$codename" "$log")")
cp "$deb" "$dir/tmp/"
run_logged "apt-get update in $codename" "$log" in_root "$dir" apt-get update
check "$release: apt-get install ./$(basename "$deb") succeeds on a fresh root" \
  logged "installing the package" "$log" \
  in_root "$dir" apt-get install -y --no-install-recommends "/tmp/$(basename "$deb")"
in_root "$dir" dpkg-query -L pexilon >"$art/files.txt"
# shellcheck disable=SC2016  # expanded inside the root
check "$release: the programs are on the PATH in /usr/games" \
  in_root "$dir" sh -c 'test "$(command -v pexilon)" = /usr/games/pexilon && test -x /usr/games/pexilon-replay'
# Before the test tools come in: the game's root holds the package's Depends alone.
if dpkg-deb -f "$deb" Depends | grep -qw libsdl3-0; then
  check "$release: on a headless Weston the game runs 5 s and SIGTERM ends it with exit code 0" \
    logged "the game on Weston" "$log" play_on_weston "$dir"
  check "$release: Weston's screenshot shows the playfield" \
    logged "the screenshot on Weston" "$log" bash "$tests/package/weston_picture_test.sh" "$art/weston.png"
fi

run_logged "installing the test tools" "$log" \
  in_root "$dir" apt-get install -y --no-install-recommends "${test_packages[@]}"
mkdir -p "$dir/checks"
cp -r "$tests/e2e" "$tests/replay" "$tests/package" "$dir/checks/"
check "$release: the installed game opens its window and the replay tool replays a golden game" \
  logged "the window and replay checks" "$log" \
  in_root "$dir" bash /checks/package/installed_test.sh /checks/artifacts "$(dpkg-deb -f "$deb" Version)"
cp -r "$dir/checks/artifacts/." "$art/" 2>/dev/null || true

check "$release: apt-get remove pexilon succeeds" \
  logged "removing the package" "$log" in_root "$dir" apt-get remove -y pexilon
check "$release: no file of the package is left after the removal" nothing_left "$dir" "$art/files.txt"
say "$release: done in $((SECONDS - started)) s"
checks_summary
