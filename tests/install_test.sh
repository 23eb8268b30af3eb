#!/usr/bin/env bash
# `cmake --install` puts the game, the replay tool, the desktop menu entry, the icons, the
# software-centre metadata and the manual pages in place (the Debian package is filled by the
# same rules), and the installed game finds its libraries without LD_LIBRARY_PATH.
#   install_test.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1
source=$2
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
check "the menu entry names the icon" grep -qx 'Icon=pexilon' "$entry"
check "the replay tool is installed and executable" test -x "$prefix/bin/pexilon-replay"
for file in icons/hicolor/scalable/apps/pexilon.svg icons/hicolor/{48x48,64x64,128x128,256x256}/apps/pexilon.png \
  metainfo/io.github.pexilon.pexilon.metainfo.xml man/man6/pexilon.6.gz man/man6/pexilon-replay.6.gz \
  doc/pexilon/copyright doc/pexilon/changelog.gz; do
  check "share/$file is installed" test -s "$prefix/share/$file"
done
check "the installed metadata is the one in the tree" \
  cmp -s "$prefix/share/metainfo/io.github.pexilon.pexilon.metainfo.xml" "$source/share/io.github.pexilon.pexilon.metainfo.xml"
exit $((failures > 0))
