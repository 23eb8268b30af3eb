#!/usr/bin/env bash
# The Windows zip as a player gets it, under Wine (run by scripts/build-windows --check, which
# builds the Windows tree; this builds the Linux reference, the preset headless, beside it):
#   zip_test.sh ZIP WINDOWS_BUILD ARTIFACT_DIR PASSES EVERY
# It passes only when
#   - the zip holds exactly the release's files;
#   - pexilon.exe carries its icon (16 to 256 px) and its version resource;
#   - the Windows test programs pass: the rules, the replay tool (its golden games and command
#     line through the .exe), the shell's logic, and the soak;
#   - pexilon-replay.exe from the zip prints every golden trace of tests/replay byte for byte;
#   - it prints the same bytes as the Linux tool for the random player's games of the soak
#     (PASSES in all, every loadout, waves past every speed cap), every EVERY-th pass of them
#     and the last (the state is cumulative, so a difference stays visible);
#   - the game from the zip, in Xvfb through Wine, passes the play test of tests/e2e: the first
#     title, firing, a kill, D moving the ship, R, and ESC's exit code 0;
#   - the record test's Windows part: a game recorded under Wine replays in the Linux tool to
#     its last title, a recording made on Linux watched with --play ends on the Linux tool's
#     last title, and --record onto an existing file is refused with the file kept;
#   - pexilon.exe that cannot load OpenGL says why in a message box, which a key closes, and
#     ends with exit code 1.
set -euo pipefail
zip=$1 build=$2 art=$3 passes=$4 every=$5
tests=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
root=$(dirname "$tests")
linux=$root/build/headless
step_prefix=windows
# shellcheck source=scripts/steps.sh
source "$root/scripts/steps.sh"
# shellcheck source=tests/checks.sh
source "$root/tests/checks.sh"
readonly zip_files=(pexilon.exe pexilon-replay.exe SDL3.dll README.txt LICENSE.txt SDL3-LICENSE.txt
  double-conversion-LICENSE.txt)
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
unpacked=$art/unpacked
check_log=$art/check.log
rm -rf "$art"
mkdir -p "$unpacked" "$art/scripts"
: >"$check_log"

# A prefix of our own, made once: 64-bit only, without the Mono and Gecko installers' dialogs
# and without menu entries on this machine; stamped when its first start has finished.
prepare_wine() {
  export WINEPREFIX=$cache/wine-prefix WINEARCH=win64 WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  local stamp=$WINEPREFIX/.pexilon-complete
  # Two checks at once make it once: the second waits here for the first.
  mkdir -p "$cache"
  exec 8>"$cache/.wine-prefix.lock"
  flock 8
  [[ -f $stamp ]] && return 0
  say "making the Wine prefix $WINEPREFIX (once; under a minute)"
  rm -rf "$WINEPREFIX"
  run_logged "starting Wine for the first time" "$check_log" wineboot --init
  run_logged "waiting for Wine to settle" "$check_log" wineserver --wait
  printf 'Wine prefix of %s\n' "$(wine --version)" >"$stamp"
}

# The icon Explorer shows, in every size from 16 to 256 px, and the version resource's fields.
exe_resources() {  # exe_resources EXE
  local ico=$art/pexilon-exe.ico sizes fields field
  wrestool -x --type=14 "$1" >"$ico"
  sizes=$(icotool -l "$ico" | sed -nE 's/.*--width=([0-9]+).*/\1/p' | xargs)
  printf 'icon sizes: %s\n' "$sizes"
  [[ $sizes == "16 24 32 48 64 128 256" ]] || return 1
  # The resource's strings, name and value in turn, joined by "|".
  fields=$(wrestool -x --raw --type=16 "$1" | strings -el -n 1 | paste -sd '|')
  printf '%s\n' "$fields"
  for field in "ProductName|Pexilon" "ProductVersion|$version" "FileVersion|$version" \
    "FileDescription|Pexilon arcade shooter" "LegalCopyright|Copyright (c) 2026 The Pexilon developers" \
    "Comments|Released under the MIT licence."; do
    [[ "|$fields|" == *"|$field|"* ]] || { echo "no $field"; return 1; }
  done
}

