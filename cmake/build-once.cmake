# Builds a CMake project once into a prefix of the set-up's cache (scripts/setup-deps):
#
#   cmake -DSOURCE=DIR -DPREFIX=DIR -DMAP=NAME -DSTAMP=TEXT [-DC_FLAGS=FLAGS]
#         -P cmake/build-once.cmake -- [CMAKE OPTIONS...]
#
# The project is built in build-NAME beside the prefix and installed under staging-NAME, and
# moved into place with STAMP only when complete (once.cmake); a prefix whose stamp is another
# is built again.
# The source and build folders are mapped to /usr/src/MAP and /usr/src/MAP-build in what is
# compiled (SDL3's assertions name their files), so the result is the same on every machine.
# Another set-up building the same prefix is waited for, and its result taken.
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/once.cmake)
return_if_complete("${PREFIX}" "${STAMP}")
get_filename_component(cache "${PREFIX}" DIRECTORY)
get_filename_component(name "${PREFIX}" NAME)
set(build "${cache}/build-${name}")
set(staging "${cache}/staging-${name}")

# What follows "--" on the command line.
set(options)
math(EXPR last "${CMAKE_ARGC} - 1")
foreach(i RANGE ${last})
  if(after_dashes)
    list(APPEND options "${CMAKE_ARGV${i}}")
  elseif(CMAKE_ARGV${i} STREQUAL "--")
    set(after_dashes TRUE)
  endif()
endforeach()

# One step of the build, which must succeed.
function(run what)
  message(STATUS "${name}: ${what}")
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "${name}: ${what} failed")
  endif()
endfunction()

set(maps "-ffile-prefix-map=${SOURCE}=/usr/src/${MAP} -ffile-prefix-map=${build}=/usr/src/${MAP}-build")
string(STRIP "${C_FLAGS} ${maps}" c_flags)
cmake_host_system_information(RESULT jobs QUERY NUMBER_OF_LOGICAL_CORES)
file(REMOVE_RECURSE "${staging}")
run(configuring ${CMAKE_COMMAND} -S "${SOURCE}" -B "${build}" ${options}
  "-DCMAKE_INSTALL_PREFIX=${PREFIX}" -DCMAKE_INSTALL_LIBDIR=lib
  "-DCMAKE_C_FLAGS=${c_flags}" "-DCMAKE_CXX_FLAGS=${maps}")
run(building ${CMAKE_COMMAND} --build "${build}" -j${jobs})
run(installing ${CMAKE_COMMAND} -E env "DESTDIR=${staging}" ${CMAKE_COMMAND} --install "${build}")

move_complete("${staging}${PREFIX}" "${PREFIX}" "${STAMP}")
file(REMOVE_RECURSE "${staging}" "${build}")
