# Downloads the files of a Debian source package that a pin file names, from the pool of Debian's
# archive, checks each against its pinned SHA-256 before anything is unpacked, and unpacks them
# once into DEST (scripts/setup-deps):
#
#   cmake -DPIN=scripts/sdl3-source.sha256 -DDEST=DIR -DSTAMP=TEXT -P cmake/fetch-debian-source.cmake
#
# The pin's lines are sha256sum's, "SUM  FILE" ("#" starts a comment); a file's folder in the
# pool follows from its source package's name (libsdl3_... in pool/main/libs/libsdl3/). The
# archive is http://deb.debian.org/debian unless DEBIAN_MIRROR names a mirror of it. A file that
# is not the pinned one stops the script, and nothing of it is kept, so nothing is built from
# it. A source package (a .dsc) is unpacked by dpkg-source, with Debian's patches; a lone
# tarball is unpacked without its top folder. DEST gets STAMP (once.cmake), and is left as it is
# while that is its stamp.
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/once.cmake)
return_if_complete("${DEST}" "${STAMP}")

if(DEFINED ENV{DEBIAN_MIRROR} AND NOT "$ENV{DEBIAN_MIRROR}" STREQUAL "")
  set(mirror "$ENV{DEBIAN_MIRROR}")
else()
  set(mirror http://deb.debian.org/debian)
endif()
set(work "${DEST}.download")
file(REMOVE_RECURSE "${work}")

# Stops the script with MESSAGE, leaving nothing of the download behind.
function(refuse)
  file(REMOVE_RECURSE "${work}")
  message(FATAL_ERROR ${ARGN})
endfunction()

file(STRINGS "${PIN}" pins REGEX "^[0-9a-f]+  [^ ]+$")
if(NOT pins)
  message(FATAL_ERROR "${PIN} pins no file")
endif()
foreach(pin IN LISTS pins)
  string(REGEX MATCH "^([0-9a-f]+)  (([^_]+)_.+)$" matched "${pin}")
  set(sum ${CMAKE_MATCH_1})
  set(file ${CMAKE_MATCH_2})
  set(package ${CMAKE_MATCH_3})
  # Debian's pool is split by the name's first letter, or its first four for a lib... package.
  string(REGEX MATCH "^(lib)?." pool_letter "${package}")
  set(url ${mirror}/pool/main/${pool_letter}/${package}/${file})
  file(DOWNLOAD ${url} "${work}/${file}" STATUS status)
  list(GET status 0 code)
  if(NOT code EQUAL 0)
    list(GET status 1 reason)
    refuse("could not download ${url}: ${reason}. When Debian's archive no longer "
      "holds this version, pin the one it holds now (see README, \"Sources built here\").")
  endif()
  file(SHA256 "${work}/${file}" actual)
  if(NOT actual STREQUAL sum)
    refuse("${file} from ${url} is not the file ${PIN} pins: its SHA-256 is "
      "${actual}. Nothing was unpacked or built from it. The mirror served other bytes than "
      "Debian published: try again later or through another mirror (DEBIAN_MIRROR), and tell "
      "the project if it keeps happening.")
  endif()
  if(file MATCHES "\\.dsc$")
    set(dsc "${work}/${file}")
  endif()
endforeach()

if(dsc)
  execute_process(COMMAND dpkg-source -x "${dsc}" "${work}/tree" RESULT_VARIABLE code)
  if(code)
    set(failed "dpkg-source ended with ${code}")
  endif()
  set(tree "${work}/tree")
else()
  file(ARCHIVE_EXTRACT INPUT "${work}/${file}" DESTINATION "${work}/tree")
  file(GLOB tree LIST_DIRECTORIES true "${work}/tree/*")
  list(LENGTH tree folders)
  if(NOT folders EQUAL 1)
    set(failed "${file} holds ${folders} top folders rather than one")
  endif()
endif()
if(failed)
  refuse("unpacking ${PIN}'s files failed: ${failed}")
endif()
move_complete("${tree}" "${DEST}" "${STAMP}")
file(REMOVE_RECURSE "${work}")
