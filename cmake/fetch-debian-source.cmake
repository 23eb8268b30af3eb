# Downloads the files of a Debian source package that a pin file names, from the pool of Debian's
# archive, and checks each against its pinned SHA-256 before anything is unpacked:
#
#   cmake -DPIN=scripts/sdl3-source.sha256 -DDEST=DIR -P cmake/fetch-debian-source.cmake
#
# The pin's lines are sha256sum's, "SUM  FILE" ("#" starts a comment); a file's folder in the
# pool follows from its source package's name (libsdl3_... in pool/main/libs/libsdl3/). The
# archive is http://deb.debian.org/debian unless DEBIAN_MIRROR names a mirror of it. A file that
# is not the pinned one is deleted and the script fails, so that nothing is built from it.
cmake_minimum_required(VERSION 3.25)
if(DEFINED ENV{DEBIAN_MIRROR} AND NOT "$ENV{DEBIAN_MIRROR}" STREQUAL "")
  set(mirror "$ENV{DEBIAN_MIRROR}")
else()
  set(mirror http://deb.debian.org/debian)
endif()

file(STRINGS "${PIN}" pins REGEX "^[0-9a-f]+  [^ ]+$")
if(NOT pins)
  message(FATAL_ERROR "${PIN} pins no file")
endif()
foreach(pin IN LISTS pins)
  string(REGEX MATCH "^([0-9a-f]+)  (([^_]+)_.+)$" matched "${pin}")
  set(sum ${CMAKE_MATCH_1})
  set(name ${CMAKE_MATCH_2})
  set(package ${CMAKE_MATCH_3})
  # Debian's pool is split by the name's first letter, or its first four for a lib... package.
  string(REGEX MATCH "^(lib)?." pool_letter "${package}")
  set(url ${mirror}/pool/main/${pool_letter}/${package}/${name})
  file(DOWNLOAD ${url} "${DEST}/${name}" STATUS status)
  list(GET status 0 code)
  if(NOT code EQUAL 0)
    file(REMOVE "${DEST}/${name}")
    list(GET status 1 reason)
    message(FATAL_ERROR "could not download ${url}: ${reason}. When Debian's archive no longer "
      "holds this version, pin the one it holds now (see README, \"Sources built here\").")
  endif()
  file(SHA256 "${DEST}/${name}" actual)
  if(NOT actual STREQUAL sum)
    file(REMOVE "${DEST}/${name}")
    message(FATAL_ERROR "${name} from ${url} is not the file ${PIN} pins: its SHA-256 is "
      "${actual}. Nothing was unpacked or built from it. The mirror served other bytes than "
      "Debian published: try again later or through another mirror (DEBIAN_MIRROR), and tell "
      "the project if it keeps happening.")
  endif()
endforeach()
