#!/usr/bin/env bash
# The same objects linked against the same import library give the same Windows program
# whether the library and the build sit in a folder that sorts before the system's /usr (under
# /tmp) or after it (under /var/tmp): the linker orders the import table by the libraries'
# paths, and a stand-in for SDL3 is linked the way pexilon.exe links SDL3.
#   import_order_test.sh SOURCE_DIR
set -euo pipefail
source_dir=$1
dirs=("$(mktemp -d /tmp/pexilon-import-order.XXXXXX)" "$(mktemp -d /var/tmp/pexilon-import-order.XXXXXX)")
trap 'rm -rf "${dirs[@]}"' EXIT

build_in() {  # build_in DIR: prints the program's path
  local dir=$1
  # Made in its folder: dlltool names the library's symbols after the path it is given.
  (cd "$dir" && x86_64-w64-mingw32-dlltool --dllname SDL3.dll --output-lib libSDL3.dll.a \
    --input-def <(printf 'EXPORTS\nSDL_Init\n'))
  cmake -S "$source_dir/tests/windows/import_order" -B "$dir/build" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$source_dir/cmake/mingw-w64.cmake" -DPEXILON_SOURCE_DIR="$source_dir" \
    -DSTAND_IN_IMPORT_LIBRARY="$dir/libSDL3.dll.a" >&2
  cmake --build "$dir/build" >&2
  printf '%s\n' "$dir/build/program.exe"
}

dll_order() { x86_64-w64-mingw32-objdump -p "$1" | awk '/DLL Name:/ { printf "%s ", $3 }'; }

before=$(build_in "${dirs[0]}")
after=$(build_in "${dirs[1]}")
echo "under /tmp: $(dll_order "$before")"
echo "under /var/tmp: $(dll_order "$after")"
cmp "$before" "$after"
