#!/usr/bin/env bash
# `cmake --install` puts the game and its desktop menu entry in place, and the installed game
# finds its libraries without LD_LIBRARY_PATH.
#   install_test.sh BUILD_DIR
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" >/dev/null
entry=$prefix/share/applications/pexilon.desktop
failures=0
check() {  # check DESCRIPTION COMMAND...
  local what=$1; shift
  if "$@"; then echo "ok - $what"; else echo "not ok - $what"; failures=$((failures + 1)); fi
}
check "the game is installed and executable" test -x "$prefix/bin/pexilon"
check "the installed game resolves every library" bash -c "! env -u LD_LIBRARY_PATH ldd '$prefix/bin/pexilon' | grep -q 'not found'"
check "the menu entry exists" test -f "$entry"
check "the menu entry starts the game" grep -qx 'Exec=pexilon' "$entry"
check "the menu entry is an arcade game" grep -qx 'Categories=Game;ArcadeGame;' "$entry"
check "the menu entry is an application" grep -qx 'Type=Application' "$entry"
exit $((failures > 0))
