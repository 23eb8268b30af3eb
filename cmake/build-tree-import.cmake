# The linker orders a Windows program's import table by the paths of the import libraries that
# its imports come from. A library found in a prefix outside the build therefore lands before or
# after the system's DLLs (MinGW's, under /usr) as its folder sorts before or after /usr, and the
# same sources give two programs. CMake names a file of the build tree by a path relative to
# the build, so an import library copied there takes the same place wherever the sources, the
# build and the prefix are.
function(import_through_build_tree target)
  get_target_property(configurations ${target} IMPORTED_CONFIGURATIONS)
  foreach(configuration IN LISTS configurations)
    get_target_property(library ${target} IMPORTED_IMPLIB_${configuration})
    if(NOT library)
      message(FATAL_ERROR "${target} has no import library for ${configuration}")
    endif()
    get_filename_component(name "${library}" NAME)
    set(copy "${CMAKE_BINARY_DIR}/import-libraries/${configuration}/${name}")
    configure_file("${library}" "${copy}" COPYONLY)
    set_target_properties(${target} PROPERTIES IMPORTED_IMPLIB_${configuration} "${copy}")
  endforeach()
endfunction()
