#!/usr/bin/env bash
# The files a desktop reads, as they are in the tree: the menu entry and the software-centre
# metadata pass their validators, the manual pages format without a warning, the PNG icons are
# renders of the SVG drawing, and the changelog, the metadata's release and the manual pages
# carry the version.
#   desktop_files_test.sh SOURCE_DIR PROJECT_VERSION
# shellcheck disable=SC2317  # functions called through check are reached
set -euo pipefail
share=$1/share
version=$2
failures=0
check() {  # check DESCRIPTION COMMAND...
  local what=$1; shift
  if "$@"; then echo "ok - $what"; else echo "not ok - $what"; failures=$((failures + 1)); fi
}

check "the menu entry passes desktop-file-validate" desktop-file-validate "$share/pexilon.desktop"
check "the metadata passes appstreamcli validate" appstreamcli validate --no-net "$share"/*.metainfo.xml

# man prints its formatter's warnings on stderr and still succeeds.
man_page_is_clean() {
  local warnings
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$1" 2>&1 >/dev/null)
  [[ -z $warnings ]] || { printf '    %s\n' "$warnings"; return 1; }
}
for page in "$share"/man/*.6; do
  check "$(basename "$page") formats without warnings" man_page_is_clean "$page"
  check "$(basename "$page") is the page of version $version" grep -q "^\.TH .* \"Pexilon $version\"" "$page"
done

# A PNG left behind by a change of the drawing differs from a fresh render by far more than the
# renderers' antialiasing does.
matches_drawing() {  # matches_drawing SIZE
  local png=$share/icons/pexilon-$1.png render error
  render=$(mktemp --suffix=.png)
  rsvg-convert -w "$1" -h "$1" "$share/icons/pexilon.svg" -o "$render"
  [[ $(identify -format '%wx%h' "$png") == "$1x$1" ]] || { echo "    $png is not $1x$1"; rm -f "$render"; return 1; }
  error=$(compare -metric RMSE "$png" "$render" null: 2>&1 | sed -n 's/.*(\(.*\)).*/\1/p')
  rm -f "$render"
  awk -v e="${error:-1}" 'BEGIN { exit !(e < 0.02) }' || { echo "    RMSE $error against a fresh render"; return 1; }
}
for size in 16 24 32 48 64 128 256; do
  check "the ${size}px icon is the drawing at ${size}x${size}" matches_drawing "$size"
done

check "the changelog's newest entry is version $version" \
  test "$(dpkg-parsechangelog -l "$share/doc/changelog" -S Version)" == "$version"
newest_release() { grep -m 1 -o '<release version="[^"]*"' "$share"/*.metainfo.xml; }
check "the metadata's newest release is version $version" \
  test "$(newest_release)" == "<release version=\"$version\""
exit $((failures > 0))
