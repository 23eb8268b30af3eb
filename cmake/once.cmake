# What the set-up makes once in its cache (~/.cache/pexilon): a folder there is complete when its
# .pexilon-complete holds the stamp it was made with, which says what it holds and how it was
# made, and one set-up at a time makes it.

# Waits for any other set-up making DIR, then ends the script when DIR is complete with STAMP.
macro(return_if_complete dir stamp)
  get_filename_component(once_folder "${dir}" DIRECTORY)
  get_filename_component(once_name "${dir}" NAME)
  file(MAKE_DIRECTORY "${once_folder}")
  file(LOCK "${once_folder}/.${once_name}.lock" GUARD PROCESS)
  if(EXISTS "${dir}/.pexilon-complete")
    file(READ "${dir}/.pexilon-complete" once_stamp)
    if(once_stamp STREQUAL "${stamp}\n")
      return()
    endif()
  endif()
endmacro()

# Moves the finished folder FROM into place as DIR, stamped: an interrupted run never leaves a
# folder that looks complete.
function(move_complete from dir stamp)
  file(WRITE "${from}/.pexilon-complete" "${stamp}\n")
  file(REMOVE_RECURSE "${dir}")
  file(RENAME "${from}" "${dir}")
endfunction()
