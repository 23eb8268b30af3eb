#!/usr/bin/env bash
# The set-up unpacks a pinned source only when every file of it has the pinned SHA-256: a pin
# that does not match what the archive serves stops it with the pin's message, and nothing is
# unpacked (so nothing is built). Offline: the archive is a folder of made-up files here.
#   pinned_sources_test.sh SOURCE_DIR
set -euo pipefail
step_prefix=pinned_sources_test
# shellcheck source=scripts/steps.sh
source "$1/scripts/steps.sh"
# shellcheck source=tests/checks.sh
source "$1/tests/checks.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/tree"
cp -r "$1/scripts" "$1/cmake" "$work/tree/"
pins=$work/tree/scripts
export DEBIAN_MIRROR=file://$work/debian XDG_CACHE_HOME=$work/cache

# The archive: for each pinned file, one of the same name in its pool folder (double-conversion's
# a tarball that unpacks as the real one does), and the pins rewritten to their sums.
tarball=$(sed -n 's/^[0-9a-f]*  //p' "$pins/double-conversion-source.sha256")
top=${tarball%.orig.tar.gz}
top=${top/_/-}
mkdir -p "$work/dc/$top/double-conversion" "$work/debian/pool/main/d/double-conversion" "$work/debian/pool/main/libs/libsdl3"
echo 'made up' >"$work/dc/$top/LICENSE"
tar -czf "$work/debian/pool/main/d/double-conversion/$tarball" -C "$work/dc" "$top"
sed -n 's/^[0-9a-f]*  //p' "$pins/sdl3-source.sha256" | while read -r name; do
  echo "made up $name" >"$work/debian/pool/main/libs/libsdl3/$name"
done
for pin in "$pins"/*.sha256; do
  grep -v '^#' "$pin" | while read -r _ name; do
    find "$work/debian" -name "$name" -exec sha256sum {} + | sed 's#  .*/#  #'
  done >"$pin.new"
  mv "$pin.new" "$pin"
done

# Flips the first digit of a pin's last sum.
tamper() {  # tamper PIN
  local last
  last=$(tail -n 1 "$1")
  sed -i '$d' "$1"
  printf '%s%s\n' "$([[ ${last:0:1} == 0 ]] && echo 1 || echo 0)" "${last:1}" >>"$1"
}

# Nothing of a source in the cache: no unpacked tree and no download left in a work folder.
nothing_unpacked() {
  [[ -z $(find "$XDG_CACHE_HOME/pexilon" -mindepth 1 -maxdepth 1 -name 'sdl3-source-*' -o -name 'double-conversion-*') ]]
}

refused() {  # refused MODE: the set-up fails, names the pin and unpacks nothing
  local said
  ! said=$("$work/tree/scripts/setup-deps" "$1" 2>&1 >/dev/null) || return 1
  said=$(tr -s ' \n' '  ' <<<"$said")
  [[ $said == *"is not the file "*" pins: its SHA-256 is "*"Nothing was unpacked or built from it."* ]] || {
    printf '%s\n' "$said"
    return 1
  }
  nothing_unpacked
}

unpacked_double_conversion() {
  local dir
  dir=$("$work/tree/scripts/setup-deps" double-conversion 2>/dev/null) &&
    [[ -f $dir/LICENSE && -d $dir/double-conversion ]]
}

check "the pinned double-conversion is unpacked" unpacked_double_conversion
rm -rf "$XDG_CACHE_HOME"
tamper "$pins/double-conversion-source.sha256"
check "a double-conversion that is not the pinned one is refused and not unpacked" refused double-conversion
tamper "$pins/sdl3-source.sha256"
check "an SDL3 source package with a file that is not the pinned one is refused and not unpacked" refused source
checks_summary