zip_holds_exactly_the_release() {
  diff <(unzip -Z1 "$zip" | sort) <(printf '%s\n' "${zip_files[@]}" | sort)
}

# The golden traces were printed with --every N: N is the number of their first pass.
golden_is_printed_again() {  # golden_is_printed_again TRACE
  local trace=$1 every
  every=$(head -c 32 "$trace" | sed -E 's/^\{"pass":([0-9]+),.*/\1/')
  cmp "$trace" <(wine "$unpacked/pexilon-replay.exe" --every "$every" "${trace%.golden.jsonl}.txt")
}

same_trace_on_both() {  # same_trace_on_both SCRIPT
  cmp <("$linux/pexilon-replay" --every "$every" "$1") <(wine "$unpacked/pexilon-replay.exe" --every "$every" "$1")
}

# The record test's Windows part (see tests/e2e/record_test.sh), against the Linux tool. It
# runs in a Wine session of its own, as a session's desktop stays on the display it started
# with (this test's last case has none).
record_under_wine() {  # record_under_wine LAUNCHER
  local status=0
  wineserver --wait
  PEXILON_UNDER_WINE=1 PEXILON_REPLAY=$linux/pexilon-replay \
    bash "$tests/e2e/record_test.sh" "$1" "$art/e2e" || status=$?
  wineserver --wait
  return "$status"
}

prepare_wine
# The Linux reference: the replay tool and the soak, built headless from the same tree.
run_logged "configuring the Linux reference build" "$check_log" env -C "$root" cmake --preset headless
run_logged "building the Linux reference" "$check_log" \
  env -C "$root" cmake --build --preset headless -j"$build_jobs" --target pexilon-replay soak

check "the zip holds exactly ${zip_files[*]}" zip_holds_exactly_the_release
unzip -q "$zip" -d "$unpacked"
check "pexilon.exe has its icon at 16 to 256 px and its version resource" exe_resources "$unpacked/pexilon.exe"
launcher=$art/pexilon-under-wine
printf '#!/bin/sh\nexec wine "%s" "$@"\n' "$unpacked/pexilon.exe" >"$launcher"
chmod +x "$launcher"
check "the rules tests pass on Windows" wine "$build/tests/rules_tests.exe"
check "the replay tool's tests pass on Windows" wine "$build/tests/replay_tests.exe"
# SDL3.dll is found in the current folder.
check "the shell's tests pass on Windows" env -C "$unpacked" wine "$build/tests/app_tests.exe"
check "the soak passes on Windows" wine "$build/tests/soak.exe" --passes 1000000
for trace in "$tests"/replay/*.golden.jsonl; do
  check "pexilon-replay.exe prints $(basename "$trace") byte for byte" golden_is_printed_again "$trace"
done

figures=$("$linux/tests/soak" --passes "$passes" --scripts "$art/scripts")
say "$figures"
# Every loadout (1, 2 or 3 guns; 2 or 3 with the supergun), and waves where every kind of
# monster moves at its top speed (from wave 130).
if [[ $figures =~ loadouts\ 1\ 2\ 3\ 2S\ 3S\),\ highest\ wave\ ([0-9]+) ]] && ((BASH_REMATCH[1] >= 130)); then
  pass "the random games hold every loadout and reach wave ${BASH_REMATCH[1]}"
else
  fail "the random games miss a loadout or stay below wave 130"
fi
for script in "$art"/scripts/*.txt; do
  check "Linux and Windows print the same bytes for $(basename "$script") ($(wc -l <"$script") passes, every $every)" \
    same_trace_on_both "$script"
done

# The game from the zip, through Wine, in the play test the Linux build passes.
check "the game plays under Wine in Xvfb (first title, fire, a kill, D moves, ESC exits 0)" \
  bash "$tests/e2e/play_test.sh" "$launcher" "$art/e2e"
check "a game recorded under Wine replays in the Linux tool to its last title, a Linux recording watched ends on the Linux tool's last title, and an existing file is not recorded over" \
  record_under_wine "$launcher"
check "without OpenGL the game says why in a message box, which a key closes, and exits 1" \
  bash "$tests/windows/message_box_test.sh" "$launcher" "$art/e2e"
wineserver --wait
checks_summary
