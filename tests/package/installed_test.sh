#!/usr/bin/env bash
# Run by scripts/check-package-install inside a fresh Debian root where the package was just
# installed: the game found on the PATH is the packaged version, opens its window with the first
# status line and ends with exit code 0 on ESC, and the packaged replay tool prints a golden
# game exactly.
#   installed_test.sh ARTIFACT_DIR PACKAGE_VERSION
# shellcheck disable=SC2317  # functions called through check are reached
set -uo pipefail
tests=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=tests/e2e/lib.sh
source "$tests/e2e/lib.sh"
# The game says the project's version: the package's without its Debian revision (1.0-1~deb13).
version=${2%-*}
e2e_begin "$(command -v pexilon)" "$1"

check_equal "pexilon --version names the packaged version" "$(pexilon --version)" "pexilon $version"

start_xvfb
title_at_start
tap_key Escape
wait_game_exit 10
check_equal "ESC ends the game with exit code 0" "$GAME_RC" 0

# Thinned as the golden test compares it.
replay_matches_golden() {
  pexilon-replay --every 50 "$tests/replay/upgrades-and-losses.txt" >"$E2E_ART/replay.jsonl" &&
    cmp "$E2E_ART/replay.jsonl" "$tests/replay/upgrades-and-losses.golden.jsonl"
}
check "the packaged pexilon-replay prints the golden game" replay_matches_golden
e2e_end
