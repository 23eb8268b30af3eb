#!/usr/bin/env bash
# The layer check passes on the tree, and fails on each back-edge planted in a copy of it.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
check=$root/scripts/check-layers
"$check" "$root"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# FILE|LINE TO ADD: each one a way the layering could break.
plants=(
  'game/pass.cpp|#include "app/loop.hpp"'
  'draw/font.cpp|#include "game/playfield.hpp"'
  'ui/hud.cpp|#include "app/controls.hpp"'
  'tools/replay.cpp|#include "ui/frame.hpp"'
  'game/ship.hpp|struct SDL_Window* window;'
  'ui/frame.cpp|#include <GL/gl.h>'
  'ui/hud.cpp|void f() { glBegin(0); }'
  'draw/view.cpp|#include <SDL3/SDL_video.h>'
  'draw/font.cpp|#ifdef __EMSCRIPTEN__'
)
for plant in "${plants[@]}"; do
  file=${plant%%|*}
  rm -rf "$work/tree"
  mkdir "$work/tree"
  cp -r "$root"/{game,draw,ui,app,tools,web} "$work/tree/"
  printf '%s\n' "${plant#*|}" >>"$work/tree/$file"
  if "$check" "$work/tree" >/dev/null 2>&1; then
    echo "check-layers let this through: $plant" >&2
    exit 1
  fi
done
echo "layers: the tree is clean and ${#plants[@]} planted back-edges were caught"
