#!/usr/bin/env bash
# The Debian package as built (run by scripts/package):
#   deb_test.sh DEB
# It passes only when lintian finds no error or warning, the menu entry passes
# desktop-file-validate and the software-centre metadata appstreamcli, and a package that does
# not depend on the release's SDL3 (which then has it linked in) carries SDL3's licence.
set -euo pipefail
deb=$1
step_prefix=package
# shellcheck source=scripts/steps.sh
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/steps.sh"
# shellcheck source=tests/checks.sh
source "$(dirname "${BASH_SOURCE[0]}")/../checks.sh"
contents=$(mktemp -d)
trap 'rm -rf "$contents"' EXIT
dpkg-deb -x "$deb" "$contents"

sdl_licence_travels_along() {
  dpkg-deb -f "$deb" Depends | grep -q 'libsdl3' ||
    grep -q '^Files: SDL3/' "$contents/usr/share/doc/pexilon/copyright"
}

check "lintian finds no error or warning" \
  lintian --fail-on error,warning --display-info --tag-display-limit 0 "$deb"
check "the menu entry passes desktop-file-validate" \
  desktop-file-validate "$contents/usr/share/applications/pexilon.desktop"
check "the metadata passes appstreamcli validate" \
  appstreamcli validate-tree --no-net "$contents"
check "the copyright file holds SDL3's licence where SDL3 is linked in" sdl_licence_travels_along
checks_summary
