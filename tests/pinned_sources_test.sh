#!/usr/bin/env bash
# A source whose download differs from its pin stops the set-up with the pin's message, and
# nothing is unpacked or built from it: SDL3's and double-conversion's, each with one sum
# changed in a copy of the scripts and an empty cache of its own. Downloads from Debian.
#   pinned_sources_test.sh SOURCE_DIR
set -uo pipefail
step_prefix=pinned_sources_test
# shellcheck source=scripts/steps.sh
source "$1/scripts/steps.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$1/scripts" "$work/scripts"

# The first sum of a pin file with its first digit changed.
tamper() {  # tamper PIN
  sed -i -E '0,/^[0-9a-f]{64}  /{/^[0-9a-f]{64}  /{s/^0/1/;t;s/^./0/}}' "$1"
}

refused_and_nothing_built() {  # refused_and_nothing_built SCRIPT ARG MESSAGE CACHE_GLOB
  local cache=$work/cache-$1 built
  if XDG_CACHE_HOME=$cache "$work/scripts/$1" $2 >"$work/$1.out" 2>"$work/$1.err"; then
    echo "$1 accepted a tampered pin"
    return 1
  fi
  grep -F "$3" "$work/$1.err" || { cat "$work/$1.err"; return 1; }
  built=$(compgen -G "$cache/pexilon/$4")
  [[ -z $built ]] || { echo "built: $built"; return 1; }
}

tamper "$work/scripts/sdl3-source.sha256"
tamper "$work/scripts/double-conversion-source.sha256"
check "a tampered SDL3 pin stops the set-up, and no SDL3 is unpacked or built" \
  refused_and_nothing_built setup-deps source "pins:" "sdl3-*"
check "a tampered double-conversion pin stops the set-up, and nothing is unpacked" \
  refused_and_nothing_built double-conversion-source "" "pins: nothing was unpacked" "double-conversion-*"
checks_summary
