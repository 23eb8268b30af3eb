#!/usr/bin/env bash
# `cmake --install` puts the game, the replay tool, the desktop menu entry, the icons, the
# software-centre metadata and the manual pages in place (the Debian package is filled by the
# same rules), the installed game finds its libraries without LD_LIBRARY_PATH and says the
# project's version.
#   install_test.sh BUILD_DIR SOURCE_DIR PROJECT_VERSION
set -euo pipefail
build=$1
source=$2
version=$3
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
check "the installed game is version $version" test "$("$prefix/bin/pexilon" --version)" == "pexilon $version"
check "the installed game resolves every library" bash -c "! env -u LD_LIBRARY_PATH ldd '$prefix/bin/pexilon' | grep -q 'not found'"
check "the menu entry exists" test -f "$entry"
check "the menu entry starts the game" grep -qx 'Exec=pexilon' "$entry"
check "the menu entry is an arcade game" grep -qx 'Categories=Game;ArcadeGame;' "$entry"
check "the menu entry is an application" grep -qx 'Type=Application' "$entry"
check "the menu entry names the icon" grep -qx 'Icon=pexilon' "$entry"
check "the replay tool is installed and executable" test -x "$prefix/bin/pexilon-replay"
# Installed copies of files in the tree: the icon in every size and the metadata.
icon_sizes=()
for size in 16 24 32 48 64 128 256; do
  icon_sizes+=("icons/hicolor/${size}x${size}/apps/pexilon.png:icons/pexilon-$size.png")
done
for pair in icons/hicolor/scalable/apps/pexilon.svg:icons/pexilon.svg "${icon_sizes[@]}" \
  metainfo/io.github.pexilon.pexilon.metainfo.xml:io.github.pexilon.pexilon.metainfo.xml; do
  check "share/${pair%%:*} is share/${pair#*:}" cmp -s "$prefix/share/${pair%%:*}" "$source/share/${pair#*:}"
done
for file in man/man6/pexilon.6.gz man/man6/pexilon-replay.6.gz doc/pexilon/copyright doc/pexilon/changelog.gz; do
  check "share/$file is installed" test -s "$prefix/share/$file"
done
exit $((failures > 0))
