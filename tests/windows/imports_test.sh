#!/usr/bin/env bash
# The Windows programs load no DLL of ours but SDL3.dll, which ships beside them: every other
# one must be part of Windows itself (run by scripts/build-windows on every build).
#   imports_test.sh EXE...
set -euo pipefail
status=0
for program in "$@"; do
  # An unreadable program stops the test here (pipefail), rather than passing with no imports.
  imports=$(x86_64-w64-mingw32-objdump -p "$program" | awk '/DLL Name:/ { print tolower($3) }')
  for dll in $imports; do
    case $dll in
      sdl3.dll | kernel32.dll | msvcrt.dll | user32.dll | gdi32.dll | opengl32.dll | shell32.dll) ;;
      advapi32.dll | ole32.dll | oleaut32.dll | imm32.dll | version.dll | setupapi.dll | winmm.dll) ;;
      *)
        echo "$(basename "$program") needs $dll, which is neither SDL3.dll nor part of Windows"
        status=1
        ;;
    esac
  done
done
exit "$status"
